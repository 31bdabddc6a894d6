// A transparent label for texts that a running pass rewrites for every file. The text is stored
// at once (text() always answers the latest), but the label asks to be repainted at most once
// per frame of its screen; a text held back is painted when that frame ends. The text wraps
// anywhere from the top, and only the lines that can be seen are laid out, however long it is.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

#include "ui/common/repaint_throttle.h"

namespace lumaveil::app {

using ui::RepaintThrottle;

class PassLabel : public QWidget {
  Q_OBJECT

 public:
  explicit PassLabel(const QString& text, QWidget* parent = nullptr);

  void setText(const QString& text);
  const QString& text() const { return text_; }
  // The text colour; black unless set.
  void SetTextColor(const QColor& color);
  // The head of the text that is laid out and painted: all of it, or enough to run past the
  // label's bottom edge.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void RepaintHeldBack();

  QString text_;
  QColor color_{Qt::black};
  RepaintThrottle throttle_;
  QTimer heldBack_;
};

}  // namespace lumaveil::app
