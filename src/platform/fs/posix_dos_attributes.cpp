// Every call reaches the entry by its name relative to its open folder and never follows a link
// (posix_entry.h). Only regular files and folders are ever reopened for an ioctl, only after
// their inode is checked, and only with O_NONBLOCK.
#include "platform/fs/posix_dos_attributes.h"

#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

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
  reading.raw = GetU32(entry, kNtfsAttribName);
  if (!reading.raw) return std::nullopt;
  reading.reported = NtfsReported(*reading.raw, entry.IsFolder());
  return reading;
}

bool NtfsWrite(const Entry& entry, const AttributeReading& reading, std::uint32_t mask) {
  // ntfs-3g encodes links and FIFOs in the System bit: changing it would change their type.
  if (entry.IsSpecial()) return false;
  std::uint32_t value = NtfsValueToWrite(*reading.raw, mask);
  return value == *reading.raw || SetU32(entry, kNtfsAttribName, value);
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
  // A folder's mode is never touched: without write bits it would lock out its Linux users.
  if (entry.IsFolder()) return SetDosAttrib(entry, value);
  const mode_t writable = ModeWithWriteRestored(mode, ProcessUmask());

  if (!valueRight && !SetDosAttrib(entry, value)) {
    // Its owner may not set an extended attribute on a file nobody may write: give write access
    // back first (to the owner alone while the file stays Read-Only), and take it away again
    // unless Read-Only is being cleared and the value was stored.
    if (errno != EACCES || !isReadOnly) return false;
    const mode_t unlocked = wantReadOnly ? static_cast<mode_t>(mode | S_IWUSR) : writable;
    if (!Chmod(entry, unlocked)) return false;
    const bool written = SetDosAttrib(entry, value);
    if (written && !wantReadOnly) return true;
    return Chmod(entry, mode) && written;
  }
  return modeRight || Chmod(entry, wantReadOnly ? ModeWithoutWrite(mode) : writable);
}

}  // namespace

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

std::optional<std::uint32_t> ReadAttributes(AttributeMechanism mechanism, const Entry& entry) {
  auto reading = ReadForChange(mechanism, entry);
  if (!reading) return std::nullopt;
  return reading->reported;
}

bool WriteAttributes(AttributeMechanism mechanism, const Entry& entry, std::uint32_t mask) {
  // An SMB client mount's value is replaced whole: there is nothing to read first.
  if (mechanism == AttributeMechanism::kCifsXattr) return CifsWrite(entry, mask);
  auto reading = ReadForChange(mechanism, entry);
  return reading && WriteAfterRead(mechanism, entry, *reading, mask);
}

}  // namespace lumaveil::fs
