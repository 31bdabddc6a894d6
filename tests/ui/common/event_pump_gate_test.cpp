#include "ui/common/event_pump_gate.h"

#include <gtest/gtest.h>

namespace lumaveil::ui {
namespace {

using namespace std::chrono_literals;
using Clock = EventPumpGate::Clock;

TEST(EventPumpGateTest, TheFirstOfferRunsThenOncePerInterval) {
  EventPumpGate gate(2ms);
  const Clock::time_point t0 = Clock::now();
  EXPECT_TRUE(gate.Due(t0)) << "Stop pressed before the first file is seen at once";
  EXPECT_FALSE(gate.Due(t0));
  EXPECT_FALSE(gate.Due(t0 + 1999us));
  EXPECT_TRUE(gate.Due(t0 + 2ms));
  EXPECT_FALSE(gate.Due(t0 + 3ms)) << "the interval counts from the last run";
  EXPECT_TRUE(gate.Due(t0 + 4ms));
  EXPECT_TRUE(gate.Due(t0 + 1ms)) << "a clock that went back runs the events";
}

}  // namespace
}  // namespace lumaveil::ui
