// The comparison every implementation of ChangeAttributes makes before it writes.
#include "platform/fs/file_system.h"

namespace lumaveil::fs {

bool AlreadyMatches(const EntryAttributes& current, const AttributeTarget& target) {
  if ((current.bits & attr::kSettable) != (target.bits & attr::kSettable)) return false;
  return !target.mode || current.mode == *target.mode;
}

}  // namespace lumaveil::fs
