#include <gtest/gtest.h>

#include "bar_fixture.h"
#include "progressbar/picture.h"

namespace lumaveil::progressbar::testing {
namespace {

using StyledFills = BarTest;

constexpr COLORREF kSilver = RGB(192, 192, 192);

std::vector<COLORREF> Gradient(COLORREF end, COLORREF start, int n, int first, int last) {
  std::vector<COLORREF> line;
  for (int i = first; i <= last; ++i) line.push_back(GradientLine(end, start, n, i));
  return line;
}

// Style 3 at 50: x = round(128.5) = 128, the fill covers columns 1 to 127.
TEST_F(StyledFills, FlatBar) {
  PrgBar& bar = MakeBar(257, 17, 3);
  bar.SetValue(50);
  const COLORREF frame = Lighten(kBlue, 100);
  EXPECT_EQ(Row(0), Spans(257, {{0, 256, frame}}));
  for (int y = 1; y <= 15; ++y) {
    EXPECT_EQ(Row(y), Spans(257, {{0, 0, frame}, {1, 127, Lighten(kBlue, 180)}, {256, 256, frame}}))
        << y;
  }
  EXPECT_EQ(Row(16), Spans(257, {{0, 256, frame}}));
}

// Style 4: x + 1 vertical lines from column 2, rows 2 to b - 4, lightest at the fill's end.
TEST_F(StyledFills, EtchedBar) {
  PrgBar& bar = MakeBar(257, 17, 4);
  bar.SetValue(100);  // x = 253: columns 2 to 255
  const COLORREF from = Lighten(kBlue, 140);
  const COLORREF to = Lighten(kBlue, 200);
  for (int y = 2; y <= 13; ++y) EXPECT_EQ(Slice(Row(y), 2, 255), Gradient(from, to, 253, 0, 253)) << y;
  EXPECT_EQ(Slice(Row(14), 2, 254), std::vector<COLORREF>(253, kWhite));
  bar.SetValue(0);  // one line, in the first colour
  EXPECT_EQ(Slice(Row(5), 2, 254), Spans(253, {{0, 0, from}}));
}

TEST_F(StyledFills, ShadedBar) {
  PrgBar& bar = MakeBar(257, 17, 5);
  bar.SetValue(100);  // x = round(254.46) = 254
  const COLORREF frame = Lighten(kBlue, 10);
  const COLORREF end_line = Lighten(kBlue, 25);
  const COLORREF track_light = Lighten(kBlue, 100);
  const COLORREF fill_light = Lighten(kBlue, 250);
  EXPECT_EQ(Row(1), Spans(257, {{0, 0, frame}, {256, 256, frame}}));
  EXPECT_EQ(Row(2), Spans(257, {{0, 0, frame}, {2, 253, kColourOf(kBlue)}, {254, 254, end_line},
                                {256, 256, frame}}));
  for (int y = 3; y <= 14; ++y) {
    EXPECT_EQ(Row(y), Spans(257, {{0, 0, frame},
                                  {2, 2, GradientLine(kColourOf(kBlue), track_light, 12, y - 2)},
                                  {3, 253, GradientLine(fill_light, kColourOf(kBlue), 11, y - 3)},
                                  {254, 254, end_line},
                                  {256, 256, frame}}))
        << y;
  }
  EXPECT_EQ(Row(15), Spans(257, {{0, 0, frame}, {256, 256, frame}}));

  // At 0 the fill lines run leftward from column 3 and the end line covers the frame.
  bar.SetValue(0);
  const std::vector<COLORREF> row = Row(8);
  EXPECT_EQ(Slice(row, 0, 4),
            (std::vector<COLORREF>{end_line, GradientLine(fill_light, kColourOf(kBlue), 11, 5),
                                   GradientLine(fill_light, kColourOf(kBlue), 11, 5),
                                   GradientLine(fill_light, kColourOf(kBlue), 11, 5),
                                   GradientLine(kColourOf(kBlue), track_light, 12, 6)}));
}

TEST_F(StyledFills, DarkBarOnBlack) {
  PrgBar& bar = MakeBar(257, 17, 6);
  bar.SetValue(100);  // x = 252: columns 2 to 254
  const COLORREF frame = Blend(kBlue, 0, 200);
  const COLORREF dim = Lighten(BlendColors(kBlue, 0, 100), 10);
  EXPECT_EQ(Row(0), Spans(257, {{0, 256, frame}}));
  EXPECT_EQ(Row(1), Spans(257, {{0, 0, frame}, {1, 255, kBlack}, {256, 256, frame}}));
  std::vector<COLORREF> expected = Spans(257, {{0, 0, frame}, {1, 1, kBlack}, {255, 255, kBlack},
                                               {256, 256, frame}});
  for (int x = 2; x <= 254; ++x) expected[static_cast<std::size_t>(x)] = GradientLine(kBlack, dim, 252, x - 2);
  for (int y = 2; y <= 14; ++y) EXPECT_EQ(Row(y), expected) << y;
  EXPECT_EQ(Row(15), Spans(257, {{0, 0, frame}, {1, 255, kBlack}, {256, 256, frame}}));
}

// The hatch spaces take the tint while the surface is opaque, as a fresh one is; the text pass
// leaves it transparent, so from the repaint after it on the spaces are white.
TEST_F(StyledFills, HatchedBarBeforeAndAfterATextPass) {
  PrgBar& bar = MakeBar(257, 17, 7);
  bar.SetBrushStyle(4);
  bar.SetValue(100);  // x = 254: columns 2 to 253, rows 2 to 14
  const COLORREF tint = Lighten(kBlue, 140);
  const auto check = [&](COLORREF spaces, const char* when) {
    int lines = 0;
    int gaps = 0;
    for (int y = 2; y <= 14; ++y) {
      for (int x = 2; x <= 253; ++x) {
        const COLORREF p = Pixel(x, y);
        if (p == kColourOf(kBlue)) {
          ++lines;
        } else {
          ASSERT_EQ(p, spaces) << when << " (" << x << ", " << y << ")";
          ++gaps;
        }
      }
      EXPECT_EQ(Pixel(254, y), kWhite) << when;
    }
    EXPECT_GT(lines, 0) << when;
    EXPECT_GT(gaps, lines) << when;
  };
  check(tint, "before any text pass");
  bar.SetShowText(true);  // this repaint fills before its text pass
  check(tint, "during the first text pass");
  bar.DrawingControlProgressBar();
  check(kWhite, "after the first text pass");
}

TEST_F(StyledFills, HatchStyleOutside16BitsEndsTheRepaint) {
  PrgBar& bar = MakeBar(100, 17, 7);
  bar.SetValue(30);
  const auto before = Picture();
  bar.SetBrushStyle(40000);
  bar.SetValue(90);
  EXPECT_EQ(Picture(), before);
  EXPECT_EQ(bar.value(), 90);
  bar.SetBrushStyle(-32768);  // fits: the platform draws no hatch for it, the rest is drawn
  bar.SetValue(90);
  EXPECT_NE(Picture(), before);
}

TEST_F(StyledFills, PictureBarTilesThePictureFromTheOrigin) {
  PrgBar& bar = MakeBar(257, 17, 8);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) pixels.push_back(RGB(32 * x + 16, 32 * y + 8, (x + y) % 2 ? 224 : 64));
  }
  bar.SetImage(std::make_shared<StdPicture>(8, 8, pixels));
  bar.SetValue(100);  // x = 254: columns 2 to 255, rows 2 to 14
  for (int y = 2; y <= 14; ++y) {
    std::vector<COLORREF> expected;
    for (int x = 2; x <= 255; ++x) expected.push_back(pixels[static_cast<std::size_t>((y % 8) * 8 + x % 8)]);
    EXPECT_EQ(Slice(Row(y), 2, 255), expected) << y;
  }
  EXPECT_EQ(Slice(Row(15), 1, 255), std::vector<COLORREF>(255, kWhite));
}

TEST_F(StyledFills, PictureBarWithoutPictureIsTheEdgeAlone) {
  PrgBar& bar = MakeBar(257, 17, 8);
  bar.SetValue(60);
  const COLORREF shadow = gdi::GetSysColor(gdi::COLOR_BTNSHADOW);
  EXPECT_EQ(Row(0), Spans(257, {{0, 255, shadow}, {256, 256, gdi::GetSysColor(gdi::COLOR_BTNHIGHLIGHT)}}));
  for (int y = 1; y <= 15; ++y) EXPECT_EQ(Row(y), Spans(257, {{0, 0, shadow}})) << y;
}

// A picture bar whose reach cannot be computed stops after the edge; the repaint goes on and
// the copy reaches the window. The etched bar, on the same error, ends the whole repaint.
TEST_F(StyledFills, OwnErrorsEndOnlyTheFlatShadedAndPictureBars) {
  auto picture = std::make_shared<StdPicture>(1, 1, std::vector<std::uint32_t>{0x0000FF});
  for (std::int32_t style : {3, 5, 8, 4, 6, 7, 9}) {
    PrgBar& bar = MakeBar(257, 17, style);
    bar.SetImage(picture);
    bar.SetValue(40);
    const auto before = Picture();
    const int live = gdi::LiveObjectCount();
    bar.SetMax(1);
    bar.SetValue(-21474836);  // -2147483600 percent: no style's reach fits 32 bits
    const bool ends_only_the_style = style == 3 || style == 5 || style == 8;
    EXPECT_EQ(Picture() != before, ends_only_the_style) << style;
    EXPECT_EQ(gdi::LiveObjectCount(), live) << style;
    if (ends_only_the_style) {
      EXPECT_EQ(Pixel(30, 8), kWhite) << style;
    }
  }
}

// Style 9 shares the height between a silver track and the bar; b = 17 gives h = 7, b = 20
// gives h = round(8.5) = 8.
TEST_F(StyledFills, MetalBarHalves) {
  for (int b : {17, 20}) {
    const int h = b == 17 ? 7 : 8;
    PrgBar& bar = MakeBar(257, b, 9);
    bar.SetValue(50);  // reaches column 126
    const std::vector<COLORREF> in_bar = Column(50);
    const std::vector<COLORREF> in_track = Column(200);
    for (int y = 3; y < h; ++y) {
      EXPECT_EQ(in_bar[y], GradientLine(Lighten(kBlue, 150), Blend(kBlue, 0, 180), h, y - 2)) << b << " " << y;
      EXPECT_EQ(in_track[y], GradientLine(kWhite, kSilver, h, y - 2)) << b << " " << y;
    }
    for (int y = h; y <= 2 * h; ++y) {
      if (y >= b - 2) break;  // the border's lines
      EXPECT_EQ(in_bar[y], GradientLine(Blend(kBlue, 0, 190), kColourOf(kBlue), h, y - h)) << b << " " << y;
      EXPECT_EQ(in_track[y], kSilver) << b << " " << y;
    }
    EXPECT_EQ(Pixel(125, h + 1), in_bar[h + 1]);
    EXPECT_EQ(Pixel(126, h + 1), kSilver);
    if (b == 20) {
      EXPECT_EQ(Pixel(100, 17), kWhite);  // below 2h the background shows
    }
  }
}

TEST_F(StyledFills, MetalBarWithSecondValue) {
  PrgBar& bar = MakeBar(257, 17, 9);
  bar.SetColor2(0x0080FF);
  bar.SetMetalValue(true);
  bar.SetValue(30);   // main bar to column 75, rows 2 to 8
  bar.SetValue2(80);  // second bar to column 201, rows 9 to 18
  const COLORREF second_light = Lighten(0x0080FF, 170);
  const COLORREF second = 0x0080FF;
  const std::vector<COLORREF> both = Column(50);
  const std::vector<COLORREF> second_only = Column(150);
  for (int y = 3; y <= 8; ++y) {
    EXPECT_EQ(both[y], GradientLine(Lighten(kBlue, 150), Blend(kBlue, 0, 200), 6, y - 2)) << y;
  }
  for (int y = 9; y <= 14; ++y) {
    EXPECT_EQ(both[y], GradientLine(second_light, second, 9, y - 9)) << y;
    EXPECT_EQ(second_only[y], both[y]) << y;
  }
  EXPECT_EQ(second_only[7], kSilver);
  EXPECT_EQ(second_only[8], kSilver);
  EXPECT_EQ(Pixel(75, 5), both[5]);
  EXPECT_EQ(Pixel(76, 5), GradientLine(kWhite, kSilver, 7, 3));
  EXPECT_EQ(Pixel(201, 10), both[10]);
  EXPECT_EQ(Pixel(202, 10), kSilver);
  // The lower bar reaches further; without MetalValue it is gone.
  bar.SetMetalValue(false);
  EXPECT_EQ(Pixel(150, 10), kSilver);
}

}  // namespace
}  // namespace lumaveil::progressbar::testing
