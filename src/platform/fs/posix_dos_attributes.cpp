// Every call reaches the entry by its name relative to its open folder and never follows a link
// (posix_entry.h). Only regular files and folders are ever reopened for an ioctl, only after
// their inode is checked, and only with O_NONBLOCK.
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
#include <string_view>

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
  if (GetEntryXattr(entry, name, &value, sizeof value) !=
      static_cast<ssize_t>(sizeof value)) {
    return std::nullopt;
  }
  return value;
}

bool SetU32(const Entry& entry, const char* name, std::uint32_t value) {
  return SetEntryXattr(entry, name, &value, sizeof value) == 0;
}

// --- FAT and exFAT ---------------------------------------------------------------------------

std::optional<std::uint32_t> FatGet(int fd) {
  std::uint32_t value = 0;
  if (ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &value) != 0) return std::nullopt;
  return value;
}

// The descriptor the value was read through is kept for the write.
std::optional<AttributeReading> FatRead(const Entry& entry) {
  AttributeReading reading;
  reading.data = OpenEntryData(entry);
  if (!reading.data) return std::nullopt;
  reading.raw = FatGet(reading.data.get());
  if (!reading.raw) return std::nullopt;
  reading.reported = AsReported(*reading.raw);
  return reading;
}

bool FatWrite(const AttributeReading& reading, std::uint32_t mask) {
  std::uint32_t value = FatValueToWrite(mask);
  // exFAT wants CAP_LINUX_IMMUTABLE for any change while System is set; a call that changes
  // nothing must not fail for that.
  if (FatValueToWrite(*reading.raw) == value) return true;
  return ioctl(reading.data.get(), FAT_IOCTL_SET_ATTRIBUTES, &value) == 0;
}

// --- NTFS (ntfs3, ntfs-3g) --------------------------------------------------------------------

std::optional<AttributeReading> NtfsRead(const Entry& entry) {
  AttributeReading reading;
  reading.raw = ReadNtfsAttrib(entry);
  if (!reading.raw) return std::nullopt;
  reading.reported = NtfsReported(*reading.raw, entry.IsFolder());
  return reading;
}

bool OnFuse(const Entry& entry) {
  UniqueFd fd(openat(entry.dirFd, entry.name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct statfs st {};
  return fd && fstatfs(fd.get(), &st) == 0 && st.f_type == kFuseMagic;
}

// Whether storing `value` would make ntfs-3g show the regular file as another type. A file
// whose first bytes cannot be read is taken to be one that would.
bool NtfsWouldRetypeFile(const Entry& entry, std::uint32_t value) {
  char buffer[kInterixSignatureSize];
  std::string_view head;
  if (entry.st.st_size >= static_cast<off_t>(sizeof buffer)) {
    UniqueFd fd = OpenEntryData(entry);
    const ssize_t got = fd ? pread(fd.get(), buffer, sizeof buffer, 0) : -1;
    if (got < 0) return true;
    head = std::string_view(buffer, static_cast<std::size_t>(got));
  }
  return NtfsWouldRetype(value, entry.st.st_size, head);
}

bool NtfsWrite(const Entry& entry, const AttributeReading& reading, std::uint32_t mask) {
  // ntfs-3g encodes links and FIFOs in the System bit: changing it would change their type.
  if (entry.IsSpecial()) return false;
  const std::uint32_t current = *reading.raw;
  const std::uint32_t value = NtfsValueToWrite(current, mask);
  if (value == current) return true;
  // Only ntfs-3g (over FUSE) makes types up from the bits, and only from System.
  if (!entry.IsRegularFile() || (value & attr::kSystem) == 0 || !OnFuse(entry)) {
    return SetU32(entry, kNtfsAttribName, value);
  }
  if (NtfsWouldRetypeFile(entry, value)) {
    errno = kWouldChangeType;
    return false;
  }
  return SetNtfsAttribKeepingType(entry, current, value);
}

// --- SMB client mounts ------------------------------------------------------------------------

std::optional<AttributeReading> CifsRead(const Entry& entry) {
  auto value = GetU32(entry, kCifsAttribName);
  if (!value) return std::nullopt;
  AttributeReading reading;
  reading.reported = AsReported(*value);
  return reading;
}

bool CifsWrite(const Entry& entry, std::uint32_t mask) {
  if (entry.IsSpecial()) return false;
  return SetU32(entry, kCifsAttribName, CifsValueToWrite(mask, entry.IsFolder()));
}

// --- user.DOSATTRIB plus the mode -------------------------------------------------------------

// The value as stored, byte for byte; nullopt when there is none.
std::optional<std::string> StoredDosAttribValue(const Entry& entry) {
  char buffer[256];
  ssize_t size = GetEntryXattr(entry, kDosAttribName, buffer, sizeof buffer);
  if (size < 0) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(size));
}

std::optional<std::uint32_t> StoredDosAttrib(const std::optional<std::string>& value) {
  if (!value) return std::nullopt;
  return ParseDosAttrib(*value);
}

AttributeReading DosAttribRead(const Entry& entry) {
  AttributeReading reading;
  errno = 0;
  reading.stored = StoredDosAttribValue(entry);
  // A value that may not be read (a folder its owner may write but not read) counts as none.
  reading.complete = reading.stored || (errno != EACCES && errno != EPERM);
  reading.reported = DosAttribReported(StoredDosAttrib(reading.stored), entry.st.st_mode);
  return reading;
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
  return SetEntryXattr(entry, kDosAttribName, value.data(), value.size()) == 0;
}

bool Chmod(const Entry& entry, mode_t mode) { return ChmodEntry(entry, mode) == 0; }

// Puts back the value that was stored before a change that could not be finished.
void RestoreDosAttrib(const Entry& entry, const std::optional<std::string>& stored) {
  const int failure = errno;
  if (stored) {
    SetDosAttrib(entry, *stored);
  } else {
    RemoveEntryXattr(entry, kDosAttribName);
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

bool DosAttribWrite(const Entry& entry, const AttributeReading& reading, std::uint32_t mask) {
  if (entry.IsSpecial()) return false;
  const std::optional<std::string>& stored = reading.stored;
  const std::optional<std::uint32_t> storedBits = StoredDosAttrib(stored);
  const std::uint32_t bits = DosAttribToStore(storedBits, mask, entry.IsFolder());
  // The bits decide, not the bytes: a value that already holds them, in whatever form, is left
  // as it is, and so is everything else another program stored with them.
  const bool valueRight = storedBits == bits;
  const std::string value = valueRight ? std::string() : DosAttribToWrite(stored, bits);
  const mode_t mode = entry.st.st_mode & 07777;
  const bool wantReadOnly = (mask & attr::kReadOnly) != 0;
  const bool isReadOnly = (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  // Read-Only takes every write bit away; clearing it gives the owner's back.
  const bool modeRight = wantReadOnly ? isReadOnly : (mode & S_IWUSR) != 0;
  // Nothing to change, nothing written: on overlay a write would copy the whole file up.
  if (valueRight && (entry.IsFolder() || modeRight)) return true;
  // A folder's mode never follows Read-Only: without write bits it would lock out its users.
  mode_t target = mode;
  if (!entry.IsFolder() && !modeRight) {
    target = wantReadOnly ? ModeWithoutWrite(mode) : ModeWithWriteRestored(mode, ProcessUmask());
  }
  if (valueRight) return Chmod(entry, target);
  return SetDosAttribAndMode(entry, stored, value, mode, target);
}

}  // namespace

std::optional<std::uint32_t> ReadNtfsAttrib(const Entry& entry) {
  return GetU32(entry, kNtfsAttribName);
}

bool SetNtfsAttribKeepingType(const Entry& entry, std::uint32_t current, std::uint32_t value) {
  if (!SetU32(entry, kNtfsAttribName, value)) return false;
  // The old inode answers EIO once its type has changed: only a look-up by name sees the new one.
  const auto fresh = OpenEntry(entry.dirFd, entry.name);
  if (fresh && fresh->IsRegularFile()) return true;
  if (fresh && fresh->st.st_ino == entry.st.st_ino) SetU32(*fresh, kNtfsAttribName, current);
  errno = kWouldChangeType;
  return false;
}

std::optional<AttributeReading> ReadForChange(AttributeMechanism mechanism, const Entry& entry) {
  switch (mechanism) {
    case AttributeMechanism::kFatIoctl: return FatRead(entry);
    case AttributeMechanism::kNtfsXattr: return NtfsRead(entry);
    case AttributeMechanism::kCifsXattr: return CifsRead(entry);
    case AttributeMechanism::kDosAttribText: return DosAttribRead(entry);
    case AttributeMechanism::kNone:
    case AttributeMechanism::kProbeFuse:
      break;
  }
  AttributeReading reading;
  reading.reported = DosAttribReported(std::nullopt, entry.st.st_mode);
  return reading;
}

bool WriteAfterRead(AttributeMechanism mechanism, const Entry& entry,
                    const AttributeReading& reading, std::uint32_t mask) {
  switch (mechanism) {
    case AttributeMechanism::kFatIoctl: return FatWrite(reading, mask);
    case AttributeMechanism::kNtfsXattr: return NtfsWrite(entry, reading, mask);
    case AttributeMechanism::kCifsXattr: return CifsWrite(entry, mask);
    case AttributeMechanism::kDosAttribText: return DosAttribWrite(entry, reading, mask);
    case AttributeMechanism::kNone:
    case AttributeMechanism::kProbeFuse:
      break;
  }
  errno = EOPNOTSUPP;
  return false;
}

}  // namespace lumaveil::fs
