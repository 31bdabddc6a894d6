// Screen and memory device contexts, compatible bitmaps, and the context attributes.
#include <cctype>
#include <string_view>

#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"

namespace lumaveil::gdi {
using internal::Bitmap;
using internal::Dc;
using internal::Entry;
using internal::ObjectTable;

namespace internal {
HDC AddDc(Dc::Type type, HWND window) {
  auto& table = ObjectTable::Instance();
  Dc dc;
  dc.type = type;
  dc.window = window;
  dc.bitmap = type == Dc::Type::kMemory ? table.stock_bitmap() : 0;
  dc.brush = table.stock_brush();
  dc.pen = table.stock_pen();
  dc.font = table.stock_font();
  table.Retain(dc.brush);
  table.Retain(dc.pen);
  table.Retain(dc.font);
  Entry entry{dc};
  entry.counted = type != Dc::Type::kWindow;
  return table.Add(std::move(entry));
}

void RemoveDc(HDC handle) {
  auto& table = ObjectTable::Instance();
  const Dc dc = *table.Get<Dc>(handle);
  table.Remove(handle);
  if (auto* bitmap = table.Get<Bitmap>(dc.bitmap)) bitmap->selected_into = 0;
  table.Release(dc.brush);
  table.Release(dc.pen);
  table.Release(dc.font);
}
}  // namespace internal

HDC CreateDCA(const char* driver, const char*, const char*, const void*) {
  if (driver == nullptr) return 0;
  constexpr std::string_view kDisplay = "DISPLAY";
  const std::string_view name(driver);
  if (name.size() != kDisplay.size()) return 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != kDisplay[i]) return 0;
  }
  return internal::AddDc(Dc::Type::kScreen, 0);
}

HDC CreateCompatibleDC(HDC dc) {
  if (dc != 0 && ObjectTable::Instance().Get<Dc>(dc) == nullptr) return 0;
  return internal::AddDc(Dc::Type::kMemory, 0);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  auto& table = ObjectTable::Instance();
  if (table.Get<Dc>(dc) == nullptr || width < 0 || height < 0) return 0;
  if (width == 0 || height == 0) return table.stock_bitmap();
  auto surface = internal::MakeSurface(width, height, 0);
  if (surface == nullptr) return 0;
  return table.Add(Entry{Bitmap{std::move(surface), 0}});
}

bool DeleteDC(HDC handle) {
  const Dc* dc = ObjectTable::Instance().Get<Dc>(handle);
  if (dc == nullptr || dc->type == Dc::Type::kWindow) return false;
  internal::RemoveDc(handle);
  return true;
}

PixelBuffer SurfacePixels(HDC handle) {
  auto& table = ObjectTable::Instance();
  const Dc* dc = table.Get<Dc>(handle);
  if (dc == nullptr) return {};
  internal::Surface* surface = table.SurfaceOf(*dc);
  return surface ? surface->View() : PixelBuffer{};
}

COLORREF GetPixel(HDC dc, int x, int y) {
  const PixelBuffer surface = SurfacePixels(dc);
  if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return CLR_INVALID;
  return internal::FromPixel(
      surface.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(surface.width) +
                     static_cast<std::size_t>(x)]);
}

bool GetClipBox(HDC handle, RECT* rect) {
  auto& table = ObjectTable::Instance();
  const Dc* dc = table.Get<Dc>(handle);
  const internal::Surface* surface = dc ? table.SurfaceOf(*dc) : nullptr;
  if (rect == nullptr || surface == nullptr) return false;
  *rect = RECT{0, 0, surface->width, surface->height};
  return true;
}

int SetBkMode(HDC handle, int mode) {
  Dc* dc = ObjectTable::Instance().Get<Dc>(handle);
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
  const int previous = dc->bk_mode;
  dc->bk_mode = mode;
  return previous;
}

int GetBkMode(HDC handle) {
  const Dc* dc = ObjectTable::Instance().Get<Dc>(handle);
  return dc ? dc->bk_mode : 0;
}

namespace {
COLORREF Exchange(HDC handle, COLORREF Dc::*member, COLORREF color) {
  Dc* dc = ObjectTable::Instance().Get<Dc>(handle);
  if (dc == nullptr) return CLR_INVALID;
  const COLORREF previous = dc->*member;
  dc->*member = color;
  return previous;
}

COLORREF Read(HDC handle, COLORREF Dc::*member) {
  const Dc* dc = ObjectTable::Instance().Get<Dc>(handle);
  return dc ? dc->*member : CLR_INVALID;
}
}  // namespace

COLORREF SetBkColor(HDC dc, COLORREF color) { return Exchange(dc, &Dc::bk_color, color); }
COLORREF GetBkColor(HDC dc) { return Read(dc, &Dc::bk_color); }
COLORREF SetTextColor(HDC dc, COLORREF color) { return Exchange(dc, &Dc::text_color, color); }
COLORREF GetTextColor(HDC dc) { return Read(dc, &Dc::text_color); }

}  // namespace lumaveil::gdi
