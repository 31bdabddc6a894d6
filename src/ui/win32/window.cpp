#include "ui/win32/window.h"

#include <set>
#include <string>

#include "ui/win32/gdi_objects.h"
#include "ui/win32/resources.h"

namespace lumaveil::win32 {

namespace {

void RegisterOnce(const wchar_t* class_name, HBRUSH background) {
  static std::set<std::wstring> registered;
  if (!registered.insert(class_name).second) return;
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  info.lpfnWndProc = DefWindowProcW;
  info.hInstance = GetModuleHandleW(nullptr);
  info.hIcon = LoadIconW(info.hInstance, MAKEINTRESOURCEW(IDI_PROGRAM));
  info.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  info.hbrBackground = background;
  info.lpszClassName = class_name;
  RegisterClassExW(&info);
}

template <typename Function>
Function User32Function(const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

Window::~Window() {
  if (hwnd_ == nullptr) return;
  // Messages of the destruction go to the default procedure: the object is half gone already.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
  DestroyWindow(hwnd_);
}

void Window::Create(const wchar_t* class_name, DWORD ex_style, DWORD style, const wchar_t* title,
                    int x, int y, int width, int height, HWND parent, HMENU menu_or_id,
                    HBRUSH background) {
  RegisterOnce(class_name, background);
  HWND hwnd = CreateWindowExW(ex_style, class_name, title, style, x, y, width, height, parent,
                              menu_or_id, GetModuleHandleW(nullptr), nullptr);
  if (hwnd == nullptr) return;
  hwnd_ = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::Procedure));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  const LRESULT result = self->HandleMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    self->Destroyed();
  }
  return result;
}

LRESULT BackgroundWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT, without flicker
    case WM_PRINTCLIENT:
      PaintBackground(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd(), &paint);
      PaintBackground(dc);
      EndPaint(hwnd(), &paint);
      return 0;
    }
    default:
      return Window::HandleMessage(message, wparam, lparam);
  }
}

UINT WindowDpi(HWND hwnd) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window =
      User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi_for_window != nullptr && hwnd != nullptr) {
    if (const UINT dpi = get_dpi_for_window(hwnd)) return dpi;
  }
  return SystemDpi();
}

UINT SystemDpi() {
  const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

SIZE OuterSize(int client_width, int client_height, DWORD style, DWORD ex_style, bool menu,
               UINT dpi) {
  RECT rect{0, 0, client_width, client_height};
  using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi =
      User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  if (adjust_for_dpi == nullptr || !adjust_for_dpi(&rect, style, menu, ex_style, dpi)) {
    AdjustWindowRectEx(&rect, style, menu, ex_style);
  }
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void CentreOnScreen(HWND hwnd) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  RECT frame;
  GetWindowRect(hwnd, &frame);
  const RECT& area = monitor.rcWork;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT RectInParent(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace lumaveil::win32
