// The once-a-frame rule of labels that a pass rewrites for every file.
#include "ui/common/repaint_throttle.h"

#include <gtest/gtest.h>

namespace lumaveil::ui {
namespace {

using namespace std::chrono_literals;
using Clock = RepaintThrottle::Clock;

TEST(RepaintThrottleTest, OneRepaintPerFrameAndTheRestHeldBack) {
  RepaintThrottle throttle(16ms);
  const Clock::time_point t0 = Clock::now();
  EXPECT_TRUE(throttle.Change(t0)) << "the first change paints at once";
  EXPECT_FALSE(throttle.Pending());
  EXPECT_FALSE(throttle.Change(t0 + 1ms));
  EXPECT_FALSE(throttle.Change(t0 + 15ms));
  EXPECT_TRUE(throttle.Pending());
  EXPECT_EQ(throttle.Due(), t0 + 16ms);
  EXPECT_TRUE(throttle.Change(t0 + 16ms)) << "a new frame paints at once again";
  EXPECT_FALSE(throttle.Pending());
}

TEST(RepaintThrottleTest, FlushStartsANewFrame) {
  RepaintThrottle throttle(10ms);
  const Clock::time_point t0 = Clock::now();
  EXPECT_TRUE(throttle.Change(t0));
  EXPECT_FALSE(throttle.Change(t0 + 2ms));
  throttle.Flushed(t0 + 10ms);
  EXPECT_FALSE(throttle.Pending());
  EXPECT_FALSE(throttle.Change(t0 + 12ms)) << "still inside the frame the flush began";
  EXPECT_EQ(throttle.Due(), t0 + 20ms);
}

}  // namespace
}  // namespace lumaveil::ui
