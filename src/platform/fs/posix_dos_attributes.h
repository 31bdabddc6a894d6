// Reading and setting the DOS attributes of one entry through its file system's mechanism.
#pragma once

#include <cerrno>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/fs/posix_entry.h"
#include "platform/fs/posix_fs_type.h"
#include "platform/fs/posix_unique_fd.h"

namespace lumaveil::fs {

// What one read of an entry found, kept so that the write that follows needs no second read.
struct AttributeReading {
  std::uint32_t reported = 0;  // as Windows would report them
  // False when a stored value could not be read for want of permission and counts as none, so
  // the bits cannot be known to be right already.
  bool complete = true;
  std::optional<std::uint32_t> raw;    // the value as the file system keeps it (FAT, NTFS)
  std::optional<std::string> stored;   // user.DOSATTRIB byte for byte, when there is one
  UniqueFd data;                       // FAT: the descriptor the ioctl read through
};

// Reads the entry once for a change; nullopt when it cannot be read.
std::optional<AttributeReading> ReadForChange(AttributeMechanism mechanism, const Entry& entry);
// Replaces the settable bits by `mask`, from what `reading` found, keeping every other bit and
// writing nothing where nothing changes. Links and special files are never changed (false);
// nor is a file that ntfs-3g would show as another type (false, errno kWouldChangeType).
bool WriteAfterRead(AttributeMechanism mechanism, const Entry& entry,
                    const AttributeReading& reading, std::uint32_t mask);

// The value ntfs3 and ntfs-3g keep in system.ntfs_attrib; nullopt when the file system does not
// answer with one.
std::optional<std::uint32_t> ReadNtfsAttrib(const Entry& entry);

// "Operation not supported": the file system cannot store these bits on this file as it is.
inline constexpr int kWouldChangeType = EOPNOTSUPP;
// Stores `value` in system.ntfs_attrib of a regular file, whose bits are `current`. Should the
// file show as another type afterwards, `current` is put back and the call fails
// (kWouldChangeType).
bool SetNtfsAttribKeepingType(const Entry& entry, std::uint32_t current, std::uint32_t value);

}  // namespace lumaveil::fs
