#include "win32_calls.h"

#include <windows.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace gdi_diff::win32 {
namespace {

template <typename H>
H To(Handle handle) {
  return reinterpret_cast<H>(static_cast<std::intptr_t>(handle));
}

Handle From(const void* handle) {
  return static_cast<Handle>(reinterpret_cast<std::intptr_t>(handle));
}

HDC Dc(Handle handle) { return To<HDC>(handle); }

::RECT ToRect(const Rect& rect) { return ::RECT{rect.left, rect.top, rect.right, rect.bottom}; }

Rect FromRect(const ::RECT& rect) { return Rect{rect.left, rect.top, rect.right, rect.bottom}; }

HBITMAP TopDownDib(int width, int height, std::uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  *bits = static_cast<std::uint32_t*>(memory);
  return bitmap;
}

}  // namespace

bool MakeDibSurface(int width, int height, DibSurface* surface) {
  *surface = DibSurface{};
  if (width < 0 || height < 0) return false;
  HDC dc = ::CreateCompatibleDC(nullptr);
  if (dc == nullptr) return false;
  surface->dc = From(dc);
  surface->width = width;
  surface->height = height;
  if (width == 0 || height == 0) return true;
  std::uint32_t* bits = nullptr;
  HBITMAP bitmap = TopDownDib(width, height, &bits);
  if (bitmap == nullptr) {
    ::DeleteDC(dc);
    *surface = DibSurface{};
    return false;
  }
  std::fill(bits, bits + static_cast<std::size_t>(width) * height, 0xFFFFFFu);
  surface->bitmap = From(bitmap);
  surface->old_bitmap = From(::SelectObject(dc, bitmap));
  surface->bits = bits;
  return true;
}

void FreeDibSurface(DibSurface* surface) {
  if (surface->old_bitmap != 0) ::SelectObject(Dc(surface->dc), To<HGDIOBJ>(surface->old_bitmap));
  if (surface->bitmap != 0) ::DeleteObject(To<HGDIOBJ>(surface->bitmap));
  if (surface->dc != 0) ::DeleteDC(Dc(surface->dc));
  *surface = DibSurface{};
}

void Flush() { ::GdiFlush(); }

Handle CreateSolidBrush(std::uint32_t color) { return From(::CreateSolidBrush(color)); }

Handle CreateHatchBrush(int style, std::uint32_t color) {
  return From(::CreateHatchBrush(style, color));
}

Handle CreatePatternBrush(Handle bitmap) { return From(::CreatePatternBrush(To<HBITMAP>(bitmap))); }

Handle CreatePen(int style, int width, std::uint32_t color) {
  return From(::CreatePen(style, width, color));
}

Handle MakeFont(const char* face, double points, int weight, bool italic, bool underline,
                  bool strikethrough) {
  const int height = -static_cast<int>(std::lround(points * 96.0 / 72.0));
  return From(::CreateFontA(height, 0, 0, 0, weight, italic, underline, strikethrough,
                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

Handle CreateBitmapFromPixels(int width, int height, const std::uint32_t* pixels) {
  if (width <= 0 || height <= 0) return 0;
  std::uint32_t* bits = nullptr;
  HBITMAP bitmap = TopDownDib(width, height, &bits);
  if (bitmap == nullptr) return 0;
  std::memcpy(bits, pixels, static_cast<std::size_t>(width) * height * sizeof *bits);
  return From(bitmap);
}

Handle SelectObject(Handle dc, Handle object) {
  return From(::SelectObject(Dc(dc), To<HGDIOBJ>(object)));
}

bool DeleteObject(Handle object) { return ::DeleteObject(To<HGDIOBJ>(object)) != 0; }

Handle CreateDCA(const char* driver, const char* device, const char* output) {
  return From(::CreateDCA(driver, device, output, nullptr));
}

Handle CreateCompatibleDC(Handle dc) { return From(::CreateCompatibleDC(Dc(dc))); }

Handle CreateCompatibleBitmap(Handle dc, int width, int height) {
  return From(::CreateCompatibleBitmap(Dc(dc), width, height));
}

bool DeleteDC(Handle dc) { return ::DeleteDC(Dc(dc)) != 0; }

int GetClipBox(Handle dc, Rect* rect) {
  ::RECT box{};
  const int kind = ::GetClipBox(Dc(dc), &box);
  *rect = FromRect(box);
  return kind;
}

int SetBkMode(Handle dc, int mode) { return ::SetBkMode(Dc(dc), mode); }
int GetBkMode(Handle dc) { return ::GetBkMode(Dc(dc)); }
std::uint32_t SetBkColor(Handle dc, std::uint32_t color) { return ::SetBkColor(Dc(dc), color); }
std::uint32_t GetBkColor(Handle dc) { return ::GetBkColor(Dc(dc)); }
std::uint32_t SetTextColor(Handle dc, std::uint32_t color) {
  return ::SetTextColor(Dc(dc), color);
}
std::uint32_t GetTextColor(Handle dc) { return ::GetTextColor(Dc(dc)); }

bool FillRect(Handle dc, const Rect* rect, Handle brush) {
  const ::RECT r = ToRect(*rect);
  return ::FillRect(Dc(dc), &r, To<HBRUSH>(brush)) != 0;
}

bool FrameRect(Handle dc, const Rect* rect, Handle brush) {
  const ::RECT r = ToRect(*rect);
  return ::FrameRect(Dc(dc), &r, To<HBRUSH>(brush)) != 0;
}

bool MoveToEx(Handle dc, int x, int y, std::int32_t* previous_x, std::int32_t* previous_y) {
  ::POINT previous{};
  const bool ok = ::MoveToEx(Dc(dc), x, y, &previous) != 0;
  if (previous_x != nullptr) *previous_x = previous.x;
  if (previous_y != nullptr) *previous_y = previous.y;
  return ok;
}

bool LineTo(Handle dc, int x, int y) { return ::LineTo(Dc(dc), x, y) != 0; }

bool SetPixelV(Handle dc, int x, int y, std::uint32_t color) {
  return ::SetPixelV(Dc(dc), x, y, color) != 0;
}

bool DrawEdge(Handle dc, Rect* rect, unsigned edge, unsigned flags) {
  ::RECT r = ToRect(*rect);
  const bool ok = ::DrawEdge(Dc(dc), &r, edge, flags) != 0;
  *rect = FromRect(r);
  return ok;
}

bool PatBlt(Handle dc, int x, int y, int width, int height, std::uint32_t rop) {
  return ::PatBlt(Dc(dc), x, y, width, height, rop) != 0;
}

bool BitBlt(Handle dest, int x, int y, int width, int height, Handle source, int source_x,
            int source_y, std::uint32_t rop) {
  return ::BitBlt(Dc(dest), x, y, width, height, Dc(source), source_x, source_y, rop) != 0;
}

int DrawTextA(Handle dc, const char* text, int count, Rect* rect, unsigned format) {
  ::RECT r = ToRect(*rect);
  const int height = ::DrawTextA(Dc(dc), text, count, &r, format);
  *rect = FromRect(r);
  return height;
}

std::uint32_t GetSysColor(int index) { return ::GetSysColor(index); }

bool SetSysColors(const std::uint32_t* colors, int count) {
  std::vector<INT> indexes(static_cast<std::size_t>(count));
  std::vector<COLORREF> values(colors, colors + count);
  for (int i = 0; i < count; ++i) indexes[static_cast<std::size_t>(i)] = i;
  return ::SetSysColors(count, indexes.data(), values.data()) != 0;
}

}  // namespace gdi_diff::win32
