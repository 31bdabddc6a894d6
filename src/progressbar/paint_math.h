// Arithmetic shared by the looks: where a fill ends for a percentage.
#pragma once

#include <cstdint>

#include "common/numeric.h"

namespace lumaveil::progressbar {

// round(percentage / divisor x width + left): the division first, then the product, then the
// sum, all in Double; a result outside 32 bits raises error 6.
inline std::int32_t FillReach(std::int32_t percentage, double divisor, std::int32_t width,
                              std::int32_t left) {
  return numeric::RoundToInt32(percentage / divisor * width + left);
}

}  // namespace lumaveil::progressbar
