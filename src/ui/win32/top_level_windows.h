// The program ends when its last window has been closed: the main window and the About window
// each count themselves in while open.
#pragma once

#include <functional>

namespace lumaveil::win32 {

class TopLevelWindows {
 public:
  explicit TopLevelWindows(std::function<void()> all_closed) : all_closed_(std::move(all_closed)) {}
  void Opened() { ++open_; }
  void Closed() {
    if (open_ > 0 && --open_ == 0 && all_closed_) all_closed_();
  }
  int Open() const { return open_; }

 private:
  std::function<void()> all_closed_;
  int open_ = 0;
};

}  // namespace lumaveil::win32
