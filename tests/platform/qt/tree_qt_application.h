// The one QApplication of the tree and picker tests, made by whichever test needs it first.
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
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

// What a user's key press on the tree delivers to it.
inline void PressKey(QTreeWidget& tree, QTreeWidgetItem* item, Qt::Key key) {
  tree.setCurrentItem(item);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(&tree, &press);
}

// What a user's mouse delivers to the tree's viewport: a click, or a double click on `item`.
inline void Click(QTreeWidget& tree, QTreeWidgetItem* item, bool twice = false) {
  const QPointF at = tree.visualItemRect(item).center();
  const QPointF global = tree.viewport()->mapToGlobal(at);
  auto send = [&](QEvent::Type type) {
    QMouseEvent event(type, at, global, Qt::LeftButton,
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
