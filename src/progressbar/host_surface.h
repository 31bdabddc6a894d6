// The surface that a window gives each control it holds: device context, window, scale and
// colours, and the notice that a stored setting changed. The desktop program's widget
// implements it; tests implement it with a plain object.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumaveil::progressbar {

inline constexpr std::int32_t kScaleModePixels = 3;

class HostSurface {
 public:
  virtual ~HostSurface() = default;

  // The control's own device context and window; the window's client rectangle is the
  // drawing area.
  virtual std::int32_t hDC() const = 0;
  virtual std::int32_t hWnd() const = 0;

  // Scale extent in the unit of ScaleMode.
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;
  virtual float ScaleLeft() const = 0;
  virtual float ScaleTop() const = 0;

  virtual void SetBackColor(std::int32_t colour) = 0;
  virtual void SetScaleMode(std::int32_t mode) = 0;

  // Tells the host that the stored setting under this key changed, so the window it sits on
  // needs saving.
  virtual void PropertyChanged(std::string_view key) = 0;
};

}  // namespace lumaveil::progressbar
