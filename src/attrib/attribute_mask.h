// The attribute mask: the complete new attribute set the ticked boxes stand for.
#pragma once

#include <cstdint>

#include "attrib/pass_host.h"

namespace lumaveil::attrib {

// Reads Check1(0..3) in index order: Archive 32, Read-Only 1, Hidden 2, System 4. A box that
// cannot be read adds nothing.
std::uint32_t BuildAttributeMask(PassHost& host);

}  // namespace lumaveil::attrib
