// The progress bar's drawing primitives over the device-context layer.
//
// EnsureBuffer keeps the buffer while the request fits in it in both directions and otherwise
// re-creates it at exactly the requested size, so it never shrinks for a smaller request; without
// a buffer it tries to make one whenever width + height is positive (a 0 x 10 request makes a
// buffer of the platform's 1 x 1 stand-in bitmap, recorded as 0 x 10).
//
// DrawGradient computes its line colours with single-precision steps, whose rounding the looks'
// pictures (docs/images/prgbar-style-*.png) are made of: a channel is end + step x i, with step = (start - end) / n held in single precision, rounded
// half to even. It draws only the lines that can reach the target's surface: lines wholly
// outside it would change no pixel, and skipping them keeps a huge count (a gradient millions of
// lines long) from stalling the user-interface thread one pen at a time.
#include "progressbar/drawing_primitives.h"

#include <algorithm>

#include "common/numeric.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/owned.h"

namespace lumaveil::progressbar {
namespace {
using numeric::Add32;
using numeric::Div32;
using numeric::Mod32;
using numeric::Mul32;
using numeric::Sub32;

struct Channels {
  std::int32_t red;
  std::int32_t green;
  std::int32_t blue;
};

// red = colour And 255, green = (colour \ 256) mod 256, blue = (colour \ 65536) mod 256: the
// truncating division and mod keep the sign of a negative colour.
Channels Split(std::int32_t color) {
  return {color & 255, Mod32(Div32(color, 256), 256), Mod32(Div32(color, 65536), 256)};
}

std::int32_t Compose(std::int32_t red, std::int32_t green, std::int32_t blue) {
  return Add32(Add32(red, Mul32(green, 256)), Mul32(blue, 65536));
}

std::int32_t AtMost255(std::int32_t channel) { return std::min(channel, 255); }
}  // namespace

std::int32_t ResolveColor(std::int32_t color) {
  if (color >= 0) return color;
  return static_cast<std::int32_t>(gdi::GetSysColor(color & 0x7FFFFFFF));
}

std::int32_t LightenColor(std::int32_t color, std::int32_t amount) {
  const Channels c = Split(color);
  const std::int32_t rest = Sub32(255, amount);
  auto lighten = [&](std::int32_t channel) {
    return AtMost255(Add32(amount, Div32(Mul32(rest, channel), 255)));
  };
  return Compose(lighten(c.red), lighten(c.green), lighten(c.blue));
}

std::int32_t BlendColors(std::int32_t first, std::int32_t second, std::int32_t weight) {
  const Channels a = Split(ResolveColor(first));
  const Channels b = Split(ResolveColor(second));
  const std::int32_t rest = Sub32(255, weight);
  auto blend = [&](std::int32_t c1, std::int32_t c2) {
    const double value = static_cast<double>(Mul32(rest, c2)) / 255.0 +
                         static_cast<double>(Mul32(weight, c1)) / 255.0;
    return AtMost255(numeric::RoundToInt16(value));
  };
  return Compose(blend(a.red, b.red), blend(a.green, b.green), blend(a.blue, b.blue));
}

void FillBox(const gdi::RECT& rect, std::int32_t color, gdi::HDC hdc) {
  const gdi::Owned<gdi::Brush> brush(
      gdi::CreateSolidBrush(static_cast<gdi::COLORREF>(ResolveColor(color))));
  gdi::FillRect(hdc, &rect, brush.get());
}

void FrameBox(const gdi::RECT& rect, std::int32_t color, gdi::HDC hdc) {
  const gdi::Owned<gdi::Brush> brush(gdi::CreateSolidBrush(static_cast<gdi::COLORREF>(color)));
  gdi::FrameRect(hdc, &rect, brush.get());
}

void DrawLine(std::int32_t X, std::int32_t y, std::int32_t Width, std::int32_t Height,
              gdi::HDC cHdc, std::int32_t Color) {
  const gdi::Owned<gdi::Pen> pen(
      gdi::CreatePen(gdi::PS_SOLID, 1, static_cast<gdi::COLORREF>(ResolveColor(Color))));
  const gdi::ScopedSelect selected(cHdc, pen.get());
  gdi::MoveToEx(cHdc, X, y, nullptr);
  gdi::LineTo(cHdc, Width, Height);
}

void DrawGradient(std::int32_t& lEndColor, std::int32_t& lStartcolor, std::int32_t X,
                  std::int32_t y, std::int32_t X2, std::int32_t Y2, gdi::HDC hdc, bool bH) {
  lEndColor = ResolveColor(lEndColor);
  lStartcolor = ResolveColor(lStartcolor);
  // Resolved colours are never negative, so the integer division below cannot fail.
  const float end[3] = {static_cast<float>(lEndColor & 255),
                        static_cast<float>((lEndColor / 256) & 255),
                        static_cast<float>((lEndColor & 0xFF0000) / 65536)};
  const float start[3] = {static_cast<float>(lStartcolor & 255),
                          static_cast<float>((lStartcolor / 256) & 255),
                          static_cast<float>((lStartcolor & 0xFF0000) / 65536)};
  const std::int32_t n = bH ? X2 : Y2;
  // With n = 0 the steps cannot be computed and keep the start channels; only line 0 is drawn,
  // and its colour does not depend on them.
  float step[3] = {start[0], start[1], start[2]};
  if (n != 0) {
    for (int c = 0; c < 3; ++c) {
      step[c] = static_cast<float>((static_cast<double>(start[c]) - end[c]) / n);
    }
  }

  gdi::RECT surface;
  if (n < 0 || !gdi::GetClipBox(hdc, &surface)) return;
  const std::int64_t origin = bH ? X : y;
  const std::int64_t size = bH ? surface.right : surface.bottom;
  const std::int64_t first = std::max<std::int64_t>(0, -origin);
  const std::int64_t last = std::min<std::int64_t>(n, size - 1 - origin);
  for (std::int64_t i = first; i <= last; ++i) {
    try {
      std::int32_t channel[3];
      for (int c = 0; c < 3; ++c) {
        channel[c] = AtMost255(numeric::RoundToInt16(static_cast<double>(end[c]) +
                                                     static_cast<double>(step[c]) * i));
      }
      const std::int32_t color = Compose(channel[0], channel[1], channel[2]);
      const std::int32_t line = Add32(bH ? X : y, static_cast<std::int32_t>(i));
      if (bH) {
        DrawLine(line, y, line, Y2, hdc, color);
      } else {
        DrawLine(X, line, X2, line, hdc, color);
      }
    } catch (const RunTimeError&) {
      // A line whose colour or place cannot be computed is left out.
    }
  }
}

gdi::HDC EnsureBuffer(OffscreenBuffer& buffer, std::int32_t width, std::int32_t height) {
  if (!buffer.mMemDC) {
    if (Add32(width, height) > 0) CreateBuffer(buffer, width, height);
  } else if (width > buffer.mBufWidth || height > buffer.mBufHeight) {
    CreateBuffer(buffer, width, height);
  }
  return buffer.mMemDC.get();
}

void CreateBuffer(OffscreenBuffer& buffer, std::int32_t width, std::int32_t height) {
  FreeBuffer(buffer);
  {
    const gdi::Owned<gdi::Dc> screen(gdi::CreateDCA("DISPLAY", "", "", nullptr));
    if (!screen) return;
    buffer.mMemDC = gdi::Owned<gdi::Dc>(gdi::CreateCompatibleDC(screen.get()));
    if (buffer.mMemDC) {
      // The screen's format, not the new memory context's (which starts with a 1 x 1 bitmap).
      buffer.mMemBitmap =
          gdi::Owned<gdi::Bitmap>(gdi::CreateCompatibleBitmap(screen.get(), width, height));
      if (buffer.mMemBitmap) {
        buffer.mOldBitmap = gdi::ScopedSelect(buffer.mMemDC.get(), buffer.mMemBitmap.get());
      }
    }
  }
  if (buffer.mMemDC && buffer.mMemBitmap && buffer.mOldBitmap.previous() != 0) {
    buffer.mBufWidth = width;
    buffer.mBufHeight = height;
  } else {
    FreeBuffer(buffer);
  }
}

void FreeBuffer(OffscreenBuffer& buffer) {
  buffer.mOldBitmap.Reset();
  buffer.mMemBitmap.Reset();
  buffer.mMemDC.Reset();
  buffer.mBufWidth = 0;
  buffer.mBufHeight = 0;
}

void pDraw(const OffscreenBuffer& buffer, gdi::HDC hdc, std::int32_t xSrc, std::int32_t ySrc,
           std::int32_t WidthSrc, std::int32_t HeightSrc, std::int32_t xDst, std::int32_t yDst) {
  if (!buffer.mMemDC) return;
  const std::int32_t width = WidthSrc <= 0 ? buffer.mBufWidth : WidthSrc;
  const std::int32_t height = HeightSrc <= 0 ? buffer.mBufHeight : HeightSrc;
  gdi::BitBlt(hdc, xDst, yDst, width, height, buffer.mMemDC.get(), xSrc, ySrc, gdi::SRCCOPY);
}

}  // namespace lumaveil::progressbar
