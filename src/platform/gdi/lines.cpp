// MoveToEx and LineTo with a one-pixel pen. The line is stepped along its major axis, one pixel
// per step, from the start point up to but not including the end point; on the minor axis each
// step takes the pixel nearest to the true line, and a tie (the line passing exactly halfway
// between two pixels) goes to the smaller coordinate whichever way the line runs. Lines at
// 45 degrees, horizontal and vertical lines have no ties. Coordinates beyond +/-2^27 are outside
// the range the platform draws lines in: such a line draws nothing (the current position still
// moves), which also keeps every product below in 64-bit range. The tie rule is the one the
// differential test measured on a real GDI (tools/gdi_diff; docs/gdi.md).
#include <algorithm>
#include <cstdlib>

#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/raster.h"

namespace lumaveil::gdi {
namespace {
constexpr std::int64_t kCoordinateLimit = std::int64_t{1} << 27;

bool InRange(std::int64_t value) { return value >= -kCoordinateLimit && value <= kCoordinateLimit; }

// floor(numerator / denominator) for a positive denominator.
std::int64_t FloorDiv(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  if (numerator % denominator != 0 && numerator < 0) --quotient;
  return quotient;
}

// Steps i = 0 .. length-1 along an axis from `start` in direction `step` (+1/-1): the range of i
// whose coordinate lies in [0, size).
void VisibleSteps(std::int64_t start, int step, std::int64_t length, std::int64_t size,
                  std::int64_t* first, std::int64_t* last) {
  // Coordinate c = start + step * i must satisfy 0 <= c < size.
  std::int64_t low = step > 0 ? -start : start - (size - 1);
  std::int64_t high = step > 0 ? size - 1 - start : start;
  *first = std::max<std::int64_t>(low, 0);
  *last = std::min<std::int64_t>(high, length - 1);
}

void Rasterise(internal::Surface& surface, POINT from, POINT to, std::uint32_t pixel) {
  const std::int64_t dx = std::int64_t{to.x} - from.x;
  const std::int64_t dy = std::int64_t{to.y} - from.y;
  const bool x_major = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t length = x_major ? std::llabs(dx) : std::llabs(dy);
  if (length == 0) return;
  const std::int64_t major_start = x_major ? from.x : from.y;
  const std::int64_t minor_start = x_major ? from.y : from.x;
  const std::int64_t minor_delta = x_major ? dy : dx;
  const int step = (x_major ? dx : dy) > 0 ? 1 : -1;
  const std::int64_t major_size = x_major ? surface.width : surface.height;
  const std::int64_t minor_size = x_major ? surface.height : surface.width;
  std::int64_t first = 0;
  std::int64_t last = -1;
  VisibleSteps(major_start, step, length, major_size, &first, &last);
  for (std::int64_t i = first; i <= last; ++i) {
    // Nearest pixel to minor_start + i * minor_delta / length, ties to the smaller coordinate.
    const std::int64_t minor =
        minor_start + FloorDiv(2 * i * minor_delta + length - 1, 2 * length);
    if (minor < 0 || minor >= minor_size) continue;
    const std::int64_t major = major_start + step * i;
    if (x_major) {
      internal::PixelAt(surface, major, minor) = pixel;
    } else {
      internal::PixelAt(surface, minor, major) = pixel;
    }
  }
}
}  // namespace

bool MoveToEx(HDC dc, int x, int y, POINT* previous) {
  internal::Dc* context = internal::Resolve(dc).dc;
  if (context == nullptr) return false;
  if (previous != nullptr) *previous = context->position;
  context->position = POINT{x, y};
  return true;
}

bool LineTo(HDC dc, int x, int y) {
  const internal::Target target = internal::Resolve(dc);
  if (target.dc == nullptr) return false;
  const POINT from = target.dc->position;
  const POINT to{x, y};
  target.dc->position = to;
  if (!InRange(from.x) || !InRange(from.y) || !InRange(to.x) || !InRange(to.y)) return false;
  const auto* pen = internal::ObjectTable::Instance().Get<internal::Pen>(target.dc->pen);
  if (pen == nullptr) return false;
  if (pen->style != PS_NULL && target.surface != nullptr) {
    Rasterise(*target.surface, from, to, internal::ToPixel(pen->color));
  }
  return true;
}

}  // namespace lumaveil::gdi
