// Styles 3 to 6: a frame or an edge around the client area and a plain or shaded fill.
// The flat and shaded bars stop at their own first error and let the repaint go on; an error in
// the etched or dark bar ends the repaint.
#include "common/numeric.h"
#include "common/run_time_error.h"
#include "platform/gdi/gdi.h"
#include "progressbar/paint_math.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

using numeric::Sub32;

void PrgBar::DrawFlatBar() {
  try {
    FrameBox(mClientRect, LightenColor(mColor, 100), mHdc);
    const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
    const std::int32_t x = FillReach(mValue, 100, width, mClientRect.left);
    mBarRect = {1, 1, x, Sub32(mClientRect.bottom, 1)};
    FillBox(mBarRect, LightenColor(mColor, 180), mHdc);
  } catch (const RunTimeError&) {
  }
}

// x counts columns after column 2, so the shading is x + 1 lines, lightest at the fill's end.
void PrgBar::DrawEtchedBar() {
  gdi::DrawEdge(mHdc, &mClientRect, gdi::EDGE_ETCHED, gdi::BF_RECT);
  const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
  const std::int32_t x = FillReach(mValue, 100, Sub32(width, 4), mClientRect.left);
  std::int32_t end = LightenColor(mColor, 140);
  std::int32_t start = LightenColor(mColor, 200);
  DrawGradient(end, start, 2, 2, x, Sub32(mClientRect.bottom, 3), mHdc, true);
}

// The track shades down to a tint, the fill shades the other way, a line marks the end.
void PrgBar::DrawShadedBar() {
  try {
    FrameBox(mClientRect, LightenColor(mColor, 10), mHdc);
    const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
    const std::int32_t x = FillReach(mValue, 101, width, mClientRect.left);
    mBarRect.right = x;
    std::int32_t end = mColor;
    std::int32_t start = LightenColor(mColor, 100);
    DrawGradient(end, start, 2, 2, Sub32(mClientRect.right, 2),
                              Sub32(mClientRect.bottom, 5), mHdc, false);
    end = LightenColor(mColor, 250);
    start = mColor;
    DrawGradient(end, start, 3, 3, x, Sub32(mClientRect.bottom, 6), mHdc, false);
    DrawLine(x, 2, x, Sub32(mClientRect.bottom, 2), mHdc, LightenColor(mColor, 25));
  } catch (const RunTimeError&) {
  }
}

// On the black background: the fill rises from black to a dim tint of the colour.
void PrgBar::DrawDarkBar() {
  FrameBox(mClientRect, BlendColors(mColor, 0, 200), mHdc);
  const std::int32_t dim = LightenColor(ResolveColor(BlendColors(mColor, 0, 100)), 10);
  const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
  const std::int32_t x = FillReach(mValue, 100, Sub32(width, 5), mClientRect.left);
  std::int32_t end = 0;
  std::int32_t start = dim;
  DrawGradient(end, start, 2, 2, x, Sub32(mClientRect.bottom, 2), mHdc, true);
}

}  // namespace lumaveil::progressbar
