#include "ui/common/splash_ticks.h"

#include <gtest/gtest.h>

namespace lumaveil::ui {
namespace {

TEST(SplashTicksTest, CaptionsOfTheTwentyTicksAndTheEndAtOneHundred) {
  int process_changes = 0;
  std::string status;
  for (std::int32_t value = 5; value <= 100; value += kSplashStep) {
    const SplashTick tick = SplashTickAt(value - kSplashStep, value);
    EXPECT_EQ(tick.load_caption, "Loading LMV System : " + std::to_string(value) + "% of 100%");
    if (tick.process_caption) {
      ++process_changes;
      status = *tick.process_caption;
    }
    if (value == 10) {
      EXPECT_EQ(status, "Scanning Components....");
    }
    if (value >= 50 && value < 85) {
      EXPECT_EQ(status, " Please Wait ...");
    }
    EXPECT_EQ(tick.unload, value == 100) << value;
  }
  EXPECT_EQ(process_changes, 3);
  EXPECT_EQ(status, "Scanning Process Finished...");
}

TEST(SplashTicksTest, ABarThatCannotReachOneHundredStillEnds) {
  EXPECT_TRUE(SplashTickAt(80, 80).unload) << "stuck at a stored Max of 80";
  EXPECT_TRUE(SplashTickAt(95, 105).unload) << "past 100";
  EXPECT_FALSE(SplashTickAt(0, 5).unload);
}

}  // namespace
}  // namespace lumaveil::ui
