// Places controls by their designed positions in twips at a window's dpi.
#pragma once

#include "ui/common/twips.h"
#include "ui/win32/windows_api.h"

namespace lumaveil::win32 {

class TwipLayout {
 public:
  explicit TwipLayout(UINT dpi) : dpi_(dpi) {}
  UINT Dpi() const { return dpi_; }
  int Pixels(int twips) const { return ui::TwipsToPixels(twips, dpi_); }
  RECT Rect(int left, int top, int width, int height) const {
    const ui::PixelRect r = ui::TwipsToPixels(left, top, width, height, dpi_);
    return RECT{r.x, r.y, r.x + r.width, r.y + r.height};
  }
  // Moves a control to its designed place.
  void Place(HWND control, int left, int top, int width, int height) const {
    const RECT r = Rect(left, top, width, height);
    SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

 private:
  UINT dpi_;
};

}  // namespace lumaveil::win32
