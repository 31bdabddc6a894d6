#include <climits>

#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

class Line : public NoLeaks {
 protected:
  // Draws each segment with a one-pixel red pen and returns the picture.
  std::vector<std::string> Draw(int width, int height, std::vector<std::pair<POINT, POINT>> lines,
                                int style = PS_SOLID) {
    Canvas canvas(width, height);
    const HPEN pen = CreatePen(style, 1, kRed);
    const HGDIOBJ previous = SelectObject(canvas.dc(), pen);
    for (const auto& [from, to] : lines) {
      MoveToEx(canvas.dc(), from.x, from.y, nullptr);
      LineTo(canvas.dc(), to.x, to.y);
    }
    SelectObject(canvas.dc(), previous);
    DeleteObject(pen);
    return canvas.Rows(kLegend);
  }
};

TEST_F(Line, HorizontalAndVerticalLinesStopBeforeTheEndPointInEitherDirection) {
  EXPECT_EQ(Draw(6, 4, {{{1, 0}, {5, 0}}, {{5, 1}, {1, 1}}, {{0, 1}, {0, 4}}, {{3, 3}, {3, 2}}}),
            (std::vector<std::string>{
                ".rrrr.",
                "r.rrrr",
                "r.....",
                "r..r..",
            }));
}

TEST_F(Line, DiagonalsOfAllFourDirections) {
  EXPECT_EQ(Draw(5, 5, {{{0, 0}, {4, 4}}}),
            (std::vector<std::string>{"r....", ".r...", "..r..", "...r.", "....."}));
  EXPECT_EQ(Draw(5, 5, {{{4, 4}, {0, 0}}}),
            (std::vector<std::string>{".....", ".r...", "..r..", "...r.", "....r"}));
  EXPECT_EQ(Draw(5, 5, {{{0, 4}, {4, 0}}}),
            (std::vector<std::string>{".....", "...r.", "..r..", ".r...", "r...."}));
  EXPECT_EQ(Draw(5, 5, {{{4, 0}, {0, 4}}}),
            (std::vector<std::string>{"....r", "...r.", "..r..", ".r...", "....."}));
}

// Ties (the line exactly halfway between two pixels) go to the smaller coordinate in every
// direction, as measured on a real GDI; these expectations were corrected from ties going to
// the larger one.
TEST_F(Line, ShallowAndSteepSlopesTakeTheNearestPixelTiesToTheSmallerCoordinate) {
  EXPECT_EQ(Draw(5, 3, {{{0, 0}, {4, 2}}}), (std::vector<std::string>{"rr...", "..rr.", "....."}));
  EXPECT_EQ(Draw(5, 3, {{{4, 2}, {0, 0}}}), (std::vector<std::string>{".r...", "..rr.", "....r"}));
  EXPECT_EQ(Draw(2, 4, {{{0, 0}, {1, 3}}}), (std::vector<std::string>{"r.", "r.", ".r", ".."}));
  EXPECT_EQ(Draw(7, 2, {{{0, 0}, {6, 1}}}), (std::vector<std::string>{"rrrr...", "....rr."}));
  EXPECT_EQ(Draw(2, 5, {{{1, 4}, {0, 0}}}), (std::vector<std::string>{"..", "r.", "r.", ".r", ".r"}));
}

TEST_F(Line, ZeroLengthAndNullPenDrawNothing) {
  EXPECT_EQ(Draw(2, 2, {{{1, 1}, {1, 1}}}), (std::vector<std::string>{"..", ".."}));
  EXPECT_EQ(Draw(2, 2, {{{0, 0}, {2, 0}}}, PS_NULL), (std::vector<std::string>{"..", ".."}));
}

TEST_F(Line, LongLinesAreClippedAndOutOfRangeCoordinatesDrawNothing) {
  EXPECT_EQ(Draw(3, 3, {{{-100000000, 0}, {100000000, 0}},
                        {{1, 100000000}, {1, -100000000}},
                        {{INT_MIN, 2}, {INT_MAX, 2}}}),
            (std::vector<std::string>{"rrr", ".r.", ".r."}));
  // A line far outside, crossing the surface on a slope.
  EXPECT_EQ(Draw(3, 3, {{{-3000, -3000}, {3000, 3000}}}),
            (std::vector<std::string>{"r..", ".r.", "..r"}));
}

TEST_F(Line, LineToMovesTheCurrentPositionToItsEnd) {
  Canvas canvas(4, 2);
  const HPEN pen = CreatePen(PS_SOLID, 0, kBlue);
  const HGDIOBJ previous = SelectObject(canvas.dc(), pen);
  POINT before;
  MoveToEx(canvas.dc(), 0, 0, &before);
  EXPECT_EQ(before, (POINT{0, 0}));
  LineTo(canvas.dc(), 3, 0);
  LineTo(canvas.dc(), 3, 2);
  MoveToEx(canvas.dc(), 0, 1, &before);
  EXPECT_EQ(before, (POINT{3, 2}));
  SelectObject(canvas.dc(), previous);
  DeleteObject(pen);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"bbbb", "...b"}));
}

TEST_F(Line, TheDefaultPenIsBlack) {
  Canvas canvas(3, 1);
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 2, 0);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"##."}));
}

TEST_F(Line, OnlyOnePixelSolidAndNullPensAreMade) {
  EXPECT_EQ(CreatePen(PS_SOLID, 2, kRed), 0);
  EXPECT_EQ(CreatePen(1, 1, kRed), 0);
}

}  // namespace
}  // namespace lumaveil::gdi::testing
