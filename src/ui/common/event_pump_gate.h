// Decides when a pass that offers the window's events a turn after every file really lets them
// run. A turn costs a poll of the display connection (about 10 us), as much as a file's own
// change, while events that wait a millisecond or two are still handled long before the next
// frame: so the events run at the first offer and then at most once per interval.
#pragma once

#include <chrono>

namespace lumaveil::ui {

class EventPumpGate {
 public:
  using Clock = std::chrono::steady_clock;

  explicit EventPumpGate(Clock::duration interval) : interval_(interval) {}

  // Call at every offer. True: let the events run now (the interval starts again).
  bool Due(Clock::time_point now);

 private:
  Clock::duration interval_;
  Clock::time_point lastRun_{};
  bool started_ = false;
};

}  // namespace lumaveil::ui
