// The attribute mask: the complete new attribute set the ticked boxes stand for.
#pragma once

#include <cstdint>

#include "attrib/pass_host.h"

namespace lumaveil::attrib {

// Reads the boxes in the window's order and adds the bit of each ticked one. A box that cannot
// be read adds nothing.
std::uint32_t BuildAttributeMask(PassHost& host);

}  // namespace lumaveil::attrib
