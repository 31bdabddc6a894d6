// The folder picker of this platform: the shell's on Windows, the program's own dialog elsewhere.
#pragma once

#include <memory>

#include "attrib/browse_for_folder.h"
#include "platform/fs/file_system.h"

namespace lumaveil::qt {

// `file_system` must outlive the picker.
std::unique_ptr<attrib::FolderPicker> CreateFolderPicker(fs::FileSystem& file_system);

}  // namespace lumaveil::qt
