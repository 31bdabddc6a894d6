#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bar_fixture.h"
#include "common/run_time_error.h"
#include "progressbar/font.h"
#include "progressbar/picture.h"
#include "progressbar/stored_settings.h"

namespace lumaveil::progressbar::testing {
namespace {

using PrgBarPersistence = BarTest;

std::vector<std::string> Keys(const PropertyBag& bag) {
  std::vector<std::string> keys;
  for (const auto& entry : bag.Entries()) keys.push_back(entry.key);
  return keys;
}

std::int32_t Long(const PropertyBag& bag, std::string_view key) {
  return std::get<std::int32_t>(bag.ReadProperty(key, std::int32_t{-999}));
}

TEST_F(PrgBarPersistence, NewInstanceStoresColourAndBrushStyleOnly) {
  PrgBar& bar = MakeBar(50, 17);
  bar.SetColor(static_cast<std::int32_t>(0x8000000Du));  // the very default is still stored
  PropertyBag bag;
  bar.UserControl_WriteProperties(bag);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"BrushStyle", "Color"}));
  EXPECT_EQ(Long(bag, "BrushStyle"), 0);
  EXPECT_EQ(Long(bag, "Color"), static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_HIGHLIGHT)));
}

TEST_F(PrgBarPersistence, EveryKeySurvivesTheTextFormInWritingOrder) {
  PrgBar& bar = MakeBar(50, 17);
  auto picture = std::make_shared<StdPicture>(2, 1, std::vector<std::uint32_t>{0x0000FF, 0x00FF00});
  bar.SetBrushStyle(5);
  bar.SetColor(0x112233);
  bar.SetImage(picture);
  bar.SetMax(200);
  bar.SetMin(0);
  bar.SetOrientation(1);
  bar.SetStyle(9);
  bar.SetShowText(true);
  bar.SetValue(150);
  bar.SetValue2(-40);
  bar.SetColor2(0x445566);
  bar.SetMetalValue(true);

  StoredInstance stored;
  stored.name = "P9";
  stored.extent_x = 1000;
  stored.extent_y = 200;
  bar.UserControl_WriteProperties(stored.bag);
  EXPECT_EQ(Keys(stored.bag),
            (std::vector<std::string>{"BrushStyle", "Color", "Image", "Max", "Orientation",
                                      "Style", "ShowText", "Value", "Value2", "Color2",
                                      "MetalValue"}));
  const StoredInstance loaded = ParseStoredInstance(FormatStoredInstance(stored));

  PrgBar& copy = MakeBar(50, 17);
  copy.UserControl_ReadProperties(loaded.bag);
  EXPECT_EQ(copy.Color(), 0x112233);
  EXPECT_EQ(copy.Color2(), 0x445566);
  EXPECT_EQ(copy.Max(), 200);
  EXPECT_EQ(copy.Min(), 0);
  EXPECT_EQ(copy.Orientation(), 1);
  EXPECT_EQ(copy.Style(), 9);
  EXPECT_TRUE(copy.ShowText());
  EXPECT_EQ(copy.value(), 150);  // on the Max 200 scale, as saved
  EXPECT_EQ(copy.Value2(), -40);
  EXPECT_TRUE(copy.MetalValue());
  ASSERT_NE(copy.Image(), nullptr);
  EXPECT_EQ(copy.Image()->Pixel(1, 0), 0x00FF00u);
  PropertyBag again;
  copy.UserControl_WriteProperties(again);
  EXPECT_EQ(Long(again, "BrushStyle"), 5);
  // Saving the loaded bar gives the same settings again.
  EXPECT_EQ(FormatStoredInstance({"x", {}, {}, again}),
            FormatStoredInstance({"x", {}, {}, stored.bag}));
}

TEST_F(PrgBarPersistence, KeysAreReadWithoutRegardToCaseAndMissingOnesGetDefaults) {
  PrgBar& bar = MakeBar(50, 17);
  bar.SetStyle(4);
  bar.SetBrushStyle(0);
  const StoredInstance stored = ParseStoredInstance(
      "Begin Project1.PrgBar P\n  STYLE = 3\n  value = 42\n  SHOWTEXT = -1\n  metalvalue = 7\nEnd\n");
  bar.UserControl_ReadProperties(stored.bag);
  EXPECT_EQ(bar.Style(), 3);
  EXPECT_EQ(bar.value(), 42);
  EXPECT_TRUE(bar.ShowText());
  EXPECT_TRUE(bar.MetalValue());
  EXPECT_EQ(bar.Orientation(), 0);
  PropertyBag bag;
  bar.UserControl_WriteProperties(bag);
  EXPECT_FALSE(bag.Contains("BrushStyle"));  // a missing "BrushStyle" loads 4, its default
}

TEST_F(PrgBarPersistence, SplashBarLoadsItsColoursAndDefaultsForTheRest) {
  std::ifstream file(std::filesystem::path(__FILE__).parent_path() /
                     "../../src/ui/resources/splash_p2.prgbar");
  ASSERT_TRUE(file);
  std::stringstream text;
  text << file.rdbuf();
  const StoredInstance p2 = ParseStoredInstance(text.str());

  PrgBar& bar = MakeBar(257, 17);
  bar.SetStyle(5);
  const auto font = bar.Font();
  bar.UserControl_ReadProperties(p2.bag);
  EXPECT_EQ(bar.Color(), 0x006A240A);
  EXPECT_EQ(bar.Color2(), 0x006A240A);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Orientation(), 0);
  EXPECT_EQ(bar.Style(), 0);
  EXPECT_FALSE(bar.ShowText());
  EXPECT_EQ(bar.value(), 0);
  EXPECT_EQ(bar.Value2(), 0);
  EXPECT_FALSE(bar.MetalValue());
  EXPECT_EQ(bar.Image(), nullptr);
  EXPECT_EQ(bar.Font(), font);
  PropertyBag bag;
  bar.UserControl_WriteProperties(bag);
  EXPECT_EQ(Keys(bag), (std::vector<std::string>{"Color", "Color2"}));  // BrushStyle 4 again
}

TEST_F(PrgBarPersistence, BlackSecondColourIsNotStoredAndLoadsBackBlack) {
  PrgBar& bar = MakeBar(50, 17);
  bar.SetColor2(0);
  PropertyBag bag;
  bar.UserControl_WriteProperties(bag);
  EXPECT_FALSE(bag.Contains("Color2"));
  PrgBar& copy = MakeBar(50, 17);
  copy.SetColor2(0x00FF00);
  copy.UserControl_ReadProperties(bag);
  EXPECT_EQ(copy.Color2(), 0);
}

TEST_F(PrgBarPersistence, AnObjectWhereANumberBelongsIsATypeMismatch) {
  PrgBar& bar = MakeBar(50, 17);
  PropertyBag bag;
  bag.Set("Max", std::make_shared<StdPicture>(1, 1, std::vector<std::uint32_t>{0}));
  try {
    bar.UserControl_ReadProperties(bag);
    ADD_FAILURE() << "no error";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.Number(), 13);
    EXPECT_NE(e.Description().find("Max"), std::string::npos);
  }
  PropertyBag numbers;
  numbers.Set("Image", std::int32_t{3});
  EXPECT_THROW(bar.UserControl_ReadProperties(numbers), RunTimeError);
}

}  // namespace
}  // namespace lumaveil::progressbar::testing
