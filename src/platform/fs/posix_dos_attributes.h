// Reading and setting the DOS attributes of one entry through its file system's mechanism.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/fs/posix_entry.h"
#include "platform/fs/posix_fs_type.h"

namespace lumaveil::fs {

// The entry's attributes as Windows would report them; nullopt when they cannot be read.
std::optional<std::uint32_t> ReadAttributes(AttributeMechanism mechanism, const Entry& entry);
// Replaces the settable bits by `mask`. Links and special files are never changed (false).
bool WriteAttributes(AttributeMechanism mechanism, const Entry& entry, std::uint32_t mask);

}  // namespace lumaveil::fs
