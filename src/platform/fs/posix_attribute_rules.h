// How Windows attribute bits map onto what each Linux mechanism stores, and back, so that a set
// call changes only the settable bits and a read looks as Windows would report it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumaveil::fs {

// No bits read back as NORMAL; NORMAL never travels with other bits.
std::uint32_t AsReported(std::uint32_t bits);

// FAT and exFAT store only Read-Only, Hidden, System and Archive through the ioctl.
std::uint32_t FatValueToWrite(std::uint32_t mask);

// system.ntfs_attrib: the settable bits replaced, everything else (directory, compressed,
// sparse, reparse, encrypted, ntfs3's index flag) written back as read. NORMAL is never
// written: it is only the read-side stand-in for no bits.
std::uint32_t NtfsValueToWrite(std::uint32_t current, std::uint32_t mask);
// ntfs-3g makes up a regular file's Unix type from its System bit: with System and without
// Hidden, an empty file shows as a FIFO and a 1-byte one as a socket; with System, a file whose
// content starts with an Interix signature shows as a symbolic link or a device node. True when
// storing `value` on a regular file of `size` bytes starting with `head` would do that.
inline constexpr std::size_t kInterixSignatureSize = 7;
bool NtfsWouldRetype(std::uint32_t value, long long size, std::string_view head);
// ntfs3 marks a folder with its index flag 0x10000000 where Windows reports 0x10.
std::uint32_t NtfsReported(std::uint32_t raw, bool folder);

// user.cifs.dosattrib: the server reads 0 as "no change", so clearing everything sends NORMAL.
std::uint32_t CifsValueToWrite(std::uint32_t mask, bool folder);

// user.DOSATTRIB: the settable bits replaced and other stored bits kept; a folder carries 0x10
// as Samba writes it.
std::uint32_t DosAttribToStore(std::optional<std::uint32_t> stored, std::uint32_t mask,
                               bool folder);
// A regular file is Read-Only when the value says so (as Samba stores it, leaving the mode alone)
// or when its owner may not write it; a folder's Read-Only lives in the value alone, since its
// mode is never changed.
std::uint32_t DosAttribReported(std::optional<std::uint32_t> stored, mode_t mode);

// Read-Only on a regular file takes every write bit away.
mode_t ModeWithoutWrite(mode_t mode);
// Clearing Read-Only gives the owner write access back, and the group and others where they may
// read, as far as the umask allows.
mode_t ModeWithWriteRestored(mode_t mode, mode_t umask);

}  // namespace lumaveil::fs
