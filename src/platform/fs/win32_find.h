// Listing a folder by path, for the folder tree (the attribute pass lists open folders instead).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumaveil::fs {

struct FoundEntry {
  std::wstring name;
  std::uint32_t attributes = 0;
  std::uint32_t reparseTag = 0;  // meaningful when attributes has the reparse-point bit
};

// Every entry of the folder at an extended-length path, hidden and system ones included, "."
// and ".." included where the folder has them, in the file system's order. Throws RunTimeError.
std::vector<FoundEntry> FindEntries(const std::wstring& extendedFolder);

}  // namespace lumaveil::fs
