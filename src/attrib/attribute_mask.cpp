#include "attrib/attribute_mask.h"

#include "attrib/attempt.h"

namespace lumaveil::attrib {

std::uint32_t BuildAttributeMask(PassHost& host) {
  std::uint32_t mask = 0;
  for (const Attribute attribute : kAttributes) {
    Attempt([&] {
      if (host.IsTicked(attribute)) mask |= BitOf(attribute);
    });
  }
  return mask;
}

}  // namespace lumaveil::attrib
