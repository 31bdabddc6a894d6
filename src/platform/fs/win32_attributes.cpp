#include "platform/fs/win32_attributes.h"

#include <windows.h>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

std::uint32_t AttributesToWrite(std::uint32_t current, std::uint32_t mask) {
  const std::uint32_t kept = current & ~(attr::kSettable | attr::kNormal);
  const std::uint32_t result = kept | (mask & attr::kSettable);
  return result == 0 ? attr::kNormal : result;
}

std::uint32_t AttributesAsRead(std::uint32_t raw) { return raw == 0 ? attr::kNormal : raw; }

bool IsLinkEntry(std::uint32_t attributes, std::uint32_t reparseTag) {
  return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 && IsReparseTagNameSurrogate(reparseTag);
}

}  // namespace lumaveil::fs
