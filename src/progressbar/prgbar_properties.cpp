#include "common/numeric.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

void PrgBar::SetColor(std::int32_t lColor) {
  mColor = ResolveColor(lColor);
  DrawingControlProgressBar();
}

void PrgBar::SetColor2(std::int32_t lColor2) {
  mColor2 = ResolveColor(lColor2);
  DrawingControlProgressBar();
}

void PrgBar::SetFont(std::shared_ptr<StdFont> fnt) { mFont = std::move(fnt); }

void PrgBar::SetImage(std::shared_ptr<StdPicture> handle) {
  mImage = std::move(handle);
  host_.PropertyChanged("Image");
  DrawingControlProgressBar();
}

void PrgBar::SetMin(std::int32_t cMin) {
  mMin = cMin;
  host_.PropertyChanged("Min");
}

void PrgBar::SetMax(std::int32_t cMax) {
  mMax = cMax;
  host_.PropertyChanged("Max");
}

void PrgBar::SetOrientation(std::int32_t PositionEnum) {
  mOrientation = PositionEnum;
  host_.PropertyChanged("Orientation");
  DrawingControlProgressBar();
}

void PrgBar::SetStyle(std::int32_t lScrolling) {
  mStyle = static_cast<Look>(lScrolling);
  host_.PropertyChanged("Style");
  DrawingControlProgressBar();
}

void PrgBar::SetShowText(bool bShowText) {
  mShowText = bShowText ? -1 : 0;
  host_.PropertyChanged("ShowText");
  DrawingControlProgressBar();
}

void PrgBar::SetMetalValue(bool NewValue) {
  mMetalValue = NewValue ? -1 : 0;
  host_.PropertyChanged("MetalValue");
  DrawingControlProgressBar();
}

void PrgBar::SetBrushStyle(std::int32_t Style) {
  mBrushStyle = Style;
  host_.PropertyChanged("BrushStyle");
}

// A value on the Min..Max scale becomes a percentage of that range. With Min 0 this is
// value x 100 / Max, the product in 32-bit arithmetic and the quotient in Double; an empty range
// fails as that division does (error 11, or error 6 for 0 / 0). Taking Min off before scaling,
// rather than adding it afterwards, makes the getter the setter's inverse for any Min.
std::int32_t PrgBar::PercentageOf(std::int32_t cValue) const {
  const std::int32_t product = numeric::Mul32(numeric::Sub32(cValue, mMin), 100);
  const std::int32_t range = numeric::Sub32(mMax, mMin);
  if (range == 0) {
    if (product == 0) numeric::ThrowOverflow();
    numeric::ThrowDivisionByZero();
  }
  return numeric::RoundToInt32(static_cast<double>(product) / range);
}

std::int32_t PrgBar::ValueOf(std::int32_t percentage) const {
  const double range = static_cast<double>(mMax) - static_cast<double>(mMin);
  return numeric::RoundToInt32(percentage / 100.0 * range + mMin);
}

std::int32_t PrgBar::value() const { return ValueOf(mValue); }

std::int32_t PrgBar::Value2() const { return ValueOf(mValue2); }

void PrgBar::SetValue(std::int32_t cValue) {
  mValue = PercentageOf(cValue);
  DrawingControlProgressBar();
}

void PrgBar::SetValue2(std::int32_t cValue2) {
  mValue2 = PercentageOf(cValue2);
  DrawingControlProgressBar();
}

}  // namespace lumaveil::progressbar
