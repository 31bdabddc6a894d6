// The critical-stop message box of a failed folder read, titled "Error Number: " + number,
// modal to the program, with a single OK button.
#pragma once

#include <QWidget>

#include "tree/error_reporter.h"

namespace lumaveil::qt {

class QtErrorBox : public tree::ErrorReporter {
 public:
  explicit QtErrorBox(QWidget* parent) : parent_(parent) {}
  void Report(int number, const std::string& description) override;

 private:
  QWidget* parent_;
};

}  // namespace lumaveil::qt
