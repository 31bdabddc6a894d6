// The default bar of styles 0, 1, 2 and every style number without a look of its own: a shaded
// bar, cut into blocks in style 0, replaced by three moving segments in style 2.
#include "common/numeric.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/owned.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

using numeric::Add32;
using numeric::Mod32;
using numeric::Mul32;
using numeric::Sub32;

// The free end is pulled back toward the fixed end to a whole number of block steps.
void PrgBar::ComputeBarRect() {
  mBlockWidth = mStyle == Look::kBlocks ? 6 : 0;
  mBlockGap = 2;
  const std::int32_t step = Add32(mBlockWidth, mBlockGap);
  mClientRect.left = Add32(mClientRect.left, 3);
  mBarRect = mClientRect;
  mFraction = mValue / 98.0;
  if (mFraction < 0) mFraction = 0;
  if (mOrientation == 0) {
    const std::int32_t width = Sub32(mClientRect.right, mClientRect.left);
    const std::int32_t x = numeric::RoundToInt32(width * mFraction + mClientRect.left);
    mBarRect.right = Sub32(x, Mod32(Sub32(x, mBarRect.left), step));
    if (mBarRect.right < mClientRect.left) mBarRect.right = mClientRect.left;
  } else {
    mFraction = 1 - mFraction;
    const std::int32_t height = Sub32(mClientRect.bottom, mClientRect.top);
    const std::int32_t y = numeric::RoundToInt32(height * mFraction + mClientRect.top);
    mBarRect.top = Sub32(y, Mod32(Sub32(y, mBarRect.bottom), step));
    if (mBarRect.top > mClientRect.bottom) mBarRect.top = mClientRect.bottom;
  }
}

// A light band, the solid colour, and a light band again, across the bar's thickness. On a low
// bar the bands overlap and later ones win.
void PrgBar::DrawBarFill() {
  gdi::RECT fill;
  if (mOrientation == 0) {
    if (mBarRect.right <= 14) mBarRect.right = 12;
    fill.left = 4;
    fill.top = 8;
    fill.right = Add32(mBarRect.right, 4) > mClientRect.right ? Sub32(mBarRect.right, 4)
                                                               : mBarRect.right;
    fill.bottom = Sub32(mClientRect.bottom, 8);
  } else {
    fill.left = 9;
    fill.top = mBarRect.top;
    fill.right = Sub32(mClientRect.right, 8);
    fill.bottom = mClientRect.bottom;
  }
  if (mStyle == Look::kSearching) {
    DrawStyle2Segments();
    return;
  }
  const std::int32_t light = LightenColor(mColor, 150);
  std::int32_t end = light;
  std::int32_t start = mColor;
  if (mOrientation == 0) {
    DrawGradient(end, start, 4, 3, fill.right, 6, mHdc, false);
    FillBox(fill, mColor, mHdc);
    end = mColor;
    start = light;
    DrawGradient(end, start, 4, Sub32(fill.bottom, 2), fill.right, 6, mHdc, false);
  } else {
    DrawGradient(end, start, 4, mBarRect.top, 4, mClientRect.bottom, mHdc, true);
    FillBox(fill, mColor, mHdc);
    end = mColor;
    start = light;
    DrawGradient(end, start, Sub32(mClientRect.right, 8), mBarRect.top, 4,
                              mClientRect.bottom, mHdc, true);
  }
}

// Three short segments, lightest first, 12 pixels apart; their place follows the value.
void PrgBar::DrawStyle2Segments() {
  for (std::int32_t i = 0; i <= 2; ++i) {
    std::int32_t c1 = LightenColor(mColor, 220 - 40 * i);
    std::int32_t c2 = LightenColor(mColor, 200 - 40 * i);
    const std::int32_t offset = Mul32(Add32(mBlockGap, 10), i);
    if (mOrientation == 0) {
      const std::int32_t s = numeric::RoundToInt32(
          Add32(mBarRect.right, offset) - Sub32(100, mValue) / 100.0 * 45);
      DrawGradient(c1, c2, s, 3, 9, Sub32(mClientRect.bottom, 2), mHdc, true);
    } else {
      const std::int32_t t = Add32(mBarRect.top, offset);
      DrawGradient(c1, c2, Sub32(mClientRect.right, 2), t, 2, 9, mHdc, false);
    }
  }
}

// White gaps across the full thickness between blocks of style 0.
void PrgBar::CutBlockGaps() {
  const gdi::Owned<gdi::Brush> white(gdi::CreateSolidBrush(gdi::RGB(255, 255, 255)));
  mGapRect = mClientRect;
  const std::int32_t step = Add32(mBlockWidth, mBlockGap);
  if (mOrientation == 0) {
    const std::int32_t last = mBarRect.right;
    for (std::int32_t x = Add32(mBarRect.left, mBlockWidth); x <= last; x = Add32(x, step)) {
      mGapRect.left = Add32(x, 1);
      mGapRect.right = Add32(mGapRect.left, mBlockGap);
      gdi::FillRect(mHdc, &mGapRect, white.get());
    }
  } else {
    const std::int32_t last = Add32(mBarRect.top, mBlockWidth);
    for (std::int32_t y = mBarRect.bottom; y >= last; y = Sub32(y, step)) {
      mGapRect.top = Sub32(y, 2);
      mGapRect.bottom = Add32(mGapRect.top, mBlockGap);
      gdi::FillRect(mHdc, &mGapRect, white.get());
    }
  }
}

}  // namespace lumaveil::progressbar
