// Reads an entry's attributes in tests the way the program reads them: through the attribute
// call, whose hook declines every write, so nothing is changed.
#pragma once

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

}  // namespace lumaveil::fs::testing
