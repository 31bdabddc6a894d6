#include "ui/common/event_pump_gate.h"

namespace lumaveil::ui {

bool EventPumpGate::Due(Clock::time_point now) {
  // A clock that went back (it should not) must not hold the events back for long.
  if (started_ && now >= lastRun_ && now - lastRun_ < interval_) return false;
  started_ = true;
  lastRun_ = now;
  return true;
}

}  // namespace lumaveil::ui
