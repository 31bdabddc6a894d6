#include <climits>

#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

using Fill = NoLeaks;

void FillWith(HDC dc, RECT rect, COLORREF color) {
  const HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

TEST_F(Fill, PaintsLeftToRightMinusOneAndTopToBottomMinusOne) {
  Canvas canvas(5, 4);
  FillWith(canvas.dc(), RECT{1, 1, 4, 3}, kRed);
  EXPECT_EQ(canvas.Rows(kLegend),
            (std::vector<std::string>{".....", ".rrr.", ".rrr.", "....."}));
}

TEST_F(Fill, EmptyAndInvertedRectanglesPaintNothing) {
  Canvas canvas(4, 3);
  FillWith(canvas.dc(), RECT{2, 0, 2, 3}, kRed);
  FillWith(canvas.dc(), RECT{3, 0, 1, 3}, kRed);
  FillWith(canvas.dc(), RECT{0, 2, 4, 1}, kRed);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"....", "....", "...."}));
}

TEST_F(Fill, ExtremeCoordinatesAreClippedWithoutOverflow) {
  Canvas canvas(3, 2);
  FillWith(canvas.dc(), RECT{INT_MIN, INT_MIN, INT_MAX, 1}, kRed);
  FillWith(canvas.dc(), RECT{2, INT_MIN, INT_MAX, INT_MAX}, kBlue);
  FillWith(canvas.dc(), RECT{INT_MAX - 1, 0, INT_MAX, 2}, kBlack);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"rrb", "..b"}));
}

TEST_F(Fill, FrameRectDrawsOnePixelInsideAndHandlesTinyRectangles) {
  Canvas canvas(6, 5);
  const HBRUSH brush = CreateSolidBrush(kRed);
  const RECT frame{0, 0, 5, 4};
  const RECT single{5, 4, 6, 5};
  const RECT empty_width{2, 1, 2, 3};
  const RECT inverted{3, 3, 2, 2};
  EXPECT_TRUE(FrameRect(canvas.dc(), &frame, brush));
  EXPECT_TRUE(FrameRect(canvas.dc(), &single, brush));
  EXPECT_FALSE(FrameRect(canvas.dc(), &empty_width, brush));
  EXPECT_FALSE(FrameRect(canvas.dc(), &inverted, brush));
  DeleteObject(brush);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{
                                      "rrrrr.",
                                      "r...r.",
                                      "r...r.",
                                      "rrrrr.",
                                      ".....r",
                                  }));
}

struct HatchCase {
  int style;
  std::vector<std::string> opaque;  // r: hatch line, b: background colour
};

class Hatch : public ::testing::TestWithParam<HatchCase> {};

std::vector<std::string> WithGaps(std::vector<std::string> rows, char gap) {
  for (auto& row : rows) {
    for (char& c : row) {
      if (c == 'b') c = gap;
    }
  }
  return rows;
}

TEST_P(Hatch, OpaqueGapsTakeTheBackgroundColourTransparentGapsStay) {
  const int live = LiveObjectCount();
  for (const int mode : {OPAQUE, TRANSPARENT}) {
    Canvas canvas(8, 8);
    SetBkColor(canvas.dc(), kBlue);
    SetBkMode(canvas.dc(), mode);
    const HBRUSH brush = CreateHatchBrush(GetParam().style, kRed);
    ASSERT_NE(brush, 0);
    const RECT all{0, 0, 8, 8};
    FillRect(canvas.dc(), &all, brush);
    DeleteObject(brush);
    EXPECT_EQ(canvas.Rows(kLegend), WithGaps(GetParam().opaque, mode == OPAQUE ? 'b' : '.'))
        << "mode " << mode;
  }
  EXPECT_EQ(LiveObjectCount(), live);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, Hatch,
    ::testing::Values(
        HatchCase{HS_HORIZONTAL, {"bbbbbbbb", "bbbbbbbb", "bbbbbbbb", "rrrrrrrr", "bbbbbbbb",
                                  "bbbbbbbb", "bbbbbbbb", "bbbbbbbb"}},
        HatchCase{HS_VERTICAL, {"bbbbrbbb", "bbbbrbbb", "bbbbrbbb", "bbbbrbbb", "bbbbrbbb",
                                "bbbbrbbb", "bbbbrbbb", "bbbbrbbb"}},
        HatchCase{HS_FDIAGONAL, {"rbbbbbbb", "brbbbbbb", "bbrbbbbb", "bbbrbbbb", "bbbbrbbb",
                                 "bbbbbrbb", "bbbbbbrb", "bbbbbbbr"}},
        HatchCase{HS_BDIAGONAL, {"bbbbbbbr", "bbbbbbrb", "bbbbbrbb", "bbbbrbbb", "bbbrbbbb",
                                 "bbrbbbbb", "brbbbbbb", "rbbbbbbb"}},
        HatchCase{HS_CROSS, {"bbbbrbbb", "bbbbrbbb", "bbbbrbbb", "rrrrrrrr", "bbbbrbbb",
                             "bbbbrbbb", "bbbbrbbb", "bbbbrbbb"}},
        HatchCase{HS_DIAGCROSS, {"rbbbbbbr", "brbbbbrb", "bbrbbrbb", "bbbrrbbb", "bbbrrbbb",
                                 "bbrbbrbb", "brbbbbrb", "rbbbbbbr"}}));

TEST_F(Fill, HatchIsAlignedToTheContextOriginNotToTheRectangle) {
  Canvas canvas(11, 3);
  const HBRUSH brush = CreateHatchBrush(HS_FDIAGONAL, kRed);
  EXPECT_EQ(SetBkMode(canvas.dc(), TRANSPARENT), OPAQUE);  // a new context is opaque
  const RECT left{0, 0, 5, 3};
  const RECT right{5, 0, 11, 3};
  FillRect(canvas.dc(), &left, brush);
  FillRect(canvas.dc(), &right, brush);
  DeleteObject(brush);
  EXPECT_EQ(canvas.Rows(kLegend),
            (std::vector<std::string>{"r.......r..", ".r.......r.", "..r.......r"}));
}

// Styles 6 to 11 are the platform's internal solid kinds; beyond them there is no brush.
TEST_F(Fill, HatchStylesSixToElevenPaintSolidOthersGiveNoBrush) {
  for (int style = 6; style <= 11; ++style) {
    Canvas canvas(2, 1, kBlue);
    const HBRUSH brush = CreateHatchBrush(style, kRed);
    const RECT rect{0, 0, 2, 1};
    EXPECT_TRUE(FillRect(canvas.dc(), &rect, brush)) << style;
    DeleteObject(brush);
    EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"rr"})) << style;
  }
  EXPECT_EQ(CreateHatchBrush(12, kRed), 0);
  EXPECT_EQ(CreateHatchBrush(-1, kRed), 0);
}

// A high byte with its lowest bit set names a default-palette entry by the low word; past the
// 20 entries it is black. Other high bytes are ignored.
TEST_F(Fill, OddHighBytesNameDefaultPaletteEntries) {
  Canvas canvas(5, 1);
  SetPixelV(canvas.dc(), 0, 0, 0x0100000D);  // entry 13, red
  SetPixelV(canvas.dc(), 1, 0, 0xFF000010);  // entry 16, blue
  SetPixelV(canvas.dc(), 2, 0, 0x0100010D);  // entry 0x10D: past the palette
  SetPixelV(canvas.dc(), 3, 0, 0x020000FF);  // PALETTERGB: red
  SetPixelV(canvas.dc(), 4, 0, 0x800000FF);  // a system-colour reference's bits: red
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"rb#rr"}));
}

TEST_F(Fill, PatternBrushTilesACopyOfTheBitmapFromTheOrigin) {
  const std::uint32_t tile[] = {0xFF0000, 0x0000FF, 0x000000, 0xFFFFFF};  // 2 x 2, 0x00RRGGBB
  const HBITMAP bitmap = CreateBitmapFromPixels(2, 2, tile);
  const HBRUSH brush = CreatePatternBrush(bitmap);
  DeleteObject(bitmap);  // the brush keeps its own copy
  Canvas canvas(5, 3, kBlue);
  const HGDIOBJ previous = SelectObject(canvas.dc(), brush);
  EXPECT_TRUE(PatBlt(canvas.dc(), 1, 0, 4, 3, PATCOPY));
  SelectObject(canvas.dc(), previous);
  DeleteObject(brush);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"bbrbr", "b.#.#", "bbrbr"}));
}

// A negative extent runs back from the start, which is painted (corrected against a real GDI:
// the first call was expected to paint nothing).
TEST_F(Fill, PatBltRunsNegativeExtentsBackAndRefusesOtherOperations) {
  Canvas canvas(3, 2);
  const HBRUSH brush = CreateSolidBrush(kRed);
  const HGDIOBJ previous = SelectObject(canvas.dc(), brush);
  PatBlt(canvas.dc(), 2, 0, -2, 2, PATCOPY);
  PatBlt(canvas.dc(), 0, 0, 3, 0, PATCOPY);
  EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 3, 2, SRCCOPY));
  PatBlt(canvas.dc(), INT_MAX, INT_MAX, INT_MAX, INT_MAX, PATCOPY);
  SelectObject(canvas.dc(), previous);
  DeleteObject(brush);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{".rr", ".rr"}));
}

TEST_F(Fill, SetPixelVWritesOnePixelAndRefusesOutside) {
  Canvas canvas(2, 2);
  EXPECT_TRUE(SetPixelV(canvas.dc(), 1, 0, kRed));
  EXPECT_FALSE(SetPixelV(canvas.dc(), 2, 0, kRed));
  EXPECT_FALSE(SetPixelV(canvas.dc(), -1, 1, kRed));
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{".r", ".."}));
  EXPECT_EQ(GetPixel(canvas.dc(), 2, 0), CLR_INVALID);
}

}  // namespace
}  // namespace lumaveil::gdi::testing
