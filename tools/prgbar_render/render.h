// Draws one case on a fresh control and returns the window's picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "render_case.h"

namespace prgbar_render {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width x height x 3 bytes, rows top to bottom
};

// The settings go in through the control's setters, as a host would set them, with ShowText
// last: its setter's repaint is the first of the case's repaints, so the first text pass meets
// a fresh, opaque surface. Without ShowText, or with 0 repaints, the setters' own repaints have
// already drawn the picture and the case's repaints are run on top. A setter that fails (a value
// whose percentage leaves 32 bits, say) leaves its field as it was; its error text goes to
// `warnings`.
Picture RenderCaseOnFreshControl(const RenderCase& c, std::vector<std::string>& warnings);

}  // namespace prgbar_render
