#include "ui/qt/qt_system_colors.h"

#include <QGuiApplication>
#include <memory>

namespace lumaveil::qt {

namespace {

gdi::COLORREF ToColorRef(const QColor& color) {
  return gdi::RGB(color.red(), color.green(), color.blue());
}

}  // namespace

std::optional<gdi::COLORREF> QtSystemColors::Color(int index) const {
  using R = QPalette::ColorRole;
  const auto active = [this](R role) { return ToColorRef(palette_.color(QPalette::Active, role)); };
  switch (index) {
    case gdi::COLOR_WINDOW: return active(R::Base);
    case gdi::COLOR_WINDOWTEXT: return active(R::Text);
    case gdi::COLOR_HIGHLIGHT: return active(R::Highlight);
    case gdi::COLOR_HIGHLIGHTTEXT: return active(R::HighlightedText);
    case gdi::COLOR_BTNFACE: return active(R::Button);
    case gdi::COLOR_BTNTEXT: return active(R::ButtonText);
    case gdi::COLOR_BTNSHADOW: return active(R::Dark);
    case gdi::COLOR_BTNHIGHLIGHT: return active(R::Light);
    case gdi::COLOR_3DDKSHADOW: return active(R::Shadow);
    case gdi::COLOR_3DLIGHT: return active(R::Midlight);
    case gdi::COLOR_GRAYTEXT:
      return ToColorRef(palette_.color(QPalette::Disabled, R::Text));
    case gdi::COLOR_INFOTEXT: return active(R::ToolTipText);
    case gdi::COLOR_INFOBK: return active(R::ToolTipBase);
    default: return std::nullopt;
  }
}

void InstallDesktopSystemColors() {
  gdi::SetSystemColorSource(std::make_shared<QtSystemColors>(QGuiApplication::palette()));
}

}  // namespace lumaveil::qt
