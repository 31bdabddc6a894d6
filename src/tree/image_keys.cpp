#include "tree/image_keys.h"

#include "platform/fs/file_system.h"

namespace lumaveil::tree {

std::string_view DriveImageKey(int drive_type, const std::string& drive_letter) {
  switch (drive_type) {
    case fs::kDriveCdRom:
      return image::kCdRom;
    case fs::kDriveFixed:
      return image::kHardDrive;
    case fs::kDriveNetwork:
      return image::kNetDrive;
    case fs::kDriveRemovable:
      // Case-sensitive on purpose: a drive the system letters "a" is not taken for a floppy.
      return drive_letter == "A" || drive_letter == "B" ? image::kFloppyDrive
                                                        : image::kRemovableDrive;
    default:
      return image::kUnknownDrive;
  }
}

}  // namespace lumaveil::tree
