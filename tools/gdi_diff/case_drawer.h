// Draws one case of the differential test through the lumaveil::gdi calls. The same source is
// linked twice: with the device-context layer (the raster drawer) and with the adapter that
// hands every call to the platform's own GDI (the reference drawer).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "diff_case.h"

namespace gdi_diff {

struct Drawn {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
};

// Installs the case's system colours (each drawer in its own way), then draws. Only the low 24
// bits of each pixel are kept.
Drawn DrawCase(const DiffCase& c);

// How each drawer makes the case's system colours current; defined by the drawer's program.
void UseSystemColors(const std::vector<std::uint32_t>& colors);

}  // namespace gdi_diff
