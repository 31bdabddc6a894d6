// What the file-name label is given of a file's path, worked out without a toolkit so that every
// front end shows the same. The label shows the first lines of the path that fit in it; in a deep
// tree the path runs to megabytes, and copying or laying it all out for every file would stall
// the window, so only its head is taken.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumaveil::ui {

// More than the label's lines hold at any size (under a thousand characters), and little
// enough to copy for every file.
inline constexpr std::size_t kPathLabelBytes = 4096;

// `folder` followed by `name` (both UTF-8), cut to at most `limit` bytes, never inside a
// character.
std::string PathLabelText(std::string_view folder, std::string_view name,
                          std::size_t limit = kPathLabelBytes);
// The same path's last bytes, for a label that shows the end of a path that does not fit (the
// Windows program's), never starting inside a character.
std::string PathLabelTail(std::string_view folder, std::string_view name,
                          std::size_t limit = kPathLabelBytes);

}  // namespace lumaveil::ui
