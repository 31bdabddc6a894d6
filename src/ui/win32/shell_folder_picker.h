// The Windows shell's own folder picker behind File, Quick Scan.
#pragma once

#include "attrib/browse_for_folder.h"

namespace lumaveil::win32 {

class ShellFolderPicker : public attrib::FolderPicker {
 public:
  // Shows SHBrowseForFolderW modal to `owner`; returns the chosen folder's file-system path,
  // or "" on cancel and for items that have none (Control Panel, a printer).
  std::string Pick(attrib::WindowHandle owner, const std::string& prompt) override;
};

}  // namespace lumaveil::win32
