// Inside the device-context layer: the table that maps 32-bit handles to objects, the objects
// themselves, and the stock objects every new context starts with. Only the layer's own files
// include this.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/gdi/text_renderer.h"
#include "platform/gdi/types.h"

namespace lumaveil::gdi::internal {

struct Surface {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row-major

  PixelBuffer View() { return {pixels.data(), width, height}; }
};

struct Brush {
  enum class Type { kSolid, kHatch, kPattern } type = Type::kSolid;
  COLORREF color = 0;
  int hatch_style = 0;
  std::shared_ptr<const Surface> pattern;  // a copy, so the source bitmap may change or go
};

struct Pen {
  int style = PS_SOLID;
  COLORREF color = 0;
};

struct Font {
  FontDescription description;
};

struct Bitmap {
  std::shared_ptr<Surface> surface;
  HDC selected_into = 0;  // a bitmap lives in at most one context (stock bitmap excepted)
};

struct Dc {
  enum class Type { kScreen, kMemory, kWindow } type = Type::kMemory;
  HWND window = 0;  // kWindow: the window whose client area is the surface
  HBITMAP bitmap = 0;
  HBRUSH brush = 0;
  HPEN pen = 0;
  HFONT font = 0;
  int bk_mode = OPAQUE;
  COLORREF bk_color = RGB(255, 255, 255);
  COLORREF text_color = RGB(0, 0, 0);
  POINT position;
};

struct Window {
  std::shared_ptr<Surface> surface;
  HDC dc = 0;
};

struct Entry {
  std::variant<Dc, Brush, Pen, Font, Bitmap, Window> value;
  bool stock = false;
  bool counted = true;           // part of LiveObjectCount
  int selections = 0;            // contexts this pen, brush or font is selected into
  bool delete_when_free = false; // DeleteObject came while it was selected
};

class ObjectTable {
 public:
  static ObjectTable& Instance();

  HGDIOBJ Add(Entry entry);
  void Remove(HGDIOBJ handle);
  Entry* Find(HGDIOBJ handle);

  template <typename T>
  T* Get(HGDIOBJ handle) {
    Entry* entry = Find(handle);
    return entry ? std::get_if<T>(&entry->value) : nullptr;
  }

  int LiveCount() const;

  // Selection bookkeeping of pens, brushes and fonts: an object deleted while selected is freed
  // when its last context lets go of it.
  void Retain(HGDIOBJ handle);
  void Release(HGDIOBJ handle);

  HBRUSH stock_brush() const { return stock_brush_; }
  HPEN stock_pen() const { return stock_pen_; }
  HFONT stock_font() const { return stock_font_; }
  HBITMAP stock_bitmap() const { return stock_bitmap_; }

  // The pixels a context draws on: its bitmap's, its window's, or none (screen context).
  Surface* SurfaceOf(const Dc& dc);

 private:
  ObjectTable();

  std::unordered_map<HGDIOBJ, Entry> entries_;
  HGDIOBJ next_handle_;
  HBRUSH stock_brush_ = 0;
  HPEN stock_pen_ = 0;
  HFONT stock_font_ = 0;
  HBITMAP stock_bitmap_ = 0;
};

// Contexts are added and removed here so that their stock selections are counted.
HDC AddDc(Dc::Type type, HWND window);
void RemoveDc(HDC handle);

// A context and the pixels it draws on: dc is nullptr for a stale handle, surface for the screen.
struct Target {
  Dc* dc = nullptr;
  Surface* surface = nullptr;
};
Target Resolve(HDC handle);

// Pixel format of surfaces from a COLORREF and back. A colour whose high byte is odd names an
// entry of the default palette by its low word (PALETTEINDEX); an index past the palette's 20
// entries gives black. Any other high byte is ignored (0x02 PALETTERGB and the program's own
// 0x80 system-colour references alike): the low 24 bits are the colour.
inline constexpr std::uint32_t kDefaultPalette[20] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
constexpr std::uint32_t ToPixel(COLORREF color) {
  if ((color >> 24) & 1) {
    const std::uint32_t index = color & 0xFFFF;
    return index < 20 ? kDefaultPalette[index] : 0;
  }
  return PixelOf(color);
}
constexpr COLORREF FromPixel(std::uint32_t pixel) { return ToPixel(pixel & 0xFFFFFF); }

// A new surface of the given size filled with `pixel`; nullptr when it cannot be had (negative
// or too large a size, no memory).
std::shared_ptr<Surface> MakeSurface(int width, int height, std::uint32_t pixel);

}  // namespace lumaveil::gdi::internal
