#include "real_gdi.h"

#include <algorithm>
#include <map>

#include "platform/gdi/gdi.h"
#include "results_file.h"
#include "win32_calls.h"

namespace gdi_diff {
namespace {
std::uint32_t& Notes() {
  static std::uint32_t notes = 0;
  return notes;
}
}  // namespace

std::uint32_t TakeNotes() {
  const std::uint32_t notes = Notes();
  Notes() = 0;
  return notes;
}

}  // namespace gdi_diff

namespace lumaveil::gdi {
namespace win32 = gdi_diff::win32;

namespace {

std::map<HWND, win32::DibSurface>& Windows() {
  static std::map<HWND, win32::DibSurface> windows;
  return windows;
}

const win32::DibSurface* SurfaceOfDc(HDC dc) {
  for (const auto& [window, surface] : Windows()) {
    if (surface.dc == dc) return &surface;
  }
  return nullptr;
}

win32::Rect ToWin32(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
RECT FromWin32(const win32::Rect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

HBRUSH CreateSolidBrush(COLORREF color) { return win32::CreateSolidBrush(color); }
HBRUSH CreateHatchBrush(int style, COLORREF color) { return win32::CreateHatchBrush(style, color); }
HBRUSH CreatePatternBrush(HBITMAP bitmap) { return win32::CreatePatternBrush(bitmap); }
HPEN CreatePen(int style, int width, COLORREF color) { return win32::CreatePen(style, width, color); }

HFONT CreateFontHandle(const FontDescription& font) {
  return win32::MakeFont(font.face.c_str(), font.point_size, font.weight, font.italic,
                           font.underline, font.strikethrough);
}

HBITMAP CreateBitmapFromPixels(int width, int height, const std::uint32_t* pixels) {
  return win32::CreateBitmapFromPixels(width, height, pixels);
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) { return win32::SelectObject(dc, object); }
bool DeleteObject(HGDIOBJ object) { return win32::DeleteObject(object); }

HDC CreateDCA(const char* driver, const char* device, const char* output, const void*) {
  return win32::CreateDCA(driver, device, output);
}
HDC CreateCompatibleDC(HDC dc) { return win32::CreateCompatibleDC(dc); }
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  return win32::CreateCompatibleBitmap(dc, width, height);
}
bool DeleteDC(HDC dc) { return win32::DeleteDC(dc); }

HWND CreateHostWindow(int width, int height) {
  static HWND next = 0x10000;
  win32::DibSurface surface;
  if (!win32::MakeDibSurface(width, height, &surface)) return 0;
  Windows()[next] = surface;
  return next++;
}

bool SetHostWindowSize(HWND window, int width, int height) {
  const auto it = Windows().find(window);
  if (it == Windows().end()) return false;
  win32::DibSurface resized;
  if (!win32::MakeDibSurface(width, height, &resized)) return false;
  win32::DibSurface& old = it->second;
  win32::Flush();
  for (int y = 0; y < std::min(height, old.height) && resized.bits && old.bits; ++y) {
    std::copy_n(old.bits + static_cast<std::size_t>(y) * old.width, std::min(width, old.width),
                resized.bits + static_cast<std::size_t>(y) * width);
  }
  win32::FreeDibSurface(&old);
  old = resized;
  return true;
}

bool DestroyHostWindow(HWND window) {
  const auto it = Windows().find(window);
  if (it == Windows().end()) return false;
  win32::FreeDibSurface(&it->second);
  Windows().erase(it);
  return true;
}

HDC GetHostWindowDC(HWND window) {
  const auto it = Windows().find(window);
  return it == Windows().end() ? 0 : it->second.dc;
}

bool GetClientRect(HWND window, RECT* rect) {
  const auto it = Windows().find(window);
  if (it == Windows().end() || rect == nullptr) return false;
  *rect = RECT{0, 0, it->second.width, it->second.height};
  return true;
}

PixelBuffer SurfacePixels(HDC dc) {
  const win32::DibSurface* surface = SurfaceOfDc(dc);
  if (surface == nullptr || surface->bits == nullptr) return {};
  win32::Flush();
  return {surface->bits, surface->width, surface->height};
}

bool GetClipBox(HDC dc, RECT* rect) {
  win32::Rect box{};
  const int kind = win32::GetClipBox(dc, &box);
  if (rect != nullptr) *rect = FromWin32(box);
  return kind > 1;
}

int SetBkMode(HDC dc, int mode) { return win32::SetBkMode(dc, mode); }
int GetBkMode(HDC dc) { return win32::GetBkMode(dc); }
COLORREF SetBkColor(HDC dc, COLORREF color) { return win32::SetBkColor(dc, color); }
COLORREF GetBkColor(HDC dc) { return win32::GetBkColor(dc); }
COLORREF SetTextColor(HDC dc, COLORREF color) { return win32::SetTextColor(dc, color); }
COLORREF GetTextColor(HDC dc) { return win32::GetTextColor(dc); }

bool FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (rect == nullptr) return false;
  if (rect->right < rect->left || rect->bottom < rect->top) {
    gdi_diff::Notes() |= gdi_diff::kNoteInvertedFill;
    return true;
  }
  if (brush == 0) {
    gdi_diff::Notes() |= gdi_diff::kNoteNullBrush;
    return false;
  }
  const win32::Rect r = ToWin32(*rect);
  return win32::FillRect(dc, &r, brush);
}

bool FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (rect == nullptr) return false;
  if (brush == 0) {
    gdi_diff::Notes() |= gdi_diff::kNoteNullBrush;
    return false;
  }
  const win32::Rect r = ToWin32(*rect);
  return win32::FrameRect(dc, &r, brush);
}

bool MoveToEx(HDC dc, int x, int y, POINT* previous) {
  std::int32_t px = 0;
  std::int32_t py = 0;
  const bool ok = win32::MoveToEx(dc, x, y, &px, &py);
  if (previous != nullptr) *previous = POINT{px, py};
  return ok;
}

bool LineTo(HDC dc, int x, int y) { return win32::LineTo(dc, x, y); }
bool SetPixelV(HDC dc, int x, int y, COLORREF color) { return win32::SetPixelV(dc, x, y, color); }

bool DrawEdge(HDC dc, RECT* rect, unsigned edge, unsigned flags) {
  if (rect == nullptr) return false;
  win32::Rect r = ToWin32(*rect);
  const bool ok = win32::DrawEdge(dc, &r, edge, flags);
  *rect = FromWin32(r);
  return ok;
}

bool PatBlt(HDC dc, int x, int y, int width, int height, std::uint32_t rop) {
  return win32::PatBlt(dc, x, y, width, height, rop);
}

bool BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int source_x,
            int source_y, std::uint32_t rop) {
  if (width < 0 || height < 0) {
    gdi_diff::Notes() |= gdi_diff::kNoteNegativeBlit;
    return true;
  }
  return win32::BitBlt(dest, x, y, width, height, source, source_x, source_y, rop);
}

// Fonts are the platform's; there is no renderer to install.
void SetTextRenderer(std::shared_ptr<const TextRenderer>) {}

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, unsigned format) {
  if (rect == nullptr) return 0;
  win32::Rect r = ToWin32(*rect);
  if (format & DT_CALCRECT) {
    const int height = win32::DrawTextA(dc, text, count, &r, format);
    *rect = FromWin32(r);
    return height;
  }
  if (win32::GetBkMode(dc) != TRANSPARENT) gdi_diff::Notes() |= gdi_diff::kNoteTextOnOpaqueBackground;
  return win32::DrawTextA(dc, text, count, &r, format | DT_CALCRECT);
}

COLORREF GetSysColor(int index) { return win32::GetSysColor(index); }

}  // namespace lumaveil::gdi
