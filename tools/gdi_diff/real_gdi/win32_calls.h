// The platform's own GDI and user calls, reached without the Windows headers: their macros
// (RGB, OPAQUE, BF_RECT, ...) would clash with the device-context layer's names, which the
// adapter beside this file implements. Handles travel as 32-bit numbers; 64-bit Windows keeps
// GDI handles within 32 significant bits, sign-extended, so no handle is lost on the way.
#pragma once

#include <cstdint>

namespace gdi_diff::win32 {

using Handle = std::int32_t;

struct Rect {
  std::int32_t left, top, right, bottom;
};

// A memory context with a top-down 32-bit DIB section selected, the reference drawer's
// stand-in for a window's client area. `bits` is null when either side is 0.
struct DibSurface {
  Handle dc = 0;
  Handle bitmap = 0;
  Handle old_bitmap = 0;
  std::uint32_t* bits = nullptr;
  int width = 0;
  int height = 0;
};

bool MakeDibSurface(int width, int height, DibSurface* surface);
void FreeDibSurface(DibSurface* surface);
// Makes sure GDI has finished writing the DIB sections' bits.
void Flush();

Handle CreateSolidBrush(std::uint32_t color);
Handle CreateHatchBrush(int style, std::uint32_t color);
Handle CreatePatternBrush(Handle bitmap);
Handle CreatePen(int style, int width, std::uint32_t color);
Handle MakeFont(const char* face, double points, int weight, bool italic, bool underline,
                  bool strikethrough);
// A DIB section holding a copy of the pixels (0x00RRGGBB, rows top to bottom).
Handle CreateBitmapFromPixels(int width, int height, const std::uint32_t* pixels);
Handle SelectObject(Handle dc, Handle object);
bool DeleteObject(Handle object);
Handle CreateDCA(const char* driver, const char* device, const char* output);
Handle CreateCompatibleDC(Handle dc);
Handle CreateCompatibleBitmap(Handle dc, int width, int height);
bool DeleteDC(Handle dc);

// The region kind GetClipBox answers: 0 error, 1 empty, 2 or 3 a rectangle or more.
int GetClipBox(Handle dc, Rect* rect);
int SetBkMode(Handle dc, int mode);
int GetBkMode(Handle dc);
std::uint32_t SetBkColor(Handle dc, std::uint32_t color);
std::uint32_t GetBkColor(Handle dc);
std::uint32_t SetTextColor(Handle dc, std::uint32_t color);
std::uint32_t GetTextColor(Handle dc);

bool FillRect(Handle dc, const Rect* rect, Handle brush);
bool FrameRect(Handle dc, const Rect* rect, Handle brush);
bool MoveToEx(Handle dc, int x, int y, std::int32_t* previous_x, std::int32_t* previous_y);
bool LineTo(Handle dc, int x, int y);
bool SetPixelV(Handle dc, int x, int y, std::uint32_t color);
bool DrawEdge(Handle dc, Rect* rect, unsigned edge, unsigned flags);
bool PatBlt(Handle dc, int x, int y, int width, int height, std::uint32_t rop);
bool BitBlt(Handle dest, int x, int y, int width, int height, Handle source, int source_x,
            int source_y, std::uint32_t rop);
int DrawTextA(Handle dc, const char* text, int count, Rect* rect, unsigned format);

std::uint32_t GetSysColor(int index);
// Makes colours 0 to count - 1 the system's; false when the platform refuses.
bool SetSysColors(const std::uint32_t* colors, int count);

}  // namespace gdi_diff::win32
