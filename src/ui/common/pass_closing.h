// Closing the main window while a pass runs: the pass cannot be left half-way through a folder,
// so it is told to stop, and the window closes once the Scan handler has put everything back.
// Both desktop programs keep this rule through one object.
#pragma once

#include <functional>

namespace lumaveil::ui {

class PassClosing {
 public:
  // Runs Scan's click handler, with the pass inside it; then runs `close` when a close was asked
  // for meanwhile.
  void RunScan(const std::function<void()>& scan, const std::function<void()>& close);
  // A close asked for: true when the window may close now; during a pass, runs `stop` and
  // answers false (the window closes after the pass).
  bool CloseRequested(const std::function<void()>& stop);
  bool PassRunning() const { return pass_running_; }

 private:
  bool pass_running_ = false;
  bool close_after_pass_ = false;
};

}  // namespace lumaveil::ui
