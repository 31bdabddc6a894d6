#include "platform/fs/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "common/run_time_error.h"
#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_listing.h"
#include "platform/fs/posix_unique_fd.h"

namespace lumaveil::fs {
namespace {

std::vector<PathMap::Mount> MountsOf(const std::vector<PosixDrive>& drives) {
  std::vector<PathMap::Mount> mounts;
  for (const PosixDrive& d : drives) {
    if (!d.mountPoint.empty()) mounts.push_back({d.drive.DriveLetter[0], d.mountPoint});
  }
  return mounts;
}

[[noreturn]] void Throw(int number) {
  switch (number) {
    case error::kPathNotFound:
      throw RunTimeError(number, "Path not found");
    case error::kPermissionDenied:
      throw RunTimeError(number, "Permission denied");
    case error::kDiskNotReady:
      throw RunTimeError(number, "Disk not ready");
    default:
      throw RunTimeError(error::kPathFileAccess, "Path/File access error");
  }
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::string_view mountInfo, const std::string& sysRoot,
                                 ReadinessProbe isReadable)
    : drives_(FindDrives(ParseMountInfo(mountInfo), sysRoot)),
      map_(MountsOf(drives_)),
      isReadable_(std::move(isReadable)) {}

std::vector<Drive> PosixFileSystem::Drives() {
  std::vector<Drive> drives;
  for (const PosixDrive& d : drives_) {
    Drive drive = d.drive;
    drive.IsReady = !d.mountPoint.empty() && isReadable_(d.mountPoint);
    drives.push_back(std::move(drive));
  }
  return drives;
}

PosixFileSystem::Location PosixFileSystem::Locate(const std::string& path) const {
  const std::optional<DrivePath> parsed = ParseDrivePath(path);
  if (!parsed) Throw(error::kPathNotFound);
  const auto drive = std::find_if(drives_.begin(), drives_.end(), [&](const PosixDrive& d) {
    return d.drive.DriveLetter[0] == parsed->letter;
  });
  if (drive == drives_.end()) Throw(error::kPathNotFound);
  const std::optional<std::string> native = map_.ToNative(*parsed);
  if (!native) Throw(error::kDiskNotReady);
  return {*parsed, *native, &*drive};
}

// A failure on a drive whose mount point has gone (medium taken out, share unmounted) is the
// drive's, not the path's.
void PosixFileSystem::Fail(int errorNumber, const PosixDrive& drive) const {
  if (errorNumber == EACCES || errorNumber == EPERM) Throw(error::kPermissionDenied);
  if (errorNumber == ENOMEDIUM || !isReadable_(drive.mountPoint)) Throw(error::kDiskNotReady);
  switch (errorNumber) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      Throw(error::kPathNotFound);
    default:
      Throw(error::kPathFileAccess);
  }
}

Folder PosixFileSystem::GetFolder(const std::string& path) {
  const Location where = Locate(path);
  struct stat st {};
  if (::stat(where.native.c_str(), &st) != 0) Fail(errno, *where.drive);
  if (!S_ISDIR(st.st_mode)) Throw(error::kPathNotFound);
  return {where.path.Text(), where.path.Name()};
}

template <typename Take>
void PosixFileSystem::ForEachEntry(const Location& where, Take take) const {
  const UniqueFd dir(::open(where.native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir) Fail(errno, *where.drive);
  const Listing listing = ListOpenFolder(dir.get());
  if (listing.error != 0) Fail(listing.error, *where.drive);
  for (const DirEntry& entry : listing.entries) {
    // Gone since it was listed: it is neither a folder nor a file any more.
    if (entry.kind == EntryKind::Unknown) continue;
    if (entry.name == "." || entry.name == ".." || !HasDriveForm(entry.name)) continue;
    take(entry.name, entry.kind == EntryKind::Folder);
  }
}

std::vector<Folder> PosixFileSystem::SubFolders(const Folder& folder) {
  const Location where = Locate(folder.Path);
  std::vector<Folder> folders;
  ForEachEntry(where, [&](const NativeName& name, bool isFolder) {
    if (!isFolder) return;
    DrivePath child = where.path;
    child.names.push_back(name);
    folders.push_back({child.Text(), name});
  });
  return folders;
}

std::vector<std::string> PosixFileSystem::Files(const Folder& folder) {
  const Location where = Locate(folder.Path);
  std::vector<std::string> files;
  ForEachEntry(where, [&](const NativeName& name, bool isFolder) {
    if (!isFolder) files.push_back(name);
  });
  return files;
}

std::unique_ptr<Directory> PosixFileSystem::OpenDirectory(const std::string& path) {
  const std::optional<DrivePath> parsed = ParseDrivePath(path);
  if (!parsed) return nullptr;
  const std::optional<std::string> native = map_.ToNative(*parsed);
  return native ? OpenNativeDirectory(*native) : nullptr;
}

std::unique_ptr<FileSystem> CreateFileSystem() {
  return std::make_unique<PosixFileSystem>(ReadMountInfo(), "/sys");
}

}  // namespace lumaveil::fs
