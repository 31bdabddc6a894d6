// BitBlt with SRCCOPY. The rectangle is clipped against both surfaces: only pixels that exist in
// the source and land inside the destination are copied; the rest of the destination keeps its
// colour. Source and destination may be the same surface, overlapping.
#include <algorithm>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/raster.h"

namespace lumaveil::gdi {

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
            int source_y, std::uint32_t rop) {
  const internal::Target to = internal::Resolve(dest);
  const internal::Target from = internal::Resolve(source);
  if (to.dc == nullptr || from.dc == nullptr || rop != SRCCOPY) return false;
  if (to.surface == nullptr || from.surface == nullptr || width <= 0 || height <= 0) return true;
  // Offsets from the destination to the source, in 64 bits so that no sum overflows.
  const std::int64_t shift_x = std::int64_t{source_x} - x;
  const std::int64_t shift_y = std::int64_t{source_y} - y;
  internal::Box box{x, y, std::int64_t{x} + width, std::int64_t{y} + height};
  box = internal::ClipToSurface(box, *to.surface);
  box.left = std::max(box.left, -shift_x);
  box.top = std::max(box.top, -shift_y);
  box.right = std::min<std::int64_t>(box.right, from.surface->width - shift_x);
  box.bottom = std::min<std::int64_t>(box.bottom, from.surface->height - shift_y);
  if (box.right <= box.left || box.bottom <= box.top) return true;
  const std::int64_t row_length = box.right - box.left;
  std::vector<std::uint32_t> row(static_cast<std::size_t>(row_length));
  const bool bottom_up = to.surface == from.surface && shift_y < 0;
  for (std::int64_t i = 0; i < box.bottom - box.top; ++i) {
    const std::int64_t dy = bottom_up ? box.bottom - 1 - i : box.top + i;
    const std::uint32_t* src = &internal::PixelAt(*from.surface, box.left + shift_x, dy + shift_y);
    std::copy(src, src + row_length, row.begin());
    std::copy(row.begin(), row.end(), &internal::PixelAt(*to.surface, box.left, dy));
  }
  return true;
}

}  // namespace lumaveil::gdi
