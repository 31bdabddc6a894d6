// Twips (ui/common/twips.h) on the screen a Qt widget is on.
#pragma once

#include <QRect>

class QScreen;
class QWidget;

namespace lumaveil::app {

class TwipScale {
 public:
  explicit TwipScale(double logicalDpi) : dpi_(logicalDpi) {}
  // The scale of the screen the widget is on (the primary screen before it is shown).
  static TwipScale For(const QWidget* widget);

  int Pixels(int twips) const;
  QRect Rect(int left, int top, int width, int height) const;
  QSize Size(int width, int height) const;
  // Places `widget` in its parent's client area.
  void Place(QWidget* widget, int left, int top, int width, int height) const;

 private:
  double dpi_;
};

// Moves the top-level `window` so that its frame is centred in the available area of `screen`;
// leaves it where it is when there is no screen.
void CentreOnScreen(QWidget* window, const QScreen* screen);

}  // namespace lumaveil::app
