// The one QApplication of the Qt tests, made by whichever test needs it first, and what a
// user's keyboard and mouse deliver to a tree.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTreeWidget>

namespace lumaveil::testing {

// It lives until the process ends: destroying it among the exit-time destructors runs Qt's
// post routines after some of Qt's own globals are gone, which crashes.
inline void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "ui_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

inline void PressKey(QTreeWidget& tree, QTreeWidgetItem* item, Qt::Key key) {
  tree.setCurrentItem(item);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&tree, &press);
}

// A click on `item`, or a double click when `twice`.
inline void Click(QTreeWidget& tree, QTreeWidgetItem* item, bool twice = false) {
  const QPointF at = tree.visualItemRect(item).center();
  auto send = [&](QEvent::Type type) {
    QMouseEvent event(type, at, tree.viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &event);
  };
  send(QEvent::MouseButtonPress);
  send(QEvent::MouseButtonRelease);
  if (twice) {
    send(QEvent::MouseButtonDblClick);
    send(QEvent::MouseButtonRelease);
  }
}

}  // namespace lumaveil::testing
