// The critical-stop message box of a failed folder read, titled "Error Number: " + number,
// modal to the program, with a single OK button.
#pragma once

#include <QMessageBox>
#include <functional>

#include "tree/error_reporter.h"

namespace lumaveil::qt {

class QtErrorBox : public tree::ErrorReporter {
 public:
  explicit QtErrorBox(QWidget* parent) : parent_(parent) {}
  void Report(int number, const std::string& description) override;

  // Called with each box before it is shown; a hook that returns true has dealt with the box
  // (tests read and dismiss it there) and the box is not shown. An empty hook shows boxes.
  using Hook = std::function<bool(QMessageBox&)>;
  static void SetHook(Hook hook);

 private:
  QWidget* parent_;
};

}  // namespace lumaveil::qt
