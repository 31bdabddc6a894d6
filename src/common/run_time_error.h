// The program's failures: a run-time error with a number and a description, as the user sees
// them in message boxes ("Error Number: 76", "Path not found"). Every layer throws this one type;
// each handler decides whether to skip the failing step, jump to its end or let it through.
#pragma once

#include <stdexcept>
#include <string>

namespace lumaveil {

namespace error {
inline constexpr int kOverflow = 6;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kDiskNotReady = 71;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kPathNotFound = 76;
}  // namespace error

class RunTimeError : public std::runtime_error {
 public:
  RunTimeError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}

  int Number() const noexcept { return number_; }
  std::string Description() const { return what(); }

 private:
  int number_;
};

}  // namespace lumaveil
