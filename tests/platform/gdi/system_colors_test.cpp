#include <climits>

#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

TEST(SystemColors, IndexesOutsideTheTableGiveBlack) {
  EXPECT_EQ(GetSysColor(-1), 0u);
  EXPECT_EQ(GetSysColor(kSystemColorCount), 0u);
  EXPECT_EQ(GetSysColor(INT_MAX), 0u);
}

TEST(SystemColors, DesktopSourceOverridesWhatItAnswersAndFallsBackForTheRest) {
  struct Desktop : SystemColorSource {
    std::optional<COLORREF> Color(int index) const override {
      if (index == COLOR_HIGHLIGHT) return 0xFF3399FF;  // high byte is not part of the colour
      return std::nullopt;
    }
  };
  SetSystemColorSource(std::make_shared<Desktop>());
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  SetSystemColorSource(nullptr);
  EXPECT_EQ(highlight, 0x3399FFu);
  EXPECT_EQ(face, RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
  EXPECT_EQ(ClassicSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
}

}  // namespace
}  // namespace lumaveil::gdi::testing
