// The progress line on a terminal: entries so far, the rate and the current folder, redrawn in
// place at most four times a second, so that a fast pass is not slowed by its own display.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace lumaveil::cli {

class ProgressLine {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  ProgressLine(std::ostream& out, Clock clock = std::chrono::steady_clock::now);

  // Shows the count and the folder, unless the line was drawn less than a quarter second ago.
  // The folder's text is asked for only when the line is drawn: in a deep tree it runs to
  // megabytes, too much to make for every entry.
  void Update(std::uint64_t entries, const std::function<std::string()>& folder);
  // Takes the line away, before other text or at the end.
  void Clear();

 private:
  std::ostream& out_;
  Clock clock_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point drawn_{};
  bool everDrawn_ = false;
  std::size_t width_ = 0;  // of the line on screen
};

}  // namespace lumaveil::cli
