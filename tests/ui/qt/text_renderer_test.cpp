// Text of the device-context layer through Qt's font engine: measuring, and glyphs written only
// inside the clip, in the asked colour, with the buffer's top byte left alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/gdi/types.h"
#include "ui/qt/qt_text_renderer.h"
#include "tree_qt_application.h"

namespace lumaveil::qt {
namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

class TextRendererTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureApplication(); }

  gdi::PixelBuffer Buffer() { return gdi::PixelBuffer{pixels_.data(), kWidth, kHeight}; }
  std::uint32_t At(int x, int y) const { return pixels_[y * kWidth + x]; }

  static constexpr int kWidth = 120;
  static constexpr int kHeight = 30;
  std::vector<std::uint32_t> pixels_ = std::vector<std::uint32_t>(kWidth * kHeight, kWhite);
  QtTextRenderer renderer_{96.0};
  gdi::FontDescription font_;
};

TEST_F(TextRendererTest, MeasuresLongerTextWiderAndEmptyTextAsOneLineHigh) {
  const gdi::TextExtent empty = renderer_.Measure(font_, "");
  const gdi::TextExtent one = renderer_.Measure(font_, "8");
  const gdi::TextExtent four = renderer_.Measure(font_, "8888");
  EXPECT_EQ(empty.width, 0);
  EXPECT_GT(empty.height, 0);
  EXPECT_EQ(one.height, empty.height);
  EXPECT_GT(one.width, 0);
  EXPECT_EQ(four.width, 4 * one.width) << "digits have one advance";
  gdi::FontDescription bigger = font_;
  bigger.point_size = 16.5;
  EXPECT_GT(renderer_.Measure(bigger, "8").height, one.height);
  // 8.25 pt at 96 dpi is an 11-pixel font.
  EXPECT_EQ(renderer_.ToQFont(font_).pixelSize(), 11);
}

TEST_F(TextRendererTest, DrawsTheColourInsideTheClipOnly) {
  const gdi::RECT clip{10, 5, 40, 25};
  renderer_.Draw(font_, "MMMMMMMMMM", 10, 5, gdi::RGB(255, 0, 0), Buffer(), clip);
  int red = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t pixel = At(x, y);
      EXPECT_EQ(pixel >> 24, 0u) << x << "," << y;
      const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
      if (!inside) {
        ASSERT_EQ(pixel, kWhite) << "written outside the clip at " << x << "," << y;
      } else if (pixel == 0x00FF0000) {
        ++red;  // 0x00RRGGBB in the buffer: full red, no green or blue
      }
    }
  }
  EXPECT_GT(red, 0) << "fully covered glyph pixels take the text colour exactly";
}

TEST_F(TextRendererTest, TextOutsideItsClipDrawsNothing) {
  renderer_.Draw(font_, "Hello", 60, 5, gdi::RGB(0, 0, 0), Buffer(), gdi::RECT{0, 0, 50, 30});
  EXPECT_TRUE(std::all_of(pixels_.begin(), pixels_.end(), [](auto p) { return p == kWhite; }));
  renderer_.Draw(font_, "Hello", 0, 0, gdi::RGB(0, 0, 0), Buffer(), gdi::RECT{5, 5, 5, 20});
  EXPECT_TRUE(std::all_of(pixels_.begin(), pixels_.end(), [](auto p) { return p == kWhite; }));
}

}  // namespace
}  // namespace lumaveil::qt
