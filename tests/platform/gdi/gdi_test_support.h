// Test helpers: a memory context with a bitmap of its own, pixels read back as rows of letters,
// a check that a test frees every object it makes, and the tests' font engine.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/owned.h"

namespace lumaveil::gdi::testing {

// A w x h memory context filled with `fill`; frees everything on destruction.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
      : width_(width),
        height_(height),
        dc_(CreateCompatibleDC(0)),
        bitmap_(CreateCompatibleBitmap(Owned<Dc>(CreateDCA("DISPLAY", "", "", nullptr)).get(),
                                       width, height)),
        selected_(dc_.get(), bitmap_.get()) {
    const Owned<Brush> brush(CreateSolidBrush(fill));
    const RECT all{0, 0, width, height};
    FillRect(dc(), &all, brush.get());
  }

  HDC dc() const { return dc_.get(); }

  // One string a row; each pixel becomes the letter its colour has in `legend`, "?" otherwise.
  std::vector<std::string> Rows(const std::map<COLORREF, char>& legend) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) {
        const auto it = legend.find(GetPixel(dc(), x, y));
        row += it == legend.end() ? '?' : it->second;
      }
      rows.push_back(row);
    }
    return rows;
  }

 private:
  int width_;
  int height_;
  Owned<Dc> dc_;
  Owned<Bitmap> bitmap_;
  ScopedSelect selected_;
};

// The width and height of a bitmap, read through a memory context it is selected into.
inline RECT BitmapBox(HBITMAP bitmap) {
  const Owned<Dc> dc(CreateCompatibleDC(0));
  const ScopedSelect selected(dc.get(), bitmap);
  RECT box{};
  GetClipBox(dc.get(), &box);
  return box;
}

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
inline constexpr COLORREF kRed = RGB(255, 0, 0);
inline constexpr COLORREF kBlue = RGB(0, 0, 255);
inline const std::map<COLORREF, char> kLegend = {
    {kWhite, '.'}, {kBlack, '#'}, {kRed, 'r'}, {kBlue, 'b'}};

// Fails the test when the objects alive at its end differ from those at its start.
class NoLeaks : public ::testing::Test {
 protected:
  void SetUp() override { live_at_start_ = LiveObjectCount(); }
  void TearDown() override { EXPECT_EQ(LiveObjectCount(), live_at_start_) << "objects leaked"; }

 private:
  int live_at_start_ = 0;
};

// The tests' font engine, plain enough to draw the expected pixels by eye: every byte of the text
// is a cell `advance` pixels wide, and its glyph a solid block over the cell's first `ink_width`
// columns and all of its line but the last `blank_rows` rows. Remembers the last text it was
// given.
class CellTextRenderer : public TextRenderer {
 public:
  struct Cells {
    int advance;
    int ink_width;
    int line_height;  // 0: the font's point size in pixels, so that each font has its own
    int blank_rows;
  };

  explicit CellTextRenderer(Cells cells) : cells_(cells) {}

  TextExtent Measure(const FontDescription& font, std::string_view utf8) const override {
    last_text_ = std::string(utf8);
    return {cells_.advance * static_cast<int>(utf8.size()), LineHeight(font)};
  }

  void Draw(const FontDescription& font, std::string_view utf8, int x, int y, COLORREF color,
            const PixelBuffer& target, const RECT& clip) const override {
    last_text_ = std::string(utf8);
    const std::uint32_t pixel = PixelOf(color);
    const int ink_bottom = y + LineHeight(font) - cells_.blank_rows;
    for (int i = 0; i < static_cast<int>(utf8.size()); ++i) {
      const int cell = x + cells_.advance * i;
      for (int row = std::max(y, clip.top); row < std::min(ink_bottom, clip.bottom); ++row) {
        for (int col = std::max(cell, clip.left);
             col < std::min(cell + cells_.ink_width, clip.right); ++col) {
          target.pixels[row * target.width + col] = pixel;
        }
      }
    }
  }

  const std::string& last_text() const { return last_text_; }

 private:
  int LineHeight(const FontDescription& font) const {
    return cells_.line_height > 0 ? cells_.line_height : static_cast<int>(font.point_size);
  }

  Cells cells_;
  mutable std::string last_text_;
};

}  // namespace lumaveil::gdi::testing
