// Ownership of GDI objects and memory device contexts.
#pragma once

#include "ui/win32/windows_api.h"

#include <memory>
#include <type_traits>

namespace lumaveil::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <typename Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;

using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;

struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A window's device context (the screen's for a null window) for one scope.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Selects an object into a device context for one scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A font of `face` at `points` for a screen of `dpi`.
Font CreatePointFont(const wchar_t* face, double points, int weight, UINT dpi,
                     bool italic = false, bool underline = false, bool strikeout = false);

// Tahoma 8.25 pt: labels, boxes, the tree and the About window.
Font TahomaFont(UINT dpi);
// Arial 18 pt bold: the title over the banner.
Font ArialTitleFont(UINT dpi);

}  // namespace lumaveil::win32
