// Drive-form paths ("C:\Windows", "\\server\share\docs") and the extended-length form the wide
// calls get ("\\?\C:\Windows"), which lifts the 260-character limit.
#pragma once

#include <optional>
#include <string>

namespace lumaveil::fs {

struct ResolvedPath {
  std::wstring display;   // full path: "C:\" for a root, no trailing separator otherwise
  std::wstring extended;  // "\\?\C:\..." or "\\?\UNC\server\share\..."
};

// The full path of an absolute drive-form path ("C:" alone names the root); "." and ".." are
// resolved and "/" is read as "\". nullopt for relative paths, device paths ("\\?\", "\\.\")
// and text that is not UTF-8.
std::optional<ResolvedPath> ResolveDrivePath(const std::string& utf8);

// The last component of a display path; "" for a root.
std::wstring LastComponent(const std::wstring& display);

// Whether a drive-form path can lead to an entry of this name. Path calls drop trailing dots
// and spaces, and a name with an unpaired surrogate has no UTF-8 form: such entries are reached
// through open folder handles only.
bool IsReachableByDrivePath(const std::wstring& name);

// `name` inside the folder at `display`.
std::wstring JoinPath(const std::wstring& display, const std::wstring& name);

}  // namespace lumaveil::fs
