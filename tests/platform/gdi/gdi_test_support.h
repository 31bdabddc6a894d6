// Test helpers: a memory context with a bitmap of its own, pixels read back as rows of letters,
// and a check that a test frees every object it makes.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"

namespace lumaveil::gdi::testing {

// A w x h memory context filled with `fill`; frees everything on destruction.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255))
      : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(0);
    const HDC screen = CreateDCA("DISPLAY", "", "", nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    DeleteDC(screen);
    old_ = SelectObject(dc_, bitmap_);
    const HBRUSH brush = CreateSolidBrush(fill);
    const RECT all{0, 0, width, height};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  HDC dc() const { return dc_; }

  // One string a row; each pixel becomes the letter its colour has in `legend`, "?" otherwise.
  std::vector<std::string> Rows(const std::map<COLORREF, char>& legend) const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) {
        const auto it = legend.find(GetPixel(dc_, x, y));
        row += it == legend.end() ? '?' : it->second;
      }
      rows.push_back(row);
    }
    return rows;
  }

 private:
  int width_;
  int height_;
  HDC dc_ = 0;
  HBITMAP bitmap_ = 0;
  HGDIOBJ old_ = 0;
};

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

}  // namespace lumaveil::gdi::testing
