// The text pass that follows every look: "Searching.." in style 2, and in styles 6 and 9 an
// overlay that redraws the part of the text left of the value's reach in a second colour.
#include <string>

#include "common/numeric.h"
#include "common/run_time_error.h"
#include "platform/gdi/gdi.h"
#include "progressbar/font.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

namespace {

constexpr int kObjectNotSet = 91;

// Puts the displaced font back even when an error leaves the pass early, so no font stays
// selected in the surface.
class FontRestorer {
 public:
  FontRestorer(gdi::HDC hdc, const gdi::HGDIOBJ& old_font) : hdc_(hdc), old_font_(old_font) {}
  ~FontRestorer() { gdi::SelectObject(hdc_, old_font_); }
  FontRestorer(const FontRestorer&) = delete;
  FontRestorer& operator=(const FontRestorer&) = delete;

 private:
  gdi::HDC hdc_;
  const gdi::HGDIOBJ& old_font_;
};

void DrawTextLine(gdi::HDC hdc, const std::string& text, gdi::RECT* rect, unsigned format) {
  const std::string ansi = gdi::ToAnsi(text);
  gdi::DrawTextA(hdc, ansi.c_str(), static_cast<int>(ansi.size()), rect, format);
}

}  // namespace

void PrgBar::SelectTextFont() {
  mTextFont = Font();
  if (!mTextFont) {
    throw RunTimeError(kObjectNotSet, "Object variable or With block variable not set");
  }
  mOldFont = gdi::SelectObject(mHdc, mTextFont->hFont());
  gdi::SetBkMode(mHdc, gdi::TRANSPARENT);
}

void PrgBar::DrawBarText() {
  const bool overlay = mStyle == 6 || mStyle == 9;
  const std::string text = mStyle == 2 ? "Searching.." : "";
  if (mShowText == 0) return;
  SelectTextFont();
  {
    FontRestorer restore(mHdc, mOldFont);
    const std::int32_t colour = mStyle == 6 ? static_cast<std::int32_t>(gdi::RGB(192, 192, 192)) : 0;
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
  SelectTextFont();
  FontRestorer restore(mHdc, mOldFont);
  const double reach = mValue / 100.0 * mClientRect.right;
  if (reach >= mTextRect.left) {
    const std::int32_t colour =
        mStyle == 6 ? LightenColor(mColor, 80) : static_cast<std::int32_t>(0xFFFFFF);
    gdi::SetTextColor(mHdc, static_cast<gdi::COLORREF>(ResolveColor(colour)));
    mTextRect.left = numeric::RoundToInt32(
        mClientRect.right / 2.0 - numeric::Sub32(mTextRect.right, mTextRect.left) / 2.0);
    mTextRect.right = numeric::RoundToInt32(reach);
    DrawTextLine(mHdc, text, &mTextRect, gdi::DT_SINGLELINE);
  }
}

}  // namespace lumaveil::progressbar
