// How a node click tells the user that a folder could not be read.
#pragma once

#include <string>

namespace lumaveil::tree {

class ErrorReporter {
 public:
  virtual ~ErrorReporter() = default;
  // Shows the failure and returns once the user has dismissed it.
  virtual void Report(int number, const std::string& description) = 0;
};

// The title the user sees over a failure: "Error Number: 76".
std::string ErrorTitle(int number);

}  // namespace lumaveil::tree
