// Styles 7 and 8: the fill is painted with a brush, a hatch of the bar colour or a pattern made
// from the picture. An error in the hatched bar ends the repaint; the picture bar stops at its
// own first error and lets the repaint go on.
#include "common/numeric.h"
#include "common/run_time_error.h"
#include "platform/gdi/gdi.h"
#include "progressbar/paint_math.h"
#include "progressbar/picture.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

using numeric::Sub32;

namespace {

// Deletes a brush the step made, also when an error leaves the step early.
class BrushOwner {
 public:
  explicit BrushOwner(gdi::HBRUSH brush) : brush_(brush) {}
  ~BrushOwner() { gdi::DeleteObject(brush_); }
  BrushOwner(const BrushOwner&) = delete;
  BrushOwner& operator=(const BrushOwner&) = delete;
  gdi::HBRUSH get() const { return brush_; }

 private:
  gdi::HBRUSH brush_;
};

}  // namespace

// The spaces between the hatch lines take the background colour only while the surface is
// opaque; after a text pass has made it transparent they show the white background.
void PrgBar::DrawHatchedBar() {
  gdi::DrawEdge(mHdc, &mClientRect, gdi::EDGE_BUMP, gdi::BF_RECT);
  const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
  const std::int32_t x = FillReach(mValue, 101, width, mClientRect.left);
  mBarRect = {2, 2, x, Sub32(mClientRect.bottom, 2)};
  const std::int16_t hatch = numeric::RoundToInt16(mBrushStyle);  // error 6 outside 16 bits
  const BrushOwner brush(
      gdi::CreateHatchBrush(hatch, static_cast<gdi::COLORREF>(ResolveColor(Color()))));
  gdi::SetBkColor(mHdc, static_cast<gdi::COLORREF>(LightenColor(mColor, 140)));
  gdi::FillRect(mHdc, &mBarRect, brush.get());
}

void PrgBar::DrawPictureBar() {
  try {
    gdi::DrawEdge(mHdc, &mClientRect, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
    if (!mImage) return;
    const BrushOwner brush(gdi::CreatePatternBrush(mImage->Handle()));
    const gdi::HGDIOBJ displaced = gdi::SelectObject(mHdc, brush.get());
    struct Reselect {
      gdi::HDC hdc;
      gdi::HGDIOBJ object;
      ~Reselect() {
        if (object != 0) gdi::SelectObject(hdc, object);
      }
    } reselect{mHdc, displaced};
    const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
    const std::int32_t x = FillReach(mValue, 101, width, mClientRect.left);
    mBarRect.right = x;
    gdi::PatBlt(mHdc, 2, 2, x, Sub32(mClientRect.bottom, 4), gdi::PATCOPY);
  } catch (const RunTimeError&) {
  }
}

}  // namespace lumaveil::progressbar
