#include "ui/common/pass_closing.h"

namespace lumaveil::ui {

void PassClosing::RunScan(const std::function<void()>& scan, const std::function<void()>& close) {
  // Scan is disabled while its pass runs, so this is never entered twice at once.
  pass_running_ = true;
  scan();
  pass_running_ = false;
  if (close_after_pass_) {
    close_after_pass_ = false;
    close();
  }
}

bool PassClosing::CloseRequested(const std::function<void()>& stop) {
  if (!pass_running_) return true;
  stop();
  close_after_pass_ = true;
  return false;
}

}  // namespace lumaveil::ui
