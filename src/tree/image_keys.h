// The picture keys of the tree's image list, and which one a drive node shows.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lumaveil::tree {

namespace image {
inline constexpr std::string_view kMyComputer = "mycomputer";
inline constexpr std::string_view kGenericFile = "genericfile";
inline constexpr std::string_view kRemovableDrive = "removabledrive";
inline constexpr std::string_view kMyDocs = "mydocs";
inline constexpr std::string_view kCdRom = "cdrom";
inline constexpr std::string_view kClosedFolder = "closedfolder";
inline constexpr std::string_view kDesktop = "desktop";
inline constexpr std::string_view kOpenFolder = "openfolder";
inline constexpr std::string_view kUnknownDrive = "unknowndrive";
inline constexpr std::string_view kFloppyDrive = "floppydrive";
inline constexpr std::string_view kHardDrive = "harddrive";
inline constexpr std::string_view kNetDrive = "netdrive";
}  // namespace image

// Every key of the image list, in the order the list holds them.
inline constexpr std::array<std::string_view, 12> kImageListKeys = {
    image::kMyComputer,   image::kGenericFile,  image::kRemovableDrive, image::kMyDocs,
    image::kCdRom,        image::kClosedFolder, image::kDesktop,        image::kOpenFolder,
    image::kUnknownDrive, image::kFloppyDrive,  image::kHardDrive,      image::kNetDrive,
};

// The picture of a drive node from its type code and its letter as the file system reports
// them. Only a removable drive lettered exactly "A" or "B" counts as a floppy drive.
std::string_view DriveImageKey(int drive_type, const std::string& drive_letter);

}  // namespace lumaveil::tree
