// Window layouts are given in twips, so they do not depend on the screen: 15 twips to a pixel at
// 96 dpi.
// On a screen with another logical dpi every position and size grows or shrinks with it, so the
// controls keep their places relative to the text drawn in them.
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
