#include "ui/common/twips.h"

#include <gtest/gtest.h>

namespace lumaveil::ui {
namespace {

TEST(TwipsTest, FifteenTwipsAPixelAt96DpiAndScaledWithTheScreen) {
  EXPECT_EQ(TwipsToPixels(5910, 96), 394);
  EXPECT_EQ(TwipsToPixels(5910, 144), 591);
  EXPECT_EQ(TwipsToPixels(195, 120), 16) << "16.25 rounds to 16";
  EXPECT_EQ(TwipsToPixels(1440, 0), 96) << "an unknown dpi counts as the design's";
}

TEST(TwipsTest, ControlsThatTouchAtDesignTimeStillTouchAfterRounding) {
  // Scan ends where Stop begins (3240 + 1215 = 4455 against Stop at 4440: a 15-twip overlap).
  for (double dpi : {96.0, 120.0, 144.0, 168.0}) {
    const PixelRect a = TwipsToPixels(120, 4365, 1275, 195, dpi);
    const PixelRect b = TwipsToPixels(120, 4560, 1275, 195, dpi);
    EXPECT_EQ(a.y + a.height, b.y) << dpi;
  }
}

}  // namespace
}  // namespace lumaveil::ui
