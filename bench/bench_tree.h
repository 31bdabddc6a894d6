// The tree both pass benchmarks walk: 10 x 10 x 10 folders on three levels below a new root and
// 100 files in each of the 1,000 deepest, so 100,000 files in 1,110 folders.
#pragma once

#include <string>

namespace lumaveil::bench {

inline constexpr int kFanOut = 10;
inline constexpr int kFilesPerFolder = 100;
inline constexpr int kTreeFiles = kFanOut * kFanOut * kFanOut * kFilesPerFolder;

// Makes `root`, which must not exist yet, and the tree below it, every file holding `contents`
// (nothing when empty); false at the first folder or file that cannot be made.
bool MakeTree(const std::string& root, const std::string& contents);

// A chain of `levels` folders below a new `root`, each holding one empty file; every folder and
// file name is `nameBytes` long. The paths run far past PATH_MAX, so both go through open
// folder handles, one level at a time.
bool MakeDeepTree(const std::string& root, int levels, int nameBytes);
// Removes what MakeDeepTree made (or as much of it as it made), in one pass from the top.
void RemoveDeepTree(const std::string& root);

}  // namespace lumaveil::bench
