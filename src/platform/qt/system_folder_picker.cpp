#include "platform/qt/system_folder_picker.h"

#include "platform/qt/folder_picker_dialog.h"

namespace lumaveil::qt {

std::unique_ptr<attrib::FolderPicker> CreateFolderPicker(fs::FileSystem& file_system) {
#ifdef _WIN32
  (void)file_system;
  return attrib::CreateShellFolderPicker();
#else
  return std::make_unique<DialogFolderPicker>(file_system);
#endif
}

}  // namespace lumaveil::qt
