// Choosing the target folder in a modal folder picker (File, Quick Scan). Each front end brings
// its picker (the Windows shell's own, or the Linux program's dialog of the drives' folders);
// either way the caller gets a drive-form path or nothing.
#pragma once

#include <cstdint>
#include <string>

namespace lumaveil::attrib {

// The native handle of the window that owns the picker (an HWND on Windows, a Qt window id
// elsewhere); 0 for none.
using WindowHandle = std::uintptr_t;

// The prompt Quick Scan shows above the picker's folder tree.
inline constexpr char kQuickScanPrompt[] = "Select Driver or Folder to set Attribute";

class FolderPicker {
 public:
  virtual ~FolderPicker() = default;
  // Shows the picker modal to `owner` with `prompt` above its folder tree and returns the
  // path of the item the user confirmed, or an empty string on cancel. May throw.
  virtual std::string Pick(WindowHandle owner, const std::string& prompt) = 0;
};

// Runs `picker` and returns the confirmed folder in drive form: "C:\" for a drive's root,
// "C:\Windows" for any other folder. Returns an empty string on cancel, for a choice that is
// not a drive-form folder path, and when the picker fails in any way.
std::string BrowseForFolder(FolderPicker& picker, WindowHandle owner, const std::string& prompt);

// The path as the rest of the program writes it, or "" when `path` is not a drive-form
// folder path (a letter, a colon and a separator, then the folder's components).
std::string DriveFormFolderPath(const std::string& path);

}  // namespace lumaveil::attrib
