// FillRect, FrameRect, PatBlt and SetPixelV: the calls that paint rectangles and pixels.
#include <utility>

#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/raster.h"

namespace lumaveil::gdi {
using internal::Box;
using internal::Brush;
using internal::ObjectTable;

namespace {
bool IsEmpty(const RECT& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

Box ToBox(const RECT& rect) { return Box{rect.left, rect.top, rect.right, rect.bottom}; }
}  // namespace

bool FillRect(HDC dc, const RECT* rect, HBRUSH brush_handle) {
  const internal::Target target = internal::Resolve(dc);
  const Brush* brush = ObjectTable::Instance().Get<Brush>(brush_handle);
  if (target.dc == nullptr || brush == nullptr || rect == nullptr) return false;
  if (target.surface != nullptr && !IsEmpty(*rect)) {
    internal::PaintBox(*target.dc, *target.surface, ToBox(*rect), *brush);
  }
  return true;
}

bool FrameRect(HDC dc, const RECT* rect, HBRUSH brush_handle) {
  const internal::Target target = internal::Resolve(dc);
  const Brush* brush = ObjectTable::Instance().Get<Brush>(brush_handle);
  if (target.dc == nullptr || brush == nullptr || rect == nullptr) return false;
  if (IsEmpty(*rect)) return false;
  if (target.surface == nullptr) return true;
  const Box box = ToBox(*rect);
  const Box sides[] = {
      {box.left, box.top, box.right, box.top + 1},          // top
      {box.left, box.bottom - 1, box.right, box.bottom},    // bottom
      {box.left, box.top, box.left + 1, box.bottom},        // left
      {box.right - 1, box.top, box.right, box.bottom},      // right
  };
  for (const Box& side : sides) internal::PaintBox(*target.dc, *target.surface, side, *brush);
  return true;
}

bool PatBlt(HDC dc, int x, int y, int width, int height, std::uint32_t rop) {
  const internal::Target target = internal::Resolve(dc);
  if (target.dc == nullptr || rop != PATCOPY) return false;
  const Brush* brush = ObjectTable::Instance().Get<Brush>(target.dc->brush);
  if (brush == nullptr) return false;
  if (target.surface != nullptr) {
    // A negative extent runs back from the start point, which stays inside: width -2 at x 3
    // paints columns 2 and 3.
    const auto span = [](std::int64_t start, std::int64_t extent) {
      return extent >= 0 ? std::pair{start, start + extent}
                         : std::pair{start + extent + 1, start + 1};
    };
    const auto [left, right] = span(x, width);
    const auto [top, bottom] = span(y, height);
    internal::PaintBox(*target.dc, *target.surface, Box{left, top, right, bottom}, *brush);
  }
  return true;
}

bool SetPixelV(HDC dc, int x, int y, COLORREF color) {
  const internal::Target target = internal::Resolve(dc);
  if (target.dc == nullptr) return false;
  if (target.surface == nullptr || x < 0 || y < 0 || x >= target.surface->width ||
      y >= target.surface->height) {
    return false;
  }
  internal::PixelAt(*target.surface, x, y) = internal::ToPixel(color);
  return true;
}

}  // namespace lumaveil::gdi
