// DrawEdge's 3-D borders. An edge is two one-pixel rings: the outer one on the rectangle's own
// border, the inner one inset by a pixel. Each ring has a top-left colour (top row and left
// column) and a bottom-right colour (bottom row and right column); the bottom-right sides are
// painted last and run the full length, so the top-right and bottom-left corner pixels take the
// bottom-right colour, as in the classic look. The colours come from the system-colour table at
// the time of the call. The corner ownership is our reading of the classic look, not measured on
// Windows; see docs/gdi.md.
#include <utility>

#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/raster.h"

namespace lumaveil::gdi {
using internal::Box;

namespace {
struct RingColors {
  int top_left;
  int bottom_right;
};

// Raised outer: 3-D light / dark shadow. Sunken outer: shadow / highlight. Raised inner:
// highlight / shadow. Sunken inner: dark shadow / light. Both bits of a ring, or none: no ring.
bool OuterColors(unsigned edge, RingColors* colors) {
  switch (edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) {
    case BDR_RAISEDOUTER: *colors = {COLOR_3DLIGHT, COLOR_3DDKSHADOW}; return true;
    case BDR_SUNKENOUTER: *colors = {COLOR_3DSHADOW, COLOR_3DHILIGHT}; return true;
    default: return false;
  }
}

bool InnerColors(unsigned edge, RingColors* colors) {
  switch (edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) {
    case BDR_RAISEDINNER: *colors = {COLOR_3DHILIGHT, COLOR_3DSHADOW}; return true;
    case BDR_SUNKENINNER: *colors = {COLOR_3DDKSHADOW, COLOR_3DLIGHT}; return true;
    default: return false;
  }
}

// The pixels a side covers along its length: from `start` towards `end`, `end` itself left out,
// whichever way the two lie; none when they are equal.
std::pair<std::int64_t, std::int64_t> Span(std::int64_t start, std::int64_t end) {
  return start <= end ? std::pair{start, end} : std::pair{end + 1, start + 1};
}

void PaintRing(internal::Surface& surface, const Box& box, unsigned flags,
               const RingColors& colors) {
  const std::uint32_t light = internal::ToPixel(GetSysColor(colors.top_left));
  const std::uint32_t dark = internal::ToPixel(GetSysColor(colors.bottom_right));
  const auto [left, right] = Span(box.left, box.right);
  const auto [top, bottom] = Span(box.top, box.bottom);
  if (flags & BF_TOP) internal::PaintBoxSolid(surface, {left, box.top, right, box.top + 1}, light);
  if (flags & BF_LEFT) {
    internal::PaintBoxSolid(surface, {box.left, top, box.left + 1, bottom}, light);
  }
  if (flags & BF_RIGHT) {
    internal::PaintBoxSolid(surface, {box.right - 1, top, box.right, bottom}, dark);
  }
  if (flags & BF_BOTTOM) {
    internal::PaintBoxSolid(surface, {left, box.bottom - 1, right, box.bottom}, dark);
  }
}
}  // namespace

bool DrawEdge(HDC dc, RECT* rect, unsigned edge, unsigned flags) {
  const internal::Target target = internal::Resolve(dc);
  if (target.dc == nullptr || rect == nullptr) return false;
  if (target.surface == nullptr) return true;
  Box box{rect->left, rect->top, rect->right, rect->bottom};
  // Both bits of the outer ring make the whole edge draw nothing, the inner ring included.
  if ((edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) == (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) return true;
  RingColors colors{};
  if (OuterColors(edge, &colors)) {
    PaintRing(*target.surface, box, flags, colors);
    if (flags & BF_LEFT) ++box.left;
    if (flags & BF_TOP) ++box.top;
    if (flags & BF_RIGHT) --box.right;
    if (flags & BF_BOTTOM) --box.bottom;
  }
  if (InnerColors(edge, &colors)) PaintRing(*target.surface, box, flags, colors);
  return true;
}

}  // namespace lumaveil::gdi
