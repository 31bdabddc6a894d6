// Inside the device-context layer: painting clipped rectangles of a surface with a brush or one
// colour. Rectangles are half-open ([left, right) x [top, bottom)) in 64-bit coordinates, so
// callers can add and subtract 32-bit values without overflow; whatever lies outside the surface
// is skipped.
#pragma once

#include <cstdint>

#include "platform/gdi/object_table.h"

namespace lumaveil::gdi::internal {

struct Box {
  std::int64_t left = 0;
  std::int64_t top = 0;
  std::int64_t right = 0;
  std::int64_t bottom = 0;
};

// The part of `box` inside the surface; empty (right <= left or bottom <= top) when none is.
Box ClipToSurface(const Box& box, const Surface& surface);

// Paints with the brush as the context would: hatch patterns and pattern bitmaps are aligned to
// the context's origin, and a hatch's gaps take the background colour only in OPAQUE mode.
void PaintBox(const Dc& dc, Surface& surface, const Box& box, const Brush& brush);

void PaintBoxSolid(Surface& surface, const Box& box, std::uint32_t pixel);

inline std::uint32_t& PixelAt(Surface& surface, std::int64_t x, std::int64_t y) {
  return surface.pixels[static_cast<std::size_t>(y * surface.width + x)];
}

}  // namespace lumaveil::gdi::internal
