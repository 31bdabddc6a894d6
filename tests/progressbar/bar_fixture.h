// A progress bar on a window of its own, with the tests' cell text renderer, and helpers that read whole
// rows and columns of the window and build the rows a test expects from spans of one colour.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "../platform/gdi/gdi_test_support.h"
#include "platform/gdi/gdi.h"
#include "progressbar/drawing_primitives.h"
#include "progressbar/prgbar.h"
#include "progressbar/window_surface.h"

namespace lumaveil::progressbar::testing {

using gdi::COLORREF;
using gdi::RGB;

inline constexpr std::int32_t kBlue = 0x006A240A;  // RGB(10, 36, 106)
inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

inline constexpr COLORREF kColourOf(std::int32_t colour) { return static_cast<COLORREF>(colour); }

// A run of one colour over columns (or rows) first to last, both included.
struct Span {
  int first;
  int last;
  COLORREF colour;
};

inline std::vector<COLORREF> Spans(int length, std::initializer_list<Span> spans) {
  std::vector<COLORREF> line(static_cast<std::size_t>(length), kWhite);
  for (const Span& s : spans) {
    for (int i = s.first; i <= s.last; ++i) line[static_cast<std::size_t>(i)] = s.colour;
  }
  return line;
}

// Columns (or rows) first to last of a line, both included.
inline std::vector<COLORREF> Slice(const std::vector<COLORREF>& line, int first, int last) {
  return {line.begin() + first, line.begin() + last + 1};
}

// The colour of line i of a gradient of n + 1 lines from `end` to `start`: each channel moves
// by a step kept in single precision, then rounds half to even.
inline COLORREF GradientLine(COLORREF end, COLORREF start, int n, int i) {
  const auto channel = [&](int e, int s) {
    const float step = static_cast<float>((s - e) / static_cast<double>(n));
    return static_cast<int>(std::nearbyint(e + static_cast<double>(step) * i));
  };
  return RGB(channel(gdi::GetRValue(end), gdi::GetRValue(start)),
             channel(gdi::GetGValue(end), gdi::GetGValue(start)),
             channel(gdi::GetBValue(end), gdi::GetBValue(start)));
}

inline COLORREF Lighten(std::int32_t colour, std::int32_t amount) {
  return static_cast<COLORREF>(LightenColor(colour, amount));
}

inline COLORREF Blend(std::int32_t first, std::int32_t second, std::int32_t weight) {
  return static_cast<COLORREF>(BlendColors(first, second, weight));
}

class BarTest : public ::testing::Test {
 protected:
  // Each letter is a solid 5 x 8 block on a 6-pixel advance; lines are 8 pixels high.
  void SetUp() override {
    gdi::SetTextRenderer(
        std::make_shared<gdi::testing::CellTextRenderer>(gdi::testing::CellTextRenderer::Cells{6, 5, 8, 0}));
  }

  // A fresh control of the given client size, with the bar colour of the worked examples.
  PrgBar& MakeBar(int width, int height, std::int32_t style = 0, std::int32_t orientation = 0) {
    surface_ = std::make_unique<WindowSurface>(width, height);
    surface_->OnPropertyChanged([this](std::string_view key) { notified_.emplace_back(key); });
    bar_ = std::make_unique<PrgBar>(*surface_);
    bar_->SetColor(kBlue);
    bar_->SetStyle(style);
    bar_->SetOrientation(orientation);
    notified_.clear();
    return *bar_;
  }

  // What the window shows.
  COLORREF Pixel(int x, int y) const { return gdi::GetPixel(surface_->hDC(), x, y); }
  std::vector<COLORREF> Row(int y) const {
    std::vector<COLORREF> row;
    for (int x = 0; x < static_cast<int>(surface_->ScaleWidth()); ++x) row.push_back(Pixel(x, y));
    return row;
  }
  std::vector<COLORREF> Column(int x) const {
    std::vector<COLORREF> column;
    for (int y = 0; y < static_cast<int>(surface_->ScaleHeight()); ++y) column.push_back(Pixel(x, y));
    return column;
  }
  std::vector<std::vector<COLORREF>> Picture() const {
    std::vector<std::vector<COLORREF>> rows;
    for (int y = 0; y < static_cast<int>(surface_->ScaleHeight()); ++y) rows.push_back(Row(y));
    return rows;
  }

  std::unique_ptr<WindowSurface> surface_;
  std::unique_ptr<PrgBar> bar_;
  std::vector<std::string> notified_;
};

}  // namespace lumaveil::progressbar::testing
