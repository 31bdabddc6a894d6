// The grey border of the default bar and of the metal bar, with rounded corners made of single
// pixels.
#include "common/numeric.h"
#include "platform/gdi/gdi.h"
#include "progressbar/prgbar.h"

namespace lumaveil::progressbar {

namespace {

struct CornerPixel {
  bool from_right;
  std::int32_t dx;  // from the left edge, or back from r when from_right
  bool from_bottom;
  std::int32_t dy;
  gdi::COLORREF colour;
};

constexpr gdi::COLORREF kWhite = gdi::RGB(255, 255, 255);
constexpr gdi::COLORREF kShade1 = gdi::RGB(172, 171, 166);
constexpr gdi::COLORREF kShade2 = gdi::RGB(172, 171, 167);
constexpr gdi::COLORREF kShade3 = gdi::RGB(127, 126, 125);
constexpr gdi::COLORREF kShade4 = gdi::RGB(119, 119, 119);
constexpr gdi::COLORREF kLine = gdi::RGB(190, 190, 190);
constexpr gdi::COLORREF kInner = gdi::RGB(239, 239, 239);
constexpr gdi::COLORREF kFrame = gdi::RGB(104, 104, 104);

// In drawing order: top left, bottom left, top right, bottom right.
constexpr CornerPixel kCorners[] = {
    {false, 0, false, 0, kWhite},  {false, 0, false, 1, kShade1}, {false, 0, false, 2, kShade3},
    {false, 1, false, 0, kShade2}, {false, 1, false, 1, kShade4}, {false, 2, false, 0, kShade3},
    {false, 2, false, 2, kLine},

    {false, 0, true, 1, kWhite},   {false, 1, true, 1, kShade1},  {false, 2, true, 1, kShade3},
    {false, 0, true, 3, kShade3},  {false, 0, true, 2, kShade2},  {false, 1, true, 2, kShade4},

    {true, 1, false, 0, kWhite},   {true, 1, false, 1, kLine},    {true, 1, false, 2, kShade3},
    {true, 2, false, 2, kLine},    {true, 2, false, 1, kFrame},

    {true, 1, true, 1, kWhite},    {true, 1, true, 2, kLine},     {true, 1, true, 3, kShade3},
    {true, 2, true, 2, kShade4},   {true, 2, true, 1, kLine},     {true, 3, true, 1, kShade3},
};

}  // namespace

void PrgBar::DrawBorder() {
  using numeric::Sub32;
  mClientRect.left = Sub32(mClientRect.left, 3);
  const std::int32_t r = mClientRect.right;
  const std::int32_t b = mClientRect.bottom;
  const auto line = [&](std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                        gdi::COLORREF colour) {
    DrawLine(x1, y1, x2, y2, mHdc, static_cast<std::int32_t>(colour));
  };
  line(2, 1, Sub32(r, 2), 1, kLine);
  line(2, Sub32(b, 2), Sub32(r, 2), Sub32(b, 2), kInner);
  line(1, 2, 1, Sub32(b, 2), kLine);
  line(2, 2, 2, Sub32(b, 2), kInner);
  line(2, 2, Sub32(r, 2), 2, kInner);
  line(Sub32(r, 2), 2, Sub32(r, 2), Sub32(b, 2), kInner);
  FrameBox(mClientRect, static_cast<std::int32_t>(kFrame), mHdc);
  for (const CornerPixel& p : kCorners) {
    const std::int32_t x = p.from_right ? Sub32(r, p.dx) : p.dx;
    const std::int32_t y = p.from_bottom ? Sub32(b, p.dy) : p.dy;
    gdi::SetPixelV(mHdc, x, y,
                   static_cast<gdi::COLORREF>(ResolveColor(static_cast<std::int32_t>(p.colour))));
  }
}

}  // namespace lumaveil::progressbar
