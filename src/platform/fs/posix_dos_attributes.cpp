// Every call goes through the entry's O_PATH descriptor (by /proc/self/fd/N), so it reaches the
// inode that was checked and never a link's target. Only regular files and folders are ever
// reopened for an ioctl, and only with O_NONBLOCK.
#include "platform/fs/posix_dos_attributes.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/fs/file_system.h"
#include "platform/fs/posix_attribute_rules.h"
#include "platform/fs/posix_dosattrib_text.h"
#include "platform/fs/posix_unique_fd.h"

namespace lumaveil::fs {
namespace {

constexpr char kNtfsAttribName[] = "system.ntfs_attrib";
constexpr char kCifsAttribName[] = "user.cifs.dosattrib";
constexpr long kFuseMagic = 0x65735546;

std::optional<std::uint32_t> GetU32(const Entry& entry, const char* name) {
  std::uint32_t value = 0;
  if (getxattr(entry.ProcPath().c_str(), name, &value, sizeof value) !=
      static_cast<ssize_t>(sizeof value)) {
    return std::nullopt;
  }
  return value;
}

bool SetU32(const Entry& entry, const char* name, std::uint32_t value) {
  return setxattr(entry.ProcPath().c_str(), name, &value, sizeof value, 0) == 0;
}

// --- FAT and exFAT ---------------------------------------------------------------------------

UniqueFd OpenReadOnly(const Entry& entry) {
  if (entry.IsSpecial()) return UniqueFd();
  return UniqueFd(open(entry.ProcPath().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
}

std::optional<std::uint32_t> FatGet(int fd) {
  std::uint32_t value = 0;
  if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &value) != 0) return std::nullopt;
  return value;
}

std::optional<std::uint32_t> FatRead(const Entry& entry) {
  UniqueFd fd = OpenReadOnly(entry);
  if (!fd) return std::nullopt;
  auto value = FatGet(fd.get());
  if (!value) return std::nullopt;
  return AsReported(*value);
}

bool FatWrite(const Entry& entry, std::uint32_t mask) {
  UniqueFd fd = OpenReadOnly(entry);
  if (!fd) return false;
  std::uint32_t value = FatValueToWrite(mask);
  // exFAT wants CAP_LINUX_IMMUTABLE for any change while System is set; a call that changes
  // nothing must not fail for that.
  if (auto current = FatGet(fd.get()); current && FatValueToWrite(*current) == value) return true;
  return ioctl(fd.get(), FAT_IOCTL_SET_ATTRIBUTES, &value) == 0;
}

// --- NTFS (ntfs3, ntfs-3g) --------------------------------------------------------------------

std::optional<std::uint32_t> NtfsRead(const Entry& entry) {
  auto raw = GetU32(entry, kNtfsAttribName);
  if (!raw) return std::nullopt;
  return NtfsReported(*raw, entry.IsFolder());
}

bool OnFuse(const Entry& entry) {
  struct statfs st {};
  return fstatfs(entry.pathFd.get(), &st) == 0 && st.f_type == kFuseMagic;
}

// Whether storing `value` would make ntfs-3g show the regular file as another type. A file
// whose first bytes cannot be read is taken to be one that would.
bool NtfsWouldRetypeFile(const Entry& entry, std::uint32_t value) {
  char buffer[kInterixSignatureSize];
  std::string_view head;
  if (entry.st.st_size >= static_cast<off_t>(sizeof buffer)) {
    UniqueFd fd = OpenReadOnly(entry);
    const ssize_t got = fd ? pread(fd.get(), buffer, sizeof buffer, 0) : -1;
    if (got < 0) return true;
    head = std::string_view(buffer, static_cast<std::size_t>(got));
  }
  return NtfsWouldRetype(value, entry.st.st_size, head);
}

bool NtfsWrite(const Entry& entry, std::uint32_t mask) {
  // ntfs-3g encodes links and FIFOs in the System bit: changing it would change their type.
  if (entry.IsSpecial()) return false;
  auto current = GetU32(entry, kNtfsAttribName);
  if (!current) return false;
  std::uint32_t value = NtfsValueToWrite(*current, mask);
  if (value == *current) return true;
  // Only ntfs-3g (over FUSE) makes types up from the bits, and only from System.
  if (!entry.IsRegularFile() || (value & attr::kSystem) == 0 || !OnFuse(entry)) {
    return SetU32(entry, kNtfsAttribName, value);
  }
  if (NtfsWouldRetypeFile(entry, value)) {
    errno = kWouldChangeType;
    return false;
  }
  return SetNtfsAttribKeepingType(entry, *current, value);
}

// --- SMB client mounts ------------------------------------------------------------------------

std::optional<std::uint32_t> CifsRead(const Entry& entry) {
  auto value = GetU32(entry, kCifsAttribName);
  if (!value) return std::nullopt;
  return AsReported(*value);
}

bool CifsWrite(const Entry& entry, std::uint32_t mask) {
  if (entry.IsSpecial()) return false;
  return SetU32(entry, kCifsAttribName, CifsValueToWrite(mask, entry.IsFolder()));
}

// --- user.DOSATTRIB plus the mode -------------------------------------------------------------

// The value as stored, byte for byte; nullopt when there is none.
std::optional<std::string> StoredDosAttribValue(const Entry& entry) {
  char buffer[256];
  ssize_t size = getxattr(entry.ProcPath().c_str(), kDosAttribName, buffer, sizeof buffer);
  if (size < 0) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(size));
}

std::optional<std::uint32_t> StoredDosAttrib(const std::optional<std::string>& value) {
  if (!value) return std::nullopt;
  return ParseDosAttrib(*value);
}

mode_t ProcessUmask() {
  // umask() can only be read by changing it, which would race with other threads.
  static const mode_t umask = [] {
    mode_t value = 022;
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
      char line[256];
      while (std::fgets(line, sizeof line, status)) {
        unsigned parsed = 0;
        if (std::sscanf(line, "Umask: %o", &parsed) == 1) {
          value = static_cast<mode_t>(parsed);
          break;
        }
      }
      std::fclose(status);
    }
    return value;
  }();
  return umask;
}

bool SetDosAttrib(const Entry& entry, const std::string& value) {
  return setxattr(entry.ProcPath().c_str(), kDosAttribName, value.data(), value.size(), 0) == 0;
}

bool Chmod(const Entry& entry, mode_t mode) { return chmod(entry.ProcPath().c_str(), mode) == 0; }

// Puts back the value that was stored before a change that could not be finished.
void RestoreDosAttrib(const Entry& entry, const std::optional<std::string>& stored) {
  const int failure = errno;
  if (stored) {
    SetDosAttrib(entry, *stored);
  } else {
    removexattr(entry.ProcPath().c_str(), kDosAttribName);
  }
  errno = failure;
}

// Stores the value and then gives the entry `target` as its mode, or neither: a value saying
// Read-Only on a file anyone may still write (or the other way round) is never left behind.
bool SetDosAttribAndMode(const Entry& entry, const std::optional<std::string>& stored,
                         const std::string& value, mode_t mode, mode_t target) {
  if (SetDosAttrib(entry, value)) {
    if (target == mode || Chmod(entry, target)) return true;
    RestoreDosAttrib(entry, stored);
    return false;
  }
  // The kernel wants write permission for a user attribute, even from the owner: an owner
  // without it gets it for the call and loses it again right after. Whether others may write
  // makes no difference to the caller.
  if (errno != EACCES || (mode & S_IWUSR) != 0) return false;
  if (!Chmod(entry, mode | S_IWUSR)) return false;
  const bool written = SetDosAttrib(entry, value);
  if (Chmod(entry, written ? target : mode)) return written;
  if (written) RestoreDosAttrib(entry, stored);
  Chmod(entry, mode);
  return false;
}

bool DosAttribWrite(const Entry& entry, std::uint32_t mask) {
  if (entry.IsSpecial()) return false;
  const auto stored = StoredDosAttribValue(entry);
  const std::string value =
      FormatDosAttrib(DosAttribToStore(StoredDosAttrib(stored), mask, entry.IsFolder()));
  const mode_t mode = entry.st.st_mode & 07777;
  const bool wantReadOnly = (mask & attr::kReadOnly) != 0;
  const bool isReadOnly = (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  // Nothing to change, nothing written: on overlay a write would copy the whole file up.
  if (stored == value && (entry.IsFolder() || wantReadOnly == isReadOnly)) return true;
  // A folder's mode never follows Read-Only: without write bits it would lock out its users.
  mode_t target = mode;
  if (!entry.IsFolder() && wantReadOnly && !isReadOnly) target = ModeWithoutWrite(mode);
  if (!entry.IsFolder() && !wantReadOnly && isReadOnly) {
    target = ModeWithWriteRestored(mode, ProcessUmask());
  }
  return SetDosAttribAndMode(entry, stored, value, mode, target);
}

}  // namespace

bool SetNtfsAttribKeepingType(const Entry& entry, std::uint32_t current, std::uint32_t value) {
  if (!SetU32(entry, kNtfsAttribName, value)) return false;
  // The old inode answers EIO once its type has changed: only a look-up by name sees the new one.
  const auto fresh = OpenEntry(entry.folderFd, entry.name);
  if (fresh && fresh->IsRegularFile()) return true;
  if (fresh && fresh->st.st_ino == entry.st.st_ino) SetU32(*fresh, kNtfsAttribName, current);
  errno = kWouldChangeType;
  return false;
}

std::optional<std::uint32_t> ReadAttributes(AttributeMechanism mechanism, const Entry& entry) {
  switch (mechanism) {
    case AttributeMechanism::kFatIoctl: return FatRead(entry);
    case AttributeMechanism::kNtfsXattr: return NtfsRead(entry);
    case AttributeMechanism::kCifsXattr: return CifsRead(entry);
    case AttributeMechanism::kDosAttribText:
      return DosAttribReported(StoredDosAttrib(StoredDosAttribValue(entry)), entry.st.st_mode);
    case AttributeMechanism::kNone:
    case AttributeMechanism::kProbeFuse:
      break;
  }
  return DosAttribReported(std::nullopt, entry.st.st_mode);
}

bool WriteAttributes(AttributeMechanism mechanism, const Entry& entry, std::uint32_t mask) {
  switch (mechanism) {
    case AttributeMechanism::kFatIoctl: return FatWrite(entry, mask);
    case AttributeMechanism::kNtfsXattr: return NtfsWrite(entry, mask);
    case AttributeMechanism::kCifsXattr: return CifsWrite(entry, mask);
    case AttributeMechanism::kDosAttribText: return DosAttribWrite(entry, mask);
    case AttributeMechanism::kNone:
    case AttributeMechanism::kProbeFuse:
      break;
  }
  errno = EOPNOTSUPP;
  return false;
}

}  // namespace lumaveil::fs
