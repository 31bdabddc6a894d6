#include "ui/qt/window_measures.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/common/twips.h"

namespace lumaveil::app {

TwipScale TwipScale::For(const QWidget* widget) {
  const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : ui::kDesignDpi;
  return TwipScale(dpi > 0 ? dpi : ui::kDesignDpi);
}

int TwipScale::Pixels(int twips) const { return ui::TwipsToPixels(twips, dpi_); }

QRect TwipScale::Rect(int left, int top, int width, int height) const {
  const ui::PixelRect r = ui::TwipsToPixels(left, top, width, height, dpi_);
  return QRect(r.x, r.y, r.width, r.height);
}

QSize TwipScale::Size(int width, int height) const {
  return QSize(Pixels(width), Pixels(height));
}

void TwipScale::Place(QWidget* widget, int left, int top, int width, int height) const {
  widget->setGeometry(Rect(left, top, width, height));
}

void CentreOnScreen(QWidget* window, const QScreen* screen) {
  if (screen == nullptr) return;
  QRect frame = window->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  window->move(frame.topLeft());
}

}  // namespace lumaveil::app
