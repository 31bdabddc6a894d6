// A device-context layer over 32-bit pixel buffers that draws as the Windows GDI and user calls
// draw, pixel for pixel, for the calls the progress bar makes. Objects (device contexts, brushes,
// pens, fonts, bitmaps) are reached through 32-bit handles; a call with a handle that is 0, stale
// or of the wrong kind fails the way the Windows call fails: it returns 0 or false and draws
// nothing. Nothing here throws.
//
// Coordinates are device pixels of the surface behind the context: the selected bitmap of a
// memory context, the client area of a host window for a window's own context. Every drawing
// call is clipped to that surface; any 32-bit coordinate is safe. The screen context made by
// CreateDCA("DISPLAY") has no surface of its own: drawing to it shows nothing.
//
// Pixels are stored as 0x00RRGGBB (a 32-bit device-independent bitmap's layout); colours are
// passed as COLORREF 0x00BBGGRR and only their low 24 bits count.
//
// The layer holds process-wide state, like the platform's object table, and is meant to be used
// from the one user-interface thread.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gdi/system_colors.h"
#include "platform/gdi/text_renderer.h"
#include "platform/gdi/types.h"

namespace lumaveil::gdi {

// ---- Objects -------------------------------------------------------------------------------

HBRUSH CreateSolidBrush(COLORREF color);
// Styles 0 to 5 (HS_*): 8 x 8 hatch patterns aligned to the context's origin; any other style
// gives no brush (0).
HBRUSH CreateHatchBrush(int style, COLORREF color);
// Tiles a copy of the bitmap from the context's origin; later changes to the bitmap don't show.
HBRUSH CreatePatternBrush(HBITMAP bitmap);
// PS_SOLID with width 0 or 1 draws one-pixel lines; PS_NULL draws nothing. Other styles and
// widths are not supported and give no pen (0).
HPEN CreatePen(int style, int width, COLORREF color);
// A handle onto a font of the text renderer.
HFONT CreateFontHandle(const FontDescription& font);
// A bitmap with a copy of `pixels` (0x00RRGGBB, rows top to bottom); how pictures enter the layer.
HBITMAP CreateBitmapFromPixels(int width, int height, const std::uint32_t* pixels);

// Replaces the context's object of the same kind and returns the one it displaced (0 on failure).
// A bitmap goes only into a memory context, and into one context at a time.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Frees an object. A bitmap selected into a context cannot be deleted (false); a pen, brush or
// font still selected somewhere is freed once it is no longer selected. Stock objects stay.
bool DeleteObject(HGDIOBJ object);

// Objects and contexts made by the calls above and not yet freed (stock objects, host windows
// and their own contexts excluded); lets tests prove that drawing code frees what it makes.
int LiveObjectCount();

// ---- Device contexts ------------------------------------------------------------------------

// "DISPLAY" (any case) gives the screen context; any other driver gives 0.
HDC CreateDCA(const char* driver, const char* device, const char* output, const void* init_data);
// A memory context with the stock 1 x 1 bitmap selected; `dc` may be 0 (the screen).
HDC CreateCompatibleDC(HDC dc);
// A bitmap of the given size in the screen's 32-bit format. Width or height 0 gives the stock
// 1 x 1 bitmap; a negative or too large size gives 0.
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
// Frees a screen or memory context; its selected objects are released (not deleted).
bool DeleteDC(HDC dc);

// ---- Host windows ---------------------------------------------------------------------------
// A host window is a surface the desktop shows: it has a client area of pixels and its own
// device context, which lives as long as the window.

HWND CreateHostWindow(int width, int height);
// Resizes the client area; the pixels that stay inside keep their colour, new ones are white.
bool SetHostWindowSize(HWND window, int width, int height);
bool DestroyHostWindow(HWND window);
HDC GetHostWindowDC(HWND window);
// Left and top 0, right and bottom the client width and height.
bool GetClientRect(HWND window, RECT* rect);

// ---- Reading pixels -------------------------------------------------------------------------

// The surface behind a context (empty for the screen context or a stale handle). The view stays
// valid until the next call of this layer.
PixelBuffer SurfacePixels(HDC dc);
// The COLORREF at a pixel, CLR_INVALID outside the surface.
COLORREF GetPixel(HDC dc, int x, int y);
// The context's surface as a rectangle (0, 0, width, height); false for the screen context.
bool GetClipBox(HDC dc, RECT* rect);

// ---- Attributes -----------------------------------------------------------------------------

// Return the previous value; 0 (mode) or CLR_INVALID (colour) on failure. A new context is
// OPAQUE, background white, text black.
int SetBkMode(HDC dc, int mode);
int GetBkMode(HDC dc);
COLORREF SetBkColor(HDC dc, COLORREF color);
COLORREF GetBkColor(HDC dc);
COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF GetTextColor(HDC dc);

// ---- Drawing --------------------------------------------------------------------------------

// Paints columns left to right - 1, rows top to bottom - 1 with the brush; an empty or inverted
// rectangle paints nothing.
bool FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// A one-pixel border with the brush just inside the rectangle; nothing for an empty rectangle.
bool FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
bool MoveToEx(HDC dc, int x, int y, POINT* previous);
// A line from the current position up to, not including, (x, y) with the selected pen; the end
// becomes the current position.
bool LineTo(HDC dc, int x, int y);
bool SetPixelV(HDC dc, int x, int y, COLORREF color);
// Two-line 3-D borders (BDR_* kinds combined) in the system's 3-D colours on the sides in `flags`.
bool DrawEdge(HDC dc, RECT* rect, unsigned edge, unsigned flags);
// PATCOPY only: fills x to x + width - 1, y to y + height - 1 with the selected brush; a
// negative or zero extent paints nothing.
bool PatBlt(HDC dc, int x, int y, int width, int height, std::uint32_t rop);
// SRCCOPY only: copies the rectangle; source pixels outside the source surface copy nothing.
bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
            int source_y, std::uint32_t rop);

// ---- Text -----------------------------------------------------------------------------------

// Installs the font engine behind DrawTextA; without one DrawTextA fails.
void SetTextRenderer(std::shared_ptr<const TextRenderer> renderer);

// `text` is in the ANSI code page (Windows-1252); `count` -1 means up to the terminating NUL.
// DT_CALCRECT measures only: right = left + widest line, bottom = top + height of the lines.
// Otherwise one line at the rectangle's top left in the text colour, clipped to the rectangle
// unless DT_NOCLIP; in OPAQUE mode the text's cells are first filled with the background colour.
// "&" marks a mnemonic unless DT_NOPREFIX ("&&" shows one "&"). Returns the text height, 0 on
// failure.
int DrawTextA(HDC dc, const char* text, int count, RECT* rect, unsigned format);

}  // namespace lumaveil::gdi
