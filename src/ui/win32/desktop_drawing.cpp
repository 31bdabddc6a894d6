#include "ui/win32/desktop_drawing.h"

#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/gdi/system_colors.h"
#include "ui/win32/gdi_text_renderer.h"

namespace lumaveil::win32 {

namespace {

// The desktop's own colours, as the user's scheme has them.
class DesktopSystemColors : public gdi::SystemColorSource {
 public:
  std::optional<gdi::COLORREF> Color(int index) const override {
    constexpr int kLastIndex = 30;  // COLOR_MENUBAR
    if (index < 0 || index > kLastIndex) return std::nullopt;
    return ::GetSysColor(index);
  }
};

}  // namespace

void InstallDesktopDrawing(UINT dpi) {
  gdi::SetTextRenderer(std::make_shared<GdiTextRenderer>(dpi));
  gdi::SetSystemColorSource(std::make_shared<DesktopSystemColors>());
}

}  // namespace lumaveil::win32
