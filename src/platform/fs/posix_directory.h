// The POSIX side of open folder handles.
#pragma once

#include <memory>
#include <string>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

// Opens the folder at a native absolute path for the attribute pass; nullptr when it is missing,
// not a folder or unreadable. Links on the way to it are followed (the user chose that path);
// from there on nothing is.
std::unique_ptr<Directory> OpenNativeDirectory(const std::string& nativePath);

}  // namespace lumaveil::fs
