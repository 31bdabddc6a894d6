// Opening a folder by its native path (bytes off Windows, UTF-16 on Windows), as a command line
// names it and a journal keeps it.
#pragma once

#include <memory>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

// The folder at an absolute native path, open for a pass; nullptr, with LastErrorNumber()
// saying why, when it is missing, not a folder or unreadable. Links on the way to it are
// followed (the user chose that path); from there on nothing is.
std::unique_ptr<Directory> OpenNativeFolder(const NativeName& path);

}  // namespace lumaveil::fs
