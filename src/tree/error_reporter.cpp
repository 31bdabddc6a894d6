#include "tree/error_reporter.h"

namespace lumaveil::tree {

std::string ErrorTitle(int number) { return "Error Number: " + std::to_string(number); }

}  // namespace lumaveil::tree
