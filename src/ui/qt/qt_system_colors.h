// The desktop's own colours for the device-context layer's system colours, taken from a Qt
// palette: the highlight is the palette's highlight, the 3-D shades its button shades.
#pragma once

#include <QPalette>
#include <optional>

#include "platform/gdi/system_colors.h"

namespace lumaveil::qt {

class QtSystemColors : public gdi::SystemColorSource {
 public:
  // A snapshot of `palette`'s active colours.
  explicit QtSystemColors(const QPalette& palette) : palette_(palette) {}

  std::optional<gdi::COLORREF> Color(int index) const override;

 private:
  QPalette palette_;
};

// Installs the application palette's colours in the device-context layer.
void InstallDesktopSystemColors();

}  // namespace lumaveil::qt
