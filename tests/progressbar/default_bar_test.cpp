#include <gtest/gtest.h>

#include "bar_fixture.h"

namespace lumaveil::progressbar::testing {
namespace {

using DefaultBar = BarTest;

constexpr COLORREF kFrame = RGB(104, 104, 104);
constexpr COLORREF kGrey = RGB(190, 190, 190);
constexpr COLORREF kPale = RGB(239, 239, 239);

// The fill colours of the worked examples: the tint LightenColor(colour, 150) and the colour.
const COLORREF kTint = RGB(154, 164, 193);
const COLORREF kColour = RGB(10, 36, 106);

// A row of the 257-wide control between the border's top and bottom lines: frame, grey and
// pale left lines, then `inside` over columns 3 to 254, pale right line and frame.
std::vector<COLORREF> BorderedRow(std::initializer_list<Span> inside) {
  std::vector<COLORREF> row = Spans(257, inside);
  row[0] = kFrame;
  row[1] = kGrey;
  row[2] = kPale;
  row[255] = kPale;
  row[256] = kFrame;
  return row;
}

// Style 1 at 50: the fill ends at column 132; on a 17-pixel bar the bottom band paints over the
// solid part and the lower rows of the top band.
TEST_F(DefaultBar, ShadedRowsOfAHorizontalBar) {
  PrgBar& bar = MakeBar(257, 17, 1);
  bar.SetValue(50);
  EXPECT_EQ(Row(3), BorderedRow({{4, 132, kTint}}));
  for (int row = 4; row <= 6; ++row) {
    EXPECT_EQ(Row(row), BorderedRow({{4, 132, GradientLine(kTint, kColour, 6, row - 3)}})) << row;
  }
  for (int row = 7; row <= 13; ++row) {
    EXPECT_EQ(Row(row), BorderedRow({{4, 132, GradientLine(kColour, kTint, 6, row - 7)}})) << row;
  }
  EXPECT_EQ(Row(7)[100], kColour);
  EXPECT_EQ(Row(13)[100], kTint);
  std::vector<COLORREF> row14 = BorderedRow({});  // corner pixels stand in row b - 3
  row14[0] = row14[256] = RGB(127, 126, 125);
  EXPECT_EQ(Row(14), row14);
}

TEST_F(DefaultBar, BlocksAndGapsOfStyle0) {
  PrgBar& bar = MakeBar(257, 17, 0);
  bar.SetValue(50);
  std::vector<COLORREF> expected = BorderedRow({});
  for (int block = 4; block <= 124; block += 8) {
    for (int x = block; x <= block + 5; ++x) expected[static_cast<std::size_t>(x)] = kTint;
  }
  EXPECT_EQ(Row(3), expected);  // 16 blocks, 124 to 129 the last; 130 and 131 a gap
}

TEST_F(DefaultBar, FullBarStopsBeforeTheBorder) {
  PrgBar& bar = MakeBar(257, 17, 0);
  bar.SetValue(100);
  EXPECT_EQ(Row(3)[252], kTint);  // block 252 to 257 cut short by F.right 255
  EXPECT_EQ(Row(3)[254], kTint);
  bar.SetStyle(1);
  EXPECT_EQ(Row(3), BorderedRow({{4, 254, kTint}}));
}

TEST_F(DefaultBar, ShortPiecesShowAtZeroAndBelow) {
  PrgBar& bar = MakeBar(257, 17, 1);
  for (std::int32_t v : {0, -40, 2, 4}) {  // ends 3, 3, 7, 13: all pulled to 12
    bar.SetValue(v);
    EXPECT_EQ(Row(3), BorderedRow({{4, 11, kTint}})) << v;
  }
  bar.SetValue(5);  // x = round(254 x 5 / 98 + 3) = 16, pulled back to 15: stays
  EXPECT_EQ(Row(3), BorderedRow({{4, 14, kTint}}));
  bar.SetStyle(0);
  bar.SetValue(0);
  EXPECT_EQ(Row(3), BorderedRow({{4, 9, kTint}}));
}

TEST_F(DefaultBar, ValueAbove100IsStoredAs100) {
  PrgBar& bar = MakeBar(257, 17, 1);
  bar.SetValue(100);
  const auto full = Picture();
  bar.SetValue(150);
  EXPECT_EQ(bar.value(), 100);
  EXPECT_EQ(Picture(), full);
}

// 17 x 100, style 0 at 50: blocks at rows 52-57, 60-65, ..., 92-97; the solid part is empty at
// this width, so only the side bands (columns 4-8 and 9-13) show.
TEST_F(DefaultBar, VerticalBlocks) {
  PrgBar& bar = MakeBar(17, 100, 0, 1);
  bar.SetValue(50);
  std::vector<COLORREF> expected(100, kWhite);
  for (int top = 52; top <= 92; top += 8) {
    for (int y = top; y <= top + 5; ++y) expected[static_cast<std::size_t>(y)] = kTint;
  }
  expected[0] = kFrame;
  expected[1] = kGrey;
  expected[2] = kPale;
  expected[98] = kPale;
  expected[99] = kFrame;
  EXPECT_EQ(Column(4), expected);
  for (int x = 4; x <= 13; ++x) {
    const COLORREF band = x <= 8 ? GradientLine(kTint, kColour, 4, x - 4)
                                 : GradientLine(kColour, kTint, 4, x - 9);
    EXPECT_EQ(Pixel(x, 60), band) << x;
    EXPECT_EQ(Pixel(x, 58), kWhite) << x;
  }
  EXPECT_EQ(Pixel(8, 60), kColour);
  EXPECT_EQ(Pixel(9, 60), kColour);
  EXPECT_EQ(Pixel(13, 60), kTint);
}

TEST_F(DefaultBar, VerticalWithoutGapsAndAtZero) {
  PrgBar& bar = MakeBar(17, 100, 1, 1);
  bar.SetValue(50);
  std::vector<COLORREF> column = Column(6);
  EXPECT_EQ(column[49], kWhite);
  EXPECT_EQ(column[50], GradientLine(kTint, kColour, 4, 2));  // mBarRect.top 50
  EXPECT_EQ(column[97], column[50]);
  bar.SetValue(0);
  for (int y = 3; y <= 97; ++y) EXPECT_EQ(Pixel(6, y), kWhite) << y;
}

// Style 2 at 50: segments of ten columns at 110, 122 and 134, rows 3 to 14, lightest first.
TEST_F(DefaultBar, Style2SegmentsFollowTheValue) {
  PrgBar& bar = MakeBar(257, 17, 2);
  bar.SetValue(50);
  std::vector<COLORREF> row = BorderedRow({});
  for (int i = 0; i < 3; ++i) {
    const COLORREF c1 = Lighten(kBlue, 220 - 40 * i);
    const COLORREF c2 = Lighten(kBlue, 200 - 40 * i);
    for (int k = 0; k <= 9; ++k) row[static_cast<std::size_t>(110 + 12 * i + k)] = GradientLine(c1, c2, 9, k);
  }
  for (int y = 3; y <= 13; ++y) EXPECT_EQ(Row(y), row) << y;
  EXPECT_EQ(Row(14)[110], row[110]);
  bar.SetValue(100);  // at 261, 273, 285: beyond the window
  EXPECT_EQ(Row(8), BorderedRow({}));
  bar.SetValue(0);  // at -33, -21, -9: the last shows in columns 0 to 0, under the border
  EXPECT_EQ(Row(8), BorderedRow({}));
}

TEST_F(DefaultBar, Style2VerticalSegmentsLieBelowTheTop) {
  PrgBar& bar = MakeBar(17, 100, 2, 1);
  bar.SetValue(50);  // mBarRect.top 50; rows 50-59, 62-71, 74-83; columns 3 to 15
  for (int i = 0; i < 3; ++i) {
    const COLORREF c1 = Lighten(kBlue, 220 - 40 * i);
    const COLORREF c2 = Lighten(kBlue, 200 - 40 * i);
    for (int k = 0; k <= 9; ++k) {
      std::vector<COLORREF> row = Spans(17, {{3, 14, GradientLine(c1, c2, 9, k)}});
      row[0] = kFrame;
      row[1] = kGrey;
      row[2] = kPale;
      row[15] = kPale;
      row[16] = kFrame;
      EXPECT_EQ(Row(50 + 12 * i + k), row) << i << " " << k;
    }
  }
  EXPECT_EQ(Pixel(8, 49), kWhite);
  EXPECT_EQ(Pixel(8, 60), kWhite);
}

// The border's 24 corner pixels and the lines next to them, on a bar and on the metal look.
TEST_F(DefaultBar, BorderCornerPixels) {
  for (std::int32_t style : {0, 9}) {
    PrgBar& bar = MakeBar(40, 20, style);
    bar.SetValue(0);
    const int r = 40;
    const int b = 20;
    const struct {
      int x, y;
      COLORREF colour;
    } corners[] = {
        {0, 0, RGB(255, 255, 255)},         {0, 1, RGB(172, 171, 166)},
        {0, 2, RGB(127, 126, 125)},         {1, 0, RGB(172, 171, 167)},
        {1, 1, RGB(119, 119, 119)},         {2, 0, RGB(127, 126, 125)},
        {2, 2, RGB(190, 190, 190)},         {0, b - 1, RGB(255, 255, 255)},
        {1, b - 1, RGB(172, 171, 166)},     {2, b - 1, RGB(127, 126, 125)},
        {0, b - 3, RGB(127, 126, 125)},     {0, b - 2, RGB(172, 171, 167)},
        {1, b - 2, RGB(119, 119, 119)},     {r - 1, 0, RGB(255, 255, 255)},
        {r - 1, 1, RGB(190, 190, 190)},     {r - 1, 2, RGB(127, 126, 125)},
        {r - 2, 2, RGB(190, 190, 190)},     {r - 2, 1, RGB(104, 104, 104)},
        {r - 1, b - 1, RGB(255, 255, 255)}, {r - 1, b - 2, RGB(190, 190, 190)},
        {r - 1, b - 3, RGB(127, 126, 125)}, {r - 2, b - 2, RGB(119, 119, 119)},
        {r - 2, b - 1, RGB(190, 190, 190)}, {r - 3, b - 1, RGB(127, 126, 125)},
    };
    for (const auto& c : corners) {
      EXPECT_EQ(Pixel(c.x, c.y), c.colour) << "style " << style << " (" << c.x << ", " << c.y << ")";
    }
    // Top and bottom rows: frame between the corners; row 1 grey, row b - 2 pale.
    EXPECT_EQ(Row(0), Spans(40, {{0, 0, kWhite}, {1, 1, RGB(172, 171, 167)},
                                 {2, 2, RGB(127, 126, 125)}, {3, 38, kFrame}}));
    EXPECT_EQ(Row(1), Spans(40, {{0, 0, RGB(172, 171, 166)}, {1, 1, RGB(119, 119, 119)},
                                 {2, 37, kGrey}, {38, 38, kFrame}, {39, 39, kGrey}}));
    const std::vector<COLORREF> row18 = Row(b - 2);
    EXPECT_EQ(std::vector<COLORREF>(row18.begin() + 3, row18.begin() + 38),
              std::vector<COLORREF>(35, kPale));
  }
}

// Any style number without a look of its own draws as style 1.
TEST_F(DefaultBar, UnknownStylesDrawAsStyle1) {
  PrgBar& bar = MakeBar(257, 17, 1);
  bar.SetValue(63);
  const auto style1 = Picture();
  for (std::int32_t style : {-1, 10, 2147483647}) {
    bar.SetStyle(style);
    EXPECT_EQ(Picture(), style1) << style;
  }
}

}  // namespace
}  // namespace lumaveil::progressbar::testing
