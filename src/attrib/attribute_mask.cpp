#include "attrib/attribute_mask.h"

#include <array>

#include "attrib/attempt.h"
#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

std::uint32_t BuildAttributeMask(PassHost& host) {
  static constexpr std::array<std::uint32_t, 4> kBits = {
      fs::attr::kArchive, fs::attr::kReadOnly, fs::attr::kHidden, fs::attr::kSystem};
  std::uint32_t mask = 0;
  for (int index = 0; index < static_cast<int>(kBits.size()); ++index) {
    Attempt([&] {
      if (host.IsCheck1Ticked(index)) mask |= kBits[index];
    });
  }
  return mask;
}

}  // namespace lumaveil::attrib
