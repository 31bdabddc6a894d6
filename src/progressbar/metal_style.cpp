// Style 9: a silver track, the value as a shaded bar, and with MetalValue a second bar for
// Value2 in the lower half; the default bar's border goes round it. An error ends the repaint.
#include "common/numeric.h"
#include "progressbar/paint_math.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

using numeric::Sub32;

void PrgBar::DrawMetalBar() {
  constexpr std::int32_t kSilver = 0xC0C0C0;
  constexpr std::int32_t kWhite = 0xFFFFFF;
  const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
  const std::int32_t reach_width = Sub32(width, 4);
  const double half = Sub32(mClientRect.bottom, 3) / 2.0;
  const std::int32_t h = numeric::RoundToInt32(half);
  const std::int32_t track_end = Sub32(mClientRect.right, 3);

  mBarRect.right = FillReach(mValue, 100, reach_width, mClientRect.left);
  std::int32_t end = kWhite;
  std::int32_t start = kSilver;
  DrawGradient(end, start, 2, 2, track_end, h, mHdc, false);
  end = BlendColors(kSilver, 0, 255);
  start = kSilver;
  DrawGradient(end, start, 2, h, track_end, h, mHdc, false);

  if (mMetalValue == -1) {
    mBarRect.right = FillReach(mValue2, 100, reach_width, mClientRect.left);
    const std::int32_t h2 = numeric::RoundToInt32(half + 2);
    end = LightenColor(mColor2, 170);
    start = mColor2;
    DrawGradient(end, start, 2, h2, mBarRect.right, h2, mHdc, false);
    mBarRect.right = FillReach(mValue, 100, reach_width, mClientRect.left);
    const std::int32_t h3 = numeric::RoundToInt32(half - 1);
    end = LightenColor(mColor, 150);
    start = BlendColors(mColor, 0, 200);
    DrawGradient(end, start, 2, 2, mBarRect.right, h3, mHdc, false);
  } else {
    end = LightenColor(mColor, 150);
    start = BlendColors(mColor, 0, 180);
    DrawGradient(end, start, 2, 2, mBarRect.right, h, mHdc, false);
    end = BlendColors(mColor, 0, 190);
    start = mColor;
    DrawGradient(end, start, 2, h, mBarRect.right, h, mHdc, false);
  }
  mClientRect.left = numeric::Add32(mClientRect.left, 3);
  DrawBorder();
}

}  // namespace lumaveil::progressbar
