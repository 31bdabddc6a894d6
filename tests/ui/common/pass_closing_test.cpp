#include "ui/common/pass_closing.h"

#include <gtest/gtest.h>

namespace lumaveil::ui {
namespace {

TEST(PassClosingTest, ACloseDuringThePassStopsItAndClosesAfterIt) {
  PassClosing closing;
  int stops = 0;
  int closes = 0;
  closing.RunScan(
      [&] {
        EXPECT_TRUE(closing.PassRunning());
        EXPECT_FALSE(closing.CloseRequested([&] { ++stops; }));
        EXPECT_EQ(closes, 0) << "not while the pass runs";
      },
      [&] { ++closes; });
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(closes, 1);
  EXPECT_FALSE(closing.PassRunning());

  // Idle: the window closes at once, and a later pass does not close it again.
  EXPECT_TRUE(closing.CloseRequested([&] { ++stops; }));
  closing.RunScan([] {}, [&] { ++closes; });
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(closes, 1);
}

}  // namespace
}  // namespace lumaveil::ui
