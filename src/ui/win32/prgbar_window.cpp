#include "ui/win32/prgbar_window.h"

#include <algorithm>

#include "platform/gdi/gdi.h"

namespace lumaveil::win32 {

PrgbarWindow::PrgbarWindow(HWND parent, int id)
    : surface_(1, 1), bar_(std::make_unique<progressbar::PrgBar>(surface_)) {
  Create(L"LumaveilPrgBar", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, L"", 0, 0, 1, 1, parent,
         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
  surface_.OnPropertyChanged([this](std::string_view) { InvalidateRect(hwnd(), nullptr, FALSE); });
}

PrgbarWindow::~PrgbarWindow() = default;

void PrgbarWindow::ReadProperties(const progressbar::PropertyBag& bag) {
  bar_->UserControl_ReadProperties(bag);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void PrgbarWindow::Place(const RECT& rect) {
  SetWindowPos(hwnd(), nullptr, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PrgbarWindow::SetValue(std::int32_t value) {
  bar_->SetValue(value);
  InvalidateRect(hwnd(), nullptr, FALSE);
}

gdi::PixelBuffer PrgbarWindow::Pixels() const { return gdi::SurfacePixels(surface_.hDC()); }

LRESULT PrgbarWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      surface_.Resize(std::max(1, int(LOWORD(lparam))), std::max(1, int(HIWORD(lparam))));
      bar_->UserControl_Resize();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // every pixel comes from the control's window
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd(), &paint);
      bar_->UserControl_Paint();
      const gdi::PixelBuffer pixels = Pixels();
      if (pixels.pixels != nullptr && pixels.width > 0 && pixels.height > 0) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = pixels.width;
        info.bmiHeader.biHeight = -pixels.height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, 0, 0, DWORD(pixels.width), DWORD(pixels.height), 0, 0, 0,
                          UINT(pixels.height), pixels.pixels, &info, DIB_RGB_COLORS);
      }
      EndPaint(hwnd(), &paint);
      return 0;
    }
    default:
      return Window::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace lumaveil::win32
