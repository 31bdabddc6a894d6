// A host surface over a window of the device-context layer: what a host that has no toolkit
// window of its own (the render tool, tests) gives the control, and what a toolkit widget can
// wrap, showing the window's pixels in its own paint event.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/gdi/types.h"
#include "progressbar/host_surface.h"

namespace lumaveil::progressbar {

class WindowSurface : public HostSurface {
 public:
  WindowSurface(int width, int height);
  ~WindowSurface() override;
  WindowSurface(const WindowSurface&) = delete;
  WindowSurface& operator=(const WindowSurface&) = delete;

  // Changes the client area; the host then raises the control's Resize event.
  void Resize(int width, int height);
  // Receives every change notification.
  void OnPropertyChanged(std::function<void(std::string_view)> listener);

  std::int32_t BackColor() const { return back_color_; }
  std::int32_t ScaleMode() const { return scale_mode_; }

  std::int32_t hDC() const override;
  std::int32_t hWnd() const override { return window_; }
  float ScaleWidth() const override { return static_cast<float>(width_); }
  float ScaleHeight() const override { return static_cast<float>(height_); }
  float ScaleLeft() const override { return 0.0f; }
  float ScaleTop() const override { return 0.0f; }
  void SetBackColor(std::int32_t colour) override { back_color_ = colour; }
  void SetScaleMode(std::int32_t mode) override { scale_mode_ = mode; }
  void PropertyChanged(std::string_view key) override;

 private:
  gdi::HWND window_;
  int width_;
  int height_;
  std::int32_t back_color_ = 0;
  std::int32_t scale_mode_ = 0;
  std::function<void(std::string_view)> listener_;
};

}  // namespace lumaveil::progressbar
