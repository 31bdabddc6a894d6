// Reading a case file line by line, shared by prgbar_render's case files and gdi_diff's: a line
// is split into fields at white space, blank lines and "#" lines are passed over, and an error
// names the line it was found on.
#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace case_lines {

// Throws Error("line N: what").
template <typename Error>
[[noreturn]] void Fail(std::size_t line, const std::string& what) {
  throw Error("line " + std::to_string(line) + ": " + what);
}

inline std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    const std::size_t start = i;
    while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

// Calls handle(fields, line number) for each line that has fields and is no comment; returns the
// number of the last line.
template <typename Handle>
std::size_t ForEachLine(std::string_view text, Handle handle) {
  std::size_t number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::vector<std::string_view> fields = Fields(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (fields.empty() || fields.front().front() == '#') continue;
    handle(fields, number);
  }
  return number;
}

}  // namespace case_lines
