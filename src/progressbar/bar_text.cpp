// The text pass that follows every look: "Searching.." in style 2, and in styles 6 and 9 an
// overlay that redraws the part of the text left of the value's reach in a second colour.
#include <string>

#include "common/numeric.h"
#include "common/run_time_error.h"
#include "common/text_encoding.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/owned.h"
#include "progressbar/font.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

namespace {

constexpr int kObjectNotSet = 91;

void DrawTextLine(gdi::HDC hdc, const std::string& text, gdi::RECT* rect, unsigned format) {
  const std::string ansi = text::Utf8ToAnsi(text);
  gdi::DrawTextA(hdc, ansi.c_str(), static_cast<int>(ansi.size()), rect, format);
}

}  // namespace

// The font stays selected while the returned selection lives, so that no font stays selected in
// the surface even when an error leaves the pass early.
gdi::ScopedSelect PrgBar::SelectTextFont() {
  mTextFont = Font();
  if (!mTextFont) {
    throw RunTimeError(kObjectNotSet, "Object variable or With block variable not set");
  }
  gdi::ScopedSelect selected(mHdc, mTextFont->hFont());
  mOldFont = selected.previous();
  gdi::SetBkMode(mHdc, gdi::TRANSPARENT);
  return selected;
}

void PrgBar::DrawBarText() {
  const bool overlay = mStyle == Look::kDark || mStyle == Look::kMetal;
  const std::string text = mStyle == Look::kSearching ? "Searching.." : "";
  if (mShowText == 0) return;
  {
    const gdi::ScopedSelect font = SelectTextFont();
    const std::int32_t colour =
        mStyle == Look::kDark ? static_cast<std::int32_t>(gdi::RGB(192, 192, 192)) : 0;
    gdi::SetTextColor(mHdc, static_cast<gdi::COLORREF>(ResolveColor(colour)));
    CenterBarText(text);
    const double reach = mValue / 100.0 * mClientRect.right;
    if (!(overlay && reach > mTextRect.right)) {
      DrawTextLine(mHdc, text, &mTextRect, gdi::DT_SINGLELINE);
    }
  }
  if (overlay) DrawBarTextOverlay(text);
}

// Measures from the rectangle's present left and top, then centres left and top only: right and
// bottom keep the measured values.
void PrgBar::CenterBarText(const std::string& text) {
  DrawTextLine(mHdc, text, &mTextRect, gdi::DT_CALCRECT);
  mTextRect.left = numeric::RoundToInt32(
      mClientRect.right / 2.0 - numeric::Sub32(mTextRect.right, mTextRect.left) / 2.0);
  mTextRect.top = numeric::RoundToInt32(
      mClientRect.bottom / 2.0 - numeric::Sub32(mTextRect.bottom, mTextRect.top) / 2.0);
}

void PrgBar::DrawBarTextOverlay(const std::string& text) {
  const gdi::ScopedSelect font = SelectTextFont();
  const double reach = mValue / 100.0 * mClientRect.right;
  if (reach >= mTextRect.left) {
    const std::int32_t colour =
        mStyle == Look::kDark ? LightenColor(mColor, 80) : static_cast<std::int32_t>(0xFFFFFF);
    gdi::SetTextColor(mHdc, static_cast<gdi::COLORREF>(ResolveColor(colour)));
    mTextRect.left = numeric::RoundToInt32(
        mClientRect.right / 2.0 - numeric::Sub32(mTextRect.right, mTextRect.left) / 2.0);
    mTextRect.right = numeric::RoundToInt32(reach);
    DrawTextLine(mHdc, text, &mTextRect, gdi::DT_SINGLELINE);
  }
}

}  // namespace lumaveil::progressbar
