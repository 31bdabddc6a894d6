// The host window of a PrgBar: it owns the control's device-context window, lets the control
// paint there, and shows the pixels with SetDIBitsToDevice, so the bar looks the same to the
// pixel as in the Linux program.
#pragma once

#include <cstdint>
#include <memory>

#include "progressbar/prgbar.h"
#include "progressbar/property_bag.h"
#include "progressbar/window_surface.h"
#include "ui/win32/window.h"

namespace lumaveil::win32 {

class PrgbarWindow : public Window {
 public:
  PrgbarWindow(HWND parent, int id);
  ~PrgbarWindow() override;

  // The stored settings of this instance; lets a RunTimeError through.
  void ReadProperties(const progressbar::PropertyBag& bag);
  void Place(const RECT& rect);

  std::int32_t value() const { return bar_->value(); }
  void SetValue(std::int32_t value);
  progressbar::PrgBar& Bar() { return *bar_; }
  // The control's window as last drawn.
  gdi::PixelBuffer Pixels() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  progressbar::WindowSurface surface_;
  // Declared after the surface: the control terminates before its window goes.
  std::unique_ptr<progressbar::PrgBar> bar_;
};

}  // namespace lumaveil::win32
