// Reads and sets an entry's attributes in tests the way the program does: through the attribute
// call (to read, with a hook that declines every write, so nothing is changed).
#pragma once

#include <cerrno>
#include <cstdint>
#include <optional>

#include "platform/fs/file_system.h"

namespace lumaveil::fs::testing {

// The bits the attribute call read of `name`; nullopt when it could not read them, or when the
// entry is a link or special file, which the call leaves alone unread.
inline std::optional<std::uint32_t> AttributesOf(Directory& folder, const NativeName& name) {
  const AttributeChange change =
      folder.ChangeAttributes(name, AttributeTarget{}, [](const EntryAttributes&) { return false; });
  if (change.result != AttributeChange::Result::kAlreadyRight &&
      change.result != AttributeChange::Result::kHeldBack) {
    return std::nullopt;
  }
  return change.before.bits;
}

// Gives `name` the attributes `mask` as a pass does; true when it has them now. A link or special
// file, which the call leaves alone, is false. On failure errno is the call's error.
inline bool SetAttributes(Directory& folder, const NativeName& name, std::uint32_t mask) {
  const AttributeChange change = folder.ChangeAttributes(name, AttributeTarget{mask, {}}, nullptr);
  switch (change.result) {
    case AttributeChange::Result::kChanged:
    case AttributeChange::Result::kAlreadyRight: return true;
    case AttributeChange::Result::kFailed: errno = change.error; return false;
    case AttributeChange::Result::kHeldBack:
    case AttributeChange::Result::kLeftAlone: break;
  }
  return false;
}

}  // namespace lumaveil::fs::testing
