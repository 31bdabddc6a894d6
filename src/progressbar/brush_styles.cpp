// Styles 7 and 8: the fill is painted with a brush, a hatch of the bar colour or a pattern made
// from the picture. An error in the hatched bar ends the repaint; the picture bar stops at its
// own first error and lets the repaint go on.
#include "common/numeric.h"
#include "common/run_time_error.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/owned.h"
#include "progressbar/paint_math.h"
#include "progressbar/picture.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

using numeric::Sub32;

// The spaces between the hatch lines take the background colour only while the surface is
// opaque; after a text pass has made it transparent they show the white background.
void PrgBar::DrawHatchedBar() {
  gdi::DrawEdge(mHdc, &mClientRect, gdi::EDGE_BUMP, gdi::BF_RECT);
  const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
  const std::int32_t x = FillReach(mValue, 101, width, mClientRect.left);
  mBarRect = {2, 2, x, Sub32(mClientRect.bottom, 2)};
  const std::int16_t hatch = numeric::RoundToInt16(mBrushStyle);  // error 6 outside 16 bits
  const gdi::Owned<gdi::Brush> brush(
      gdi::CreateHatchBrush(hatch, static_cast<gdi::COLORREF>(ResolveColor(Color()))));
  gdi::SetBkColor(mHdc, static_cast<gdi::COLORREF>(LightenColor(mColor, 140)));
  gdi::FillRect(mHdc, &mBarRect, brush.get());
}

void PrgBar::DrawPictureBar() {
  try {
    gdi::DrawEdge(mHdc, &mClientRect, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
    if (!mImage) return;
    const gdi::Owned<gdi::Brush> brush(gdi::CreatePatternBrush(mImage->Handle()));
    const gdi::ScopedSelect selected(mHdc, brush.get());
    const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
    const std::int32_t x = FillReach(mValue, 101, width, mClientRect.left);
    mBarRect.right = x;
    gdi::PatBlt(mHdc, 2, 2, x, Sub32(mClientRect.bottom, 4), gdi::PATCOPY);
  } catch (const RunTimeError&) {
  }
}

}  // namespace lumaveil::progressbar
