#include "platform/fs/native_folder.h"

#include "platform/fs/posix_directory.h"

namespace lumaveil::fs {

std::unique_ptr<Directory> OpenNativeFolder(const NativeName& path) {
  return OpenNativeDirectory(path);
}

}  // namespace lumaveil::fs
