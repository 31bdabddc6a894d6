// The progress bar's drawing primitives: colour resolution and colour arithmetic, a filled or
// framed box, a one-pixel line, a gradient drawn line by line, and the off-screen buffer that the
// control paints into and copies to its window. They keep no state of their own apart from the
// buffer fields, which belong to the control and are passed in; every pen and brush a routine
// makes it deletes before it returns.
//
// Numbers follow the program's rules (round half to even, truncating division, 32-bit overflow
// raising run-time error 6). Only LightenColor, BlendColors and EnsureBuffer can raise; the
// drawing routines ignore failing platform calls, and DrawGradient skips whatever step fails.
#pragma once

#include <cstdint>

#include "platform/gdi/owned.h"
#include "platform/gdi/types.h"

namespace lumaveil::progressbar {

// The control's off-screen buffer. A buffer exists exactly when mMemDC holds a context; then
// mMemBitmap is selected into it, mOldBitmap puts back what that bitmap displaced, and the bitmap
// measures mBufWidth x mBufHeight. Without a buffer all five are empty or 0. The members are
// declared in the order that lets them go: the selection undone, the bitmap freed, the context
// freed.
struct OffscreenBuffer {
  gdi::Owned<gdi::Dc> mMemDC;
  gdi::Owned<gdi::Bitmap> mMemBitmap;
  gdi::ScopedSelect mOldBitmap;
  std::int32_t mBufWidth = 0;
  std::int32_t mBufHeight = 0;
};

// A colour with the top bit set is a system-colour reference (low 31 bits the index): its RGB
// value. Any other colour comes back unchanged.
std::int32_t ResolveColor(std::int32_t color);

// Moves each channel toward 255 by amount / 255 in integer arithmetic; the colour is taken as it
// is, not resolved. Raises error 6 when an intermediate result leaves the 32-bit range.
std::int32_t LightenColor(std::int32_t color, std::int32_t amount);

// Mixes two colours (both resolved first), `weight` being the first one's share in 255ths.
// Raises error 6 when a channel leaves the 16-bit range.
std::int32_t BlendColors(std::int32_t first, std::int32_t second, std::int32_t weight);

// FillRect with a temporary solid brush of the resolved colour.
void FillBox(const gdi::RECT& rect, std::int32_t color, gdi::HDC hdc);

// FrameRect with a temporary solid brush of the colour as given (not resolved).
void FrameBox(const gdi::RECT& rect, std::int32_t color, gdi::HDC hdc);

// A one-pixel line in the resolved colour from (X, y) up to, not including, (Width, Height):
// the last two are the end point, not a size.
void DrawLine(std::int32_t X, std::int32_t y, std::int32_t Width, std::int32_t Height,
              gdi::HDC cHdc, std::int32_t Color);

// Parallel one-pixel lines shading from lEndColor (first line) to lStartcolor (last line); both
// colours are replaced by their resolved values. bH true: X2 + 1 vertical lines at columns
// X to X + X2, each from row y up to row Y2. bH false: Y2 + 1 horizontal lines at rows y to
// y + Y2, each from column X up to column X2. A negative count draws nothing. Never raises.
void DrawGradient(std::int32_t& lEndColor, std::int32_t& lStartcolor, std::int32_t X,
                  std::int32_t y, std::int32_t X2, std::int32_t Y2, gdi::HDC hdc, bool bH);

// Makes sure a buffer of at least width x height exists (see the header comment of the .cpp for
// when it is kept or re-created) and returns its memory context, or 0 without a buffer. Raises
// error 6 when width + height leaves the 32-bit range.
gdi::HDC EnsureBuffer(OffscreenBuffer& buffer, std::int32_t width, std::int32_t height);

// Replaces the buffer by a new one of exactly width x height; on any failure no buffer is left.
void CreateBuffer(OffscreenBuffer& buffer, std::int32_t width, std::int32_t height);

// Releases the buffer and zeroes its fields; harmless without a buffer.
void FreeBuffer(OffscreenBuffer& buffer);

// Copies the buffer's (xSrc, ySrc, WidthSrc x HeightSrc) to (xDst, yDst) of hdc; a width or
// height of 0 or less means the buffer's. Without a buffer nothing is copied.
void pDraw(const OffscreenBuffer& buffer, gdi::HDC hdc, std::int32_t xSrc, std::int32_t ySrc,
           std::int32_t WidthSrc, std::int32_t HeightSrc, std::int32_t xDst, std::int32_t yDst);

}  // namespace lumaveil::progressbar
