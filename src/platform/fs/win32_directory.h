// The Windows side of open folder handles.
#pragma once

#include <memory>
#include <string>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

// Opens the folder at an extended-length path ("\\?\C:\...") for the attribute pass; nullptr
// when it is missing, not a folder or unreadable. Junctions on the way to it are followed (the
// user chose that path); from there on nothing is.
std::unique_ptr<Directory> OpenWin32Directory(const std::wstring& extendedPath);

}  // namespace lumaveil::fs
