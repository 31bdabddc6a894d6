// Hatch patterns are the platform's 8 x 8 monochrome patterns, one byte a row with the leftmost
// pixel in the high bit; a set bit is a hatch line. Pixel (x, y) of the context takes row y mod 8
// and column x mod 8, so hatches line up across separate fills. The rows and columns of the
// lines are those the differential test measured on a real GDI (tools/gdi_diff; docs/gdi.md).
#include "platform/gdi/raster.h"

#include <algorithm>

namespace lumaveil::gdi::internal {
namespace {
constexpr std::uint8_t kHatchPatterns[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

void PaintHatch(const Dc& dc, Surface& surface, const Box& box, const Brush& brush) {
  const auto& pattern = kHatchPatterns[brush.hatch_style];
  const std::uint32_t line = ToPixel(brush.color);
  const std::uint32_t gap = ToPixel(dc.bk_color);
  const bool opaque = dc.bk_mode == OPAQUE;
  for (std::int64_t y = box.top; y < box.bottom; ++y) {
    const std::uint8_t row = pattern[y & 7];
    for (std::int64_t x = box.left; x < box.right; ++x) {
      if (row & (0x80 >> (x & 7))) {
        PixelAt(surface, x, y) = line;
      } else if (opaque) {
        PixelAt(surface, x, y) = gap;
      }
    }
  }
}

void PaintPattern(Surface& surface, const Box& box, const Surface& pattern) {
  if (pattern.width <= 0 || pattern.height <= 0) return;
  for (std::int64_t y = box.top; y < box.bottom; ++y) {
    const std::int64_t row = (y % pattern.height) * pattern.width;
    for (std::int64_t x = box.left; x < box.right; ++x) {
      PixelAt(surface, x, y) = pattern.pixels[static_cast<std::size_t>(row + x % pattern.width)];
    }
  }
}
}  // namespace

Box ClipToSurface(const Box& box, const Surface& surface) {
  return Box{std::max<std::int64_t>(box.left, 0), std::max<std::int64_t>(box.top, 0),
             std::min<std::int64_t>(box.right, surface.width),
             std::min<std::int64_t>(box.bottom, surface.height)};
}

void PaintBoxSolid(Surface& surface, const Box& box, std::uint32_t pixel) {
  const Box clipped = ClipToSurface(box, surface);
  for (std::int64_t y = clipped.top; y < clipped.bottom; ++y) {
    for (std::int64_t x = clipped.left; x < clipped.right; ++x) PixelAt(surface, x, y) = pixel;
  }
}

void PaintBox(const Dc& dc, Surface& surface, const Box& box, const Brush& brush) {
  const Box clipped = ClipToSurface(box, surface);
  if (clipped.right <= clipped.left || clipped.bottom <= clipped.top) return;
  switch (brush.type) {
    case Brush::Type::kSolid:
      PaintBoxSolid(surface, clipped, ToPixel(brush.color));
      break;
    case Brush::Type::kHatch:
      PaintHatch(dc, surface, clipped, brush);
      break;
    case Brush::Type::kPattern:
      if (brush.pattern) PaintPattern(surface, clipped, *brush.pattern);
      break;
  }
}

}  // namespace lumaveil::gdi::internal
