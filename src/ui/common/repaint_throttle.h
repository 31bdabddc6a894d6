// Decides when a label that changes thousands of times a second may ask to be repainted: at most
// once per frame of the screen. What it holds back is painted when the frame is over, so the
// last text always reaches the screen.
#pragma once

#include <chrono>

namespace lumaveil::ui {

class RepaintThrottle {
 public:
  using Clock = std::chrono::steady_clock;

  explicit RepaintThrottle(Clock::duration frame) : frame_(frame) {}

  // Call on every change. True: repaint now (and the frame starts). False: the change is held
  // back until Due(); the caller arranges one repaint then.
  bool Change(Clock::time_point now);
  // Call when the held-back repaint is done.
  void Flushed(Clock::time_point now);
  bool Pending() const { return pending_; }
  // When the held-back change may be painted.
  Clock::time_point Due() const { return lastRepaint_ + frame_; }

 private:
  Clock::duration frame_;
  Clock::time_point lastRepaint_{};
  bool started_ = false;
  bool pending_ = false;
};

}  // namespace lumaveil::ui
