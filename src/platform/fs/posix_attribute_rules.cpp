#include "platform/fs/posix_attribute_rules.h"

#include <sys/stat.h>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {
namespace {

constexpr std::uint32_t kFatBits = attr::kReadOnly | attr::kHidden | attr::kSystem | attr::kArchive;
constexpr std::uint32_t kNtfsIndexFlag = 0x10000000;

}  // namespace

std::uint32_t AsReported(std::uint32_t bits) {
  bits &= ~attr::kNormal;
  return bits == 0 ? attr::kNormal : bits;
}

std::uint32_t FatValueToWrite(std::uint32_t mask) { return mask & kFatBits; }

std::uint32_t NtfsValueToWrite(std::uint32_t current, std::uint32_t mask) {
  return (current & ~(attr::kSettable | attr::kNormal)) | (mask & attr::kSettable);
}

bool NtfsWouldRetype(std::uint32_t value, long long size, std::string_view head) {
  if ((value & attr::kSystem) == 0) return false;
  if (size <= 1 && (value & attr::kHidden) == 0) return true;
  const std::string_view signature = head.substr(0, kInterixSignatureSize);
  return signature == "IntxLNK" || signature == "IntxBLK" || signature == "IntxCHR";
}

std::uint32_t NtfsReported(std::uint32_t raw, bool folder) {
  if (folder) raw = (raw & ~kNtfsIndexFlag) | attr::kDirectory;
  return AsReported(raw);
}

std::uint32_t CifsValueToWrite(std::uint32_t mask, bool folder) {
  std::uint32_t value = (mask & attr::kSettable) | (folder ? attr::kDirectory : 0);
  return value == 0 ? attr::kNormal : value;
}

std::uint32_t DosAttribToStore(std::optional<std::uint32_t> stored, std::uint32_t mask,
                               bool folder) {
  const std::uint32_t kept =
      stored.value_or(0) & ~(attr::kSettable | attr::kDirectory | attr::kNormal);
  return kept | (mask & attr::kSettable) | (folder ? attr::kDirectory : 0);
}

std::uint32_t DosAttribReported(std::optional<std::uint32_t> stored, mode_t mode) {
  std::uint32_t bits = stored.value_or(0) & ~(attr::kDirectory | attr::kNormal);
  if (S_ISREG(mode) && (mode & S_IWUSR) == 0) bits |= attr::kReadOnly;
  if (S_ISDIR(mode)) bits |= attr::kDirectory;
  return AsReported(bits);
}

mode_t ModeWithoutWrite(mode_t mode) {
  return mode & 07777 & ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
}

mode_t ModeWithWriteRestored(mode_t mode, mode_t umask) {
  // The owner always gets write back: a file left without it would still read Read-Only.
  mode_t added = S_IWUSR;
  if (mode & S_IRGRP) added |= S_IWGRP & ~umask;
  if (mode & S_IROTH) added |= S_IWOTH & ~umask;
  return (mode & 07777) | added;
}

}  // namespace lumaveil::fs
