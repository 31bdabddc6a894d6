// Reading and setting the DOS attributes of one entry through its file system's mechanism.
#pragma once

#include <cerrno>
#include <cstdint>
#include <optional>

#include "platform/fs/posix_entry.h"
#include "platform/fs/posix_fs_type.h"

namespace lumaveil::fs {

// The entry's attributes as Windows would report them; nullopt when they cannot be read.
std::optional<std::uint32_t> ReadAttributes(AttributeMechanism mechanism, const Entry& entry);
// Replaces the settable bits by `mask`. Links and special files are never changed (false).
// False with errno kWouldChangeType where ntfs-3g would show a regular file as a FIFO, socket,
// link or device once System is stored: its bits are then left as they were.
bool WriteAttributes(AttributeMechanism mechanism, const Entry& entry, std::uint32_t mask);

// "Operation not supported": the file system cannot store these bits on this file as it is.
inline constexpr int kWouldChangeType = EOPNOTSUPP;
// Stores `value` in system.ntfs_attrib of a regular file, whose bits are `current`. Should the
// file show as another type afterwards, `current` is put back and the call fails
// (kWouldChangeType).
bool SetNtfsAttribKeepingType(const Entry& entry, std::uint32_t current, std::uint32_t value);

}  // namespace lumaveil::fs
