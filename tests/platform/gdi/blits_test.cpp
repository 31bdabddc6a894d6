#include <climits>

#include "gdi_test_support.h"

namespace lumaveil::gdi::testing {
namespace {

using Blit = NoLeaks;

// A 4 x 3 source: row 0 red, row 1 blue, row 2 black.
void Paint(HDC dc) {
  const COLORREF rows[] = {kRed, kBlue, kBlack};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) SetPixelV(dc, x, y, rows[y]);
  }
  SetPixelV(dc, 0, 0, kWhite);
}

TEST_F(Blit, CopiesARectangle) {
  Canvas source(4, 3);
  Paint(source.dc());
  Canvas dest(5, 4, kBlack);
  EXPECT_TRUE(BitBlt(dest.dc(), 1, 1, 3, 2, source.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(dest.Rows(kLegend), (std::vector<std::string>{"#####", "#.rr#", "#bbb#", "#####"}));
}

TEST_F(Blit, SourceOutsideItsSurfaceCopiesNothingThereAndDestinationIsClipped) {
  Canvas source(4, 3);
  Paint(source.dc());
  Canvas dest(4, 3, kBlack);
  BitBlt(dest.dc(), -1, 1, 10, 10, source.dc(), 2, -1, SRCCOPY);
  EXPECT_EQ(dest.Rows(kLegend), (std::vector<std::string>{"####", "####", "r###"}));
  EXPECT_TRUE(BitBlt(dest.dc(), INT_MAX, INT_MIN, INT_MAX, INT_MAX, source.dc(), INT_MIN,
                     INT_MAX, SRCCOPY));
  EXPECT_TRUE(BitBlt(dest.dc(), 0, 0, -4, 3, source.dc(), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(dest.dc(), 0, 0, 4, 3, source.dc(), 0, 0, PATCOPY));
  EXPECT_EQ(dest.Rows(kLegend), (std::vector<std::string>{"####", "####", "r###"}));
}

TEST_F(Blit, OverlappingCopyWithinOneSurfaceMovesThePicture) {
  Canvas canvas(4, 3);
  Paint(canvas.dc());
  BitBlt(canvas.dc(), 0, 1, 4, 2, canvas.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{".rrr", ".rrr", "bbbb"}));
  BitBlt(canvas.dc(), 0, 0, 4, 2, canvas.dc(), 0, 1, SRCCOPY);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{".rrr", "bbbb", "bbbb"}));
  BitBlt(canvas.dc(), 1, 0, 3, 1, canvas.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(canvas.Rows(kLegend), (std::vector<std::string>{"..rr", "bbbb", "bbbb"}));
}

TEST_F(Blit, CopiesToAHostWindow) {
  Canvas source(4, 3);
  Paint(source.dc());
  const HWND window = CreateHostWindow(2, 2);
  BitBlt(GetHostWindowDC(window), 0, 0, 2, 2, source.dc(), 2, 1, SRCCOPY);
  const PixelBuffer pixels = SurfacePixels(GetHostWindowDC(window));
  ASSERT_EQ(pixels.width, 2);
  EXPECT_EQ(pixels.pixels[0], 0x0000FFu);  // blue as 0x00RRGGBB
  EXPECT_EQ(pixels.pixels[3], 0x000000u);
  DestroyHostWindow(window);
}

}  // namespace
}  // namespace lumaveil::gdi::testing
