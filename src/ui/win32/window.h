// A native window owned by a C++ object: the object receives the window's messages, and
// destroying the object destroys its window.
#pragma once

#include "ui/win32/windows_api.h"

namespace lumaveil::win32 {

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Null once the window has been destroyed (closed by the user, say).
  HWND hwnd() const { return hwnd_; }

 protected:
  // Creates the window; its class, named `class_name`, is registered on first use with the
  // program icon, the arrow cursor and `background` (null: the window paints everything).
  void Create(const wchar_t* class_name, DWORD ex_style, DWORD style, const wchar_t* title,
              int x, int y, int width, int height, HWND parent, HMENU menu_or_id,
              HBRUSH background = nullptr);

  // Every message of the window; the default is DefWindowProcW.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Runs when the window is gone (hwnd() is null again).
  virtual void Destroyed() {}

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
};

// A window that paints its own background (a colour, a picture) beneath its controls, and
// gives it to the labels that ask for it with WM_PRINTCLIENT.
class BackgroundWindow : public Window {
 protected:
  virtual void PaintBackground(HDC dc) = 0;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
};

// The dots per inch the window is shown at: its monitor's where Windows tells (10 and later),
// the system's otherwise.
UINT WindowDpi(HWND hwnd);
// The system's dots per inch, for windows not yet placed.
UINT SystemDpi();

// The outer size of a window of `style` whose client area is `client_width` x `client_height`.
SIZE OuterSize(int client_width, int client_height, DWORD style, DWORD ex_style, bool menu,
               UINT dpi);

// Moves the top-level `hwnd` to the centre of the work area of the monitor it is on.
void CentreOnScreen(HWND hwnd);

// Where a child window lies in its parent's client area.
RECT RectInParent(HWND child);

}  // namespace lumaveil::win32
