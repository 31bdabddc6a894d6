#include "ui/common/repaint_throttle.h"

namespace lumaveil::ui {

bool RepaintThrottle::Change(Clock::time_point now) {
  if (!started_ || now - lastRepaint_ >= frame_) {
    started_ = true;
    lastRepaint_ = now;
    pending_ = false;
    return true;
  }
  pending_ = true;
  return false;
}

void RepaintThrottle::Flushed(Clock::time_point now) {
  started_ = true;
  lastRepaint_ = now;
  pending_ = false;
}

}  // namespace lumaveil::ui
