#include <gtest/gtest.h>

#include "bar_fixture.h"

namespace lumaveil::progressbar::testing {
namespace {

using BarText = BarTest;

// "Searching.." is 11 blocks, 66 x 8 with the block renderer. On a 257 x 17 bar the first pass
// measures from a zero rectangle: right 66, left centred at round(128.5 - 33) = 96, so nothing
// shows. The second pass measures from left 96 and draws the whole text at (96, 4).
TEST_F(BarText, SearchingIsClippedAwayOnTheFirstPassAndWholeFromTheSecond) {
  PrgBar& bar = MakeBar(257, 17, 2);
  const auto without_text = Picture();
  bar.SetShowText(true);
  EXPECT_EQ(Picture(), without_text);
  bar.DrawingControlProgressBar();
  for (int y = 0; y < 17; ++y) {
    std::vector<COLORREF> expected = without_text[static_cast<std::size_t>(y)];
    if (y >= 4 && y <= 11) {
      for (int letter = 0; letter < 11; ++letter) {
        for (int x = 96 + 6 * letter; x < 101 + 6 * letter; ++x) expected[static_cast<std::size_t>(x)] = kBlack;
      }
    }
    EXPECT_EQ(Row(y), expected) << y;
  }
  bar.DrawingControlProgressBar();  // the rectangle stays put from one pass to the next
  EXPECT_EQ(Pixel(96, 4), kBlack);
  EXPECT_EQ(Pixel(160, 11), kBlack);
}

// Other styles have no text: the pass draws nothing visible, on the plain and the overlay looks.
TEST_F(BarText, EmptyTextLeavesEveryOtherLookUntouched) {
  for (std::int32_t style : {0, 1, 3, 4, 5, 6, 8, 9, 12}) {
    PrgBar& bar = MakeBar(120, 20, style);
    bar.SetValue(70);
    const auto without_text = Picture();
    bar.SetShowText(true);
    bar.DrawingControlProgressBar();
    bar.DrawingControlProgressBar();
    EXPECT_EQ(Picture(), without_text) << style;
  }
}

// A font that cannot be had ends the repaint in the text pass: nothing of it reaches the window,
// and the font of the surface is not left changed.
TEST_F(BarText, MissingFontEndsTheRepaint) {
  PrgBar& bar = MakeBar(257, 17, 1);
  bar.SetValue(20);
  const auto before = Picture();
  bar.SetFont(nullptr);
  const int live = gdi::LiveObjectCount();
  bar.SetShowText(true);
  bar.SetValue(80);
  EXPECT_EQ(Picture(), before);
  bar.SetShowText(false);  // without text the font is not needed
  EXPECT_NE(Picture(), before);
  EXPECT_EQ(gdi::LiveObjectCount(), live);
}

// Every look with its text, at sizes down to nothing and with values past both ends, many times
// over: pens, brushes and fonts are all given back.
TEST_F(BarText, RepaintsGiveBackEveryObjectTheyMake) {
  const std::pair<int, int> sizes[] = {{0, 0}, {1, 1}, {1, 17}, {17, 1}, {3, 3}, {7, 5}, {90, 21}};
  for (const auto& [width, height] : sizes) {
    for (std::int32_t style = 0; style <= 10; ++style) {
      PrgBar& bar = MakeBar(width, height, style);
      bar.SetShowText(true);
      bar.SetMetalValue(true);
      bar.SetValue2(60);
      const int live = gdi::LiveObjectCount();
      for (std::int32_t v = -10; v <= 110; v += 7) bar.SetValue(v);
      bar.SetValue(-21474836);
      EXPECT_EQ(gdi::LiveObjectCount(), live) << width << " x " << height << ", style " << style;
    }
  }
}

}  // namespace
}  // namespace lumaveil::progressbar::testing
