#include "ui/win32/top_level_windows.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "ui/win32/windows_api.h"

namespace lumaveil::win32 {
namespace {

// Stands in for a window: open while it has a handle; counts how many were made.
struct FakeWindow {
  explicit FakeWindow(int* made) { ++*made; }
  HWND hwnd() const { return closed ? nullptr : reinterpret_cast<HWND>(std::uintptr_t{1}); }
  bool closed = false;
};

TEST(TopLevelTest, OpensOnceWhileOpenAndAnewAfterTheUserClosedIt) {
  int made = 0;
  TopLevel<FakeWindow> window;
  EXPECT_EQ(window.Get(), nullptr);
  FakeWindow& first = window.Open(&made);
  EXPECT_EQ(window.Get(), &first);
  EXPECT_EQ(&window.Open(&made), &first) << "an open window is brought back, not made again";
  EXPECT_EQ(made, 1);

  first.closed = true;
  EXPECT_EQ(window.Get(), nullptr) << "a closed window is not offered";
  FakeWindow& second = window.Open(&made);
  EXPECT_EQ(made, 2);
  EXPECT_FALSE(second.closed);
  EXPECT_EQ(window.Get(), &second);
}

}  // namespace
}  // namespace lumaveil::win32
