#include "common/numeric.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

#include "common/error_number_of.h"

namespace lumaveil::numeric {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundToInt32(2.5), 2);
  EXPECT_EQ(RoundToInt32(3.5), 4);
  EXPECT_EQ(RoundToInt32(0.5), 0);
  EXPECT_EQ(RoundToInt32(-0.5), 0);
  EXPECT_EQ(RoundToInt32(-2.5), -2);
  EXPECT_EQ(RoundToInt32(-3.5), -4);
  EXPECT_EQ(RoundToInt32(98.5), 98);
  EXPECT_EQ(RoundToInt32(99.5), 100);
  EXPECT_EQ(RoundToInt32(132.59), 133);
  EXPECT_EQ(RoundToInt32(-1.4999), -1);
  EXPECT_EQ(RoundToInt32(0.49999999999999994), 0);
  EXPECT_EQ(RoundToInt32(-0.49999999999999994), 0);
  EXPECT_EQ(RoundToInt16(110.5), 110);
}

TEST(Rounding, ResultsOutsideTheTargetRangeOverflow) {
  EXPECT_EQ(RoundToInt32(2147483647.4), INT_MAX);
  EXPECT_EQ(RoundToInt32(-2147483648.5), INT_MIN);  // halves to even, inside the range
  EXPECT_EQ(ErrorNumberOf([] { RoundToInt32(2147483647.5); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { RoundToInt32(-2147483649.0); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { RoundToInt32(std::numeric_limits<double>::quiet_NaN()); }),
            error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { RoundToInt32(std::numeric_limits<double>::infinity()); }),
            error::kOverflow);
  EXPECT_EQ(RoundToInt16(-32768.5), -32768);
  EXPECT_EQ(ErrorNumberOf([] { RoundToInt16(32767.5); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { RoundToInt16(1e10); }), error::kOverflow);
}

TEST(CheckedArithmetic, ThirtyTwoBitResultsOutsideTheRangeOverflow) {
  EXPECT_EQ(Add32(INT_MAX - 1, 1), INT_MAX);
  EXPECT_EQ(ErrorNumberOf([] { Add32(INT_MAX, 1); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Sub32(INT_MIN, 1); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Sub32(255, INT_MIN); }), error::kOverflow);
  EXPECT_EQ(Mul32(-65536, 32768), INT_MIN);
  EXPECT_EQ(ErrorNumberOf([] { Mul32(65536, 32768); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Mul32(46341, 46341); }), error::kOverflow);
  EXPECT_EQ(ErrorNumberOf([] { Mul32(-1, INT_MIN); }), error::kOverflow);
}

TEST(IntegerDivision, TruncatesTowardZeroAndModTakesTheDividendsSign) {
  EXPECT_EQ(Div32(-7, 2), -3);
  EXPECT_EQ(Div32(7, -2), -3);
  EXPECT_EQ(Mod32(-7, 3), -1);
  EXPECT_EQ(Mod32(7, -3), 1);
  EXPECT_EQ(Mod32(130, 8), 2);
  EXPECT_EQ(Mod32(49 - 100, 8), -3);
  EXPECT_EQ(Mod32(INT_MIN, -1), 0);
}

TEST(IntegerDivision, ZeroDivisorAndTheOneOverflowingQuotient) {
  EXPECT_EQ(ErrorNumberOf([] { Div32(1, 0); }), error::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([] { Mod32(1, 0); }), error::kDivisionByZero);
  EXPECT_EQ(ErrorNumberOf([] { Div32(INT_MIN, -1); }), error::kOverflow);
  try {
    Div32(1, 0);
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.Description(), "Division by zero");
  }
  try {
    Add32(INT_MAX, 1);
  } catch (const RunTimeError& e) {
    EXPECT_EQ(e.Description(), "Overflow");
  }
}

}  // namespace
}  // namespace lumaveil::numeric
