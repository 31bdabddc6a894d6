#include "app/window_measures.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace lumaveil::app {

namespace {
constexpr double kTwipsPerInch = 1440.0;
constexpr double kDesignDpi = 96.0;
}  // namespace

TwipScale TwipScale::For(const QWidget* widget) {
  const QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : kDesignDpi;
  return TwipScale(dpi > 0 ? dpi : kDesignDpi);
}

int TwipScale::Pixels(int twips) const {
  return static_cast<int>(std::lround(twips * dpi_ / kTwipsPerInch));
}

QRect TwipScale::Rect(int left, int top, int width, int height) const {
  // Right and bottom edges are scaled on their own, so neighbouring controls that touch at
  // design time still touch after rounding.
  const int x = Pixels(left);
  const int y = Pixels(top);
  return QRect(x, y, Pixels(left + width) - x, Pixels(top + height) - y);
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
