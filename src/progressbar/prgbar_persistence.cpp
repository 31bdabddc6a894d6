#include <string>

#include "common/run_time_error.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

namespace {

constexpr int kTypeMismatch = 13;

[[noreturn]] void TypeMismatch(std::string_view key) {
  throw RunTimeError(kTypeMismatch, "Type mismatch: stored \"" + std::string(key) + "\"");
}

// Numbers and Booleans convert into each other as the platform converts them (true is -1);
// an object stored where a number belongs is a type mismatch.
std::int32_t ToLong(const PropertyValue& value, std::string_view key) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
  if (const auto* boolean = std::get_if<StoredBoolean>(&value)) return boolean->bits;
  TypeMismatch(key);
}

bool ToBoolean(const PropertyValue& value, std::string_view key) { return ToLong(value, key) != 0; }

template <typename Object>
std::shared_ptr<Object> ToObject(const PropertyValue& value, std::string_view key) {
  if (const auto* object = std::get_if<std::shared_ptr<Object>>(&value)) return *object;
  TypeMismatch(key);
}

}  // namespace

void PrgBar::UserControl_ReadProperties(const PropertyBag& PropBag) {
  SetFont(ToObject<StdFont>(PropBag.ReadProperty("Font", mFont), "Font"));
  mBrushStyle = ToLong(PropBag.ReadProperty("BrushStyle", std::int32_t{4}), "BrushStyle");
  SetColor(ToLong(PropBag.ReadProperty("Color", kHighlightColorReference), "Color"));
  SetColor2(ToLong(PropBag.ReadProperty("Color2", std::int32_t{0}), "Color2"));
  mImage = ToObject<StdPicture>(PropBag.ReadProperty("Image", std::shared_ptr<StdPicture>()),
                                "Image");
  SetMax(ToLong(PropBag.ReadProperty("Max", std::int32_t{100}), "Max"));
  SetMin(ToLong(PropBag.ReadProperty("Min", std::int32_t{0}), "Min"));
  SetOrientation(ToLong(PropBag.ReadProperty("Orientation", std::int32_t{0}), "Orientation"));
  SetStyle(ToLong(PropBag.ReadProperty("Style", std::int32_t{0}), "Style"));
  SetShowText(ToBoolean(PropBag.ReadProperty("ShowText", StoredBoolean{0}), "ShowText"));
  SetValue(ToLong(PropBag.ReadProperty("Value", std::int32_t{0}), "Value"));
  SetValue2(ToLong(PropBag.ReadProperty("Value2", std::int32_t{0}), "Value2"));
  mMetalValue =
      ToBoolean(PropBag.ReadProperty("MetalValue", StoredBoolean{0}), "MetalValue") ? -1 : 0;
}

// "Value" and "Value2" are written on the Max scale, the scale their setters read them back
// with, so a bar whose Max is not 100 loads where it was saved.
void PrgBar::UserControl_WriteProperties(PropertyBag& PropBag) {
  PropBag.WriteProperty("Font", mFont, mFont);
  PropBag.WriteProperty("BrushStyle", mBrushStyle, std::int32_t{4});
  PropBag.WriteProperty("Color", mColor, kHighlightColorReference);
  PropBag.WriteProperty("Image", mImage, std::shared_ptr<StdPicture>());
  PropBag.WriteProperty("Max", mMax, std::int32_t{100});
  PropBag.WriteProperty("Min", mMin, std::int32_t{0});
  PropBag.WriteProperty("Orientation", mOrientation, std::int32_t{0});
  PropBag.WriteProperty("Style", Style(), std::int32_t{0});
  PropBag.WriteProperty("ShowText", StoredBoolean{mShowText}, StoredBoolean{0});
  PropBag.WriteProperty("Value", value(), std::int32_t{0});
  PropBag.WriteProperty("Value2", Value2(), std::int32_t{0});
  PropBag.WriteProperty("Color2", mColor2, std::int32_t{0});
  PropBag.WriteProperty("MetalValue", StoredBoolean{mMetalValue}, StoredBoolean{0});
}

}  // namespace lumaveil::progressbar
