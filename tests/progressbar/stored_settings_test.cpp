#include "progressbar/stored_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/run_time_error.h"
#include "progressbar/picture.h"

namespace lumaveil::progressbar {
namespace {

std::int32_t Long(const PropertyBag& bag, std::string_view key) {
  return std::get<std::int32_t>(bag.ReadProperty(key, std::int32_t{-12345}));
}

// Runs the parser and returns the error it raised, failing the test if it raised none.
RunTimeError ParseError(std::string_view text) {
  try {
    ParseStoredInstance(text);
  } catch (const RunTimeError& e) {
    return e;
  }
  ADD_FAILURE() << "no error for:\n" << text;
  return RunTimeError(0, "");
}

TEST(StoredSettings, SplashBarResourceHoldsExactlyItsFourEntries) {
  std::ifstream file(std::filesystem::path(__FILE__).parent_path() /
                    "../../src/ui/resources/splash_p2.prgbar");
  ASSERT_TRUE(file) << "splash_p2.prgbar not found";
  std::stringstream text;
  text << file.rdbuf();
  const StoredInstance p2 = ParseStoredInstance(text.str());
  EXPECT_EQ(p2.name, "P2");
  EXPECT_EQ(p2.extent_x, 6800);
  EXPECT_EQ(p2.extent_y, 450);
  ASSERT_EQ(p2.bag.Entries().size(), 2u);
  EXPECT_EQ(p2.bag.Entries()[0].key, "color");
  EXPECT_EQ(Long(p2.bag, "Color"), 0x006A240A);
  EXPECT_EQ(Long(p2.bag, "COLOR2"), 0x006A240A);
}

TEST(StoredSettings, ValuesOfEveryKindSurviveFormattingAndParsing) {
  StoredInstance original;
  original.name = "Bar7";
  original.extent_x = 1;
  original.extent_y = -2;
  original.bag.Set("Style", std::int32_t{9});
  original.bag.Set("Min", std::int32_t{-2147483647 - 1});
  original.bag.Set("Color", std::int32_t{static_cast<std::int32_t>(0x8000000Du)});
  original.bag.Set("ShowText", StoredBoolean{-1});
  original.bag.Set("MetalValue", StoredBoolean{0});
  auto picture = std::make_shared<StdPicture>(2, 3, std::vector<std::uint32_t>{
                                                        0x000000, 0xFFFFFF, 0x0A246A,
                                                        0x123456, 0xABCDEF, 0x00FF00});
  original.bag.Set("Image", picture);

  const std::string text = FormatStoredInstance(original);
  const StoredInstance copy = ParseStoredInstance(text);
  EXPECT_EQ(FormatStoredInstance(copy), text);
  EXPECT_EQ(copy.name, "Bar7");
  EXPECT_EQ(copy.extent_x, 1);
  EXPECT_EQ(copy.extent_y, -2);
  EXPECT_EQ(Long(copy.bag, "style"), 9);
  EXPECT_EQ(Long(copy.bag, "min"), -2147483647 - 1);
  EXPECT_EQ(Long(copy.bag, "color"), static_cast<std::int32_t>(0x8000000Du));
  EXPECT_EQ(std::get<StoredBoolean>(copy.bag.ReadProperty("showtext", StoredBoolean{})).bits, -1);
  EXPECT_EQ(std::get<StoredBoolean>(copy.bag.ReadProperty("metalvalue", StoredBoolean{-1})).bits, 0);
  const auto image = std::get<std::shared_ptr<StdPicture>>(copy.bag.ReadProperty("image", {}));
  ASSERT_TRUE(image);
  ASSERT_EQ(image->Width(), 2);
  ASSERT_EQ(image->Height(), 3);
  for (std::int32_t y = 0; y < 3; ++y) {
    for (std::int32_t x = 0; x < 2; ++x) EXPECT_EQ(image->Pixel(x, y), picture->Pixel(x, y));
  }
  EXPECT_NE(text.find("Color = 0x8000000D"), std::string::npos) << text;
}

TEST(StoredSettings, CommentsBlankLinesAndLetterCaseAreAccepted) {
  const StoredInstance s = ParseStoredInstance(
      "\n# saved by hand\nBEGIN project1.prgbar X\r\n\n  # a comment\n  sTyLe=3\n"
      "  max =   0x10\n  showtext = true\nend\n\n# trailing comment");
  EXPECT_EQ(Long(s.bag, "Style"), 3);
  EXPECT_EQ(Long(s.bag, "Max"), 16);
  EXPECT_EQ(std::get<StoredBoolean>(s.bag.ReadProperty("ShowText", StoredBoolean{})).bits, -1);
  EXPECT_FALSE(s.extent_x.has_value());
}

TEST(StoredSettings, BadTextIsRefusedWithTheLineItStandsOn) {
  struct Case {
    const char* text;
    int number;
    const char* line;
    const char* cause;
  };
  const Case cases[] = {
      {"", error::kInvalidFileFormat, "line 1:", "Begin"},
      {"Begin Project1.PrgBar P2\n  Max = 5\n", error::kInvalidFileFormat, "line 3:", "ends before"},
      {"Begin Project1.PrgBar P2", error::kInvalidFileFormat, "line 2:", "ends before"},
      {"Begin Project1.Other P2\nEnd\n", error::kInvalidFileFormat, "line 1:", "class"},
      {"Begin Project1.PrgBar\nEnd\n", error::kInvalidFileFormat, "line 1:", "Begin"},
      {"Begin Project1.PrgBar P\n Max: 5\nEnd\n", error::kInvalidFileFormat, "line 2:", "key = value"},
      {"Begin Project1.PrgBar P\n\n Max = 2147483648\nEnd\n", error::kInvalidPropertyValue, "line 3:", "out of range"},
      {"Begin Project1.PrgBar P\n Min = -2147483649\nEnd\n", error::kInvalidPropertyValue, "line 2:", "out of range"},
      {"Begin Project1.PrgBar P\n Color = 0x1FFFFFFFF\nEnd\n", error::kInvalidPropertyValue, "line 2:", "out of range"},
      {"Begin Project1.PrgBar P\n Color = 0xGG\nEnd\n", error::kInvalidFileFormat, "line 2:", "bad number"},
      {"Begin Project1.PrgBar P\n Max = 12abc\nEnd\n", error::kInvalidFileFormat, "line 2:", "bad value"},
      {"Begin Project1.PrgBar P\n Max = 1 2\nEnd\n", error::kInvalidFileFormat, "line 2:", "after the value"},
      {"Begin Project1.PrgBar P\n Max =\nEnd\n", error::kInvalidFileFormat, "line 2:", "missing value"},
      {"Begin Project1.PrgBar P\n 9x = 1\nEnd\n", error::kInvalidFileFormat, "line 2:", "bad key"},
      {"Begin Project1.PrgBar P\n Max = 1\n MAX = 2\nEnd\n", error::kInvalidFileFormat, "line 3:", "twice"},
      {"Begin Project1.PrgBar P\n _extentx = True\nEnd\n", error::kInvalidPropertyValue, "line 2:", "extent"},
      {"Begin Project1.PrgBar P\nEnd\nMax = 1\n", error::kInvalidFileFormat, "line 3:", "after"},
      {"Begin Project1.PrgBar P\n Image = Picture 2 1 000000\nEnd\n", error::kInvalidFileFormat, "line 2:", "found 1"},
      {"Begin Project1.PrgBar P\n Image = Picture 0 1\nEnd\n", error::kInvalidPropertyValue, "line 2:", "size"},
      {"Begin Project1.PrgBar P\n Image = Picture 99999 99999\nEnd\n", error::kInvalidPropertyValue, "line 2:", "size"},
      {"Begin Project1.PrgBar P\n Image = Picture 1 1 12345G\nEnd\n", error::kInvalidFileFormat, "line 2:", "colour"},
  };
  for (const Case& c : cases) {
    const RunTimeError e = ParseError(c.text);
    EXPECT_EQ(e.Number(), c.number) << c.text;
    EXPECT_NE(e.Description().find(c.line), std::string::npos) << e.Description();
    EXPECT_NE(e.Description().find(c.cause), std::string::npos) << e.Description();
  }
}

TEST(StoredSettings, AFontCannotBeWrittenToTheTextForm) {
  StoredInstance s;
  s.bag.Set("Font", std::shared_ptr<StdFont>());
  try {
    FormatStoredInstance(s);
    ADD_FAILURE() << "a font was formatted";
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.Number(), error::kInvalidPropertyValue);
  }
}

TEST(PropertyBag, ValueEqualToItsDefaultIsNotKeptAndKeysIgnoreCase) {
  PropertyBag bag;
  bag.WriteProperty("BrushStyle", std::int32_t{0}, std::int32_t{4});
  bag.WriteProperty("Color2", std::int32_t{0}, std::int32_t{0});
  bag.WriteProperty("ShowText", StoredBoolean{0}, StoredBoolean{0});
  EXPECT_TRUE(bag.Contains("brushstyle"));
  EXPECT_FALSE(bag.Contains("Color2"));
  EXPECT_FALSE(bag.Contains("ShowText"));
  EXPECT_EQ(Long(bag, "BRUSHSTYLE"), 0);
  EXPECT_EQ(std::get<std::int32_t>(bag.ReadProperty("Color2", std::int32_t{77})), 77);

  // Writing the default afterwards removes what an earlier writing kept.
  bag.WriteProperty("brushSTYLE", std::int32_t{4}, std::int32_t{4});
  EXPECT_FALSE(bag.Contains("BrushStyle"));

  // A number never equals a Boolean, so the type of the default matters.
  bag.WriteProperty("MetalValue", StoredBoolean{0}, std::int32_t{0});
  EXPECT_TRUE(bag.Contains("MetalValue"));
}

}  // namespace
}  // namespace lumaveil::progressbar
