// Creating, selecting and deleting brushes, pens, fonts and bitmaps.
#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"

namespace lumaveil::gdi {
using internal::Bitmap;
using internal::Brush;
using internal::Dc;
using internal::Entry;
using internal::Font;
using internal::ObjectTable;
using internal::Pen;

namespace {
constexpr int kLastInternalHatchStyle = 11;
}  // namespace

HBRUSH CreateSolidBrush(COLORREF color) {
  return ObjectTable::Instance().Add(Entry{Brush{Brush::Type::kSolid, color, 0, nullptr}});
}

HBRUSH CreateHatchBrush(int style, COLORREF color) {
  // Styles 6 to 11 are the platform's internal solid kinds: on a true-colour surface each paints
  // the brush colour, whatever the background mode.
  if (style > HS_DIAGCROSS && style <= kLastInternalHatchStyle) return CreateSolidBrush(color);
  if (style < HS_HORIZONTAL || style > HS_DIAGCROSS) return 0;
  return ObjectTable::Instance().Add(Entry{Brush{Brush::Type::kHatch, color, style, nullptr}});
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto& table = ObjectTable::Instance();
  const Bitmap* source = table.Get<Bitmap>(bitmap);
  if (source == nullptr || source->surface == nullptr) return 0;
  auto copy = internal::MakeSurface(source->surface->width, source->surface->height, 0);
  if (copy == nullptr) return 0;
  copy->pixels = source->surface->pixels;
  return table.Add(Entry{Brush{Brush::Type::kPattern, 0, 0, std::move(copy)}});
}

HPEN CreatePen(int style, int width, COLORREF color) {
  if ((style != PS_SOLID && style != PS_NULL) || width < 0 || width > 1) return 0;
  return ObjectTable::Instance().Add(Entry{Pen{style, color}});
}

HFONT CreateFontHandle(const FontDescription& font) {
  return ObjectTable::Instance().Add(Entry{Font{font}});
}

HBITMAP CreateBitmapFromPixels(int width, int height, const std::uint32_t* pixels) {
  if (pixels == nullptr || width <= 0 || height <= 0) return 0;
  auto surface = internal::MakeSurface(width, height, 0);
  if (surface == nullptr) return 0;
  for (std::size_t i = 0; i < surface->pixels.size(); ++i) {
    surface->pixels[i] = pixels[i] & 0xFFFFFF;
  }
  return ObjectTable::Instance().Add(Entry{Bitmap{std::move(surface), 0}});
}

namespace {
HGDIOBJ Swap(HGDIOBJ& slot, HGDIOBJ object) {
  auto& table = ObjectTable::Instance();
  const HGDIOBJ previous = slot;
  if (previous == object) return previous;
  table.Retain(object);
  slot = object;
  table.Release(previous);
  return previous;
}

HGDIOBJ SelectBitmap(HDC dc_handle, Dc& dc, HBITMAP handle, Entry& entry) {
  if (dc.type != Dc::Type::kMemory) return 0;
  if (dc.bitmap == handle) return handle;
  auto& table = ObjectTable::Instance();
  auto& bitmap = std::get<Bitmap>(entry.value);
  if (!entry.stock) {
    if (bitmap.selected_into != 0) return 0;
    bitmap.selected_into = dc_handle;
  }
  const HBITMAP previous = dc.bitmap;
  if (auto* old = table.Get<Bitmap>(previous)) old->selected_into = 0;
  dc.bitmap = handle;
  return previous;
}
}  // namespace

HGDIOBJ SelectObject(HDC dc_handle, HGDIOBJ object) {
  auto& table = ObjectTable::Instance();
  Dc* dc = table.Get<Dc>(dc_handle);
  Entry* entry = table.Find(object);
  if (dc == nullptr || entry == nullptr) return 0;
  if (std::holds_alternative<Brush>(entry->value)) return Swap(dc->brush, object);
  if (std::holds_alternative<Pen>(entry->value)) return Swap(dc->pen, object);
  if (std::holds_alternative<Font>(entry->value)) return Swap(dc->font, object);
  if (std::holds_alternative<Bitmap>(entry->value)) return SelectBitmap(dc_handle, *dc, object, *entry);
  return 0;
}

bool DeleteObject(HGDIOBJ object) {
  auto& table = ObjectTable::Instance();
  Entry* entry = table.Find(object);
  if (entry == nullptr) return false;
  if (entry->stock) return true;
  if (std::holds_alternative<Dc>(entry->value) || std::holds_alternative<internal::Window>(entry->value)) {
    return false;
  }
  if (const auto* bitmap = std::get_if<Bitmap>(&entry->value)) {
    if (bitmap->selected_into != 0) return false;
  } else if (entry->selections > 0) {
    entry->delete_when_free = true;
    return true;
  }
  table.Remove(object);
  return true;
}

int LiveObjectCount() { return ObjectTable::Instance().LiveCount(); }

}  // namespace lumaveil::gdi
