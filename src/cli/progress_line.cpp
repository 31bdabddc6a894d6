#include "cli/progress_line.h"

#include <cstdio>

namespace lumaveil::cli {
namespace {

constexpr auto kInterval = std::chrono::milliseconds(250);
constexpr std::size_t kWidth = 79;  // fits an 80-column terminal without wrapping

// Keeps the end of a long folder path, which says more than its start; cuts at a character.
std::string Tail(const std::string& text, std::size_t room) {
  if (text.size() <= room) return text;
  std::size_t from = text.size() - (room > 3 ? room - 3 : 0);
  while (from < text.size() && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80) ++from;
  return "..." + text.substr(from);
}

// Characters on screen, counting each UTF-8 sequence once.
std::size_t Columns(const std::string& text) {
  std::size_t columns = 0;
  for (char c : text) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return columns;
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, Clock clock)
    : out_(out), clock_(std::move(clock)), start_(clock_()) {}

void ProgressLine::Update(std::uint64_t entries, const std::function<std::string()>& folder) {
  const auto now = clock_();
  if (everDrawn_ && now - drawn_ < kInterval) return;
  if (!everDrawn_ && now - start_ < kInterval) return;
  everDrawn_ = true;
  drawn_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  char head[64];
  std::snprintf(head, sizeof head, "%llu entries, %.0f/s  ",
                static_cast<unsigned long long>(entries), seconds > 0 ? entries / seconds : 0.0);
  std::string line = head;
  line += Tail(folder(), kWidth > line.size() ? kWidth - line.size() : 0);
  const std::size_t columns = Columns(line);
  // Spaces, not a terminal's erase command, so that every console shows it alike.
  if (columns < width_) line.append(width_ - columns, ' ');
  out_ << '\r' << line << std::flush;
  width_ = columns;
}

void ProgressLine::Clear() {
  if (width_ == 0) return;
  out_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
  width_ = 0;
}

}  // namespace lumaveil::cli
