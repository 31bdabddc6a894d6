// The one QApplication of the Qt tests, made by whichever test needs it first, what a user's
// keyboard and mouse deliver to a tree, and a watcher that reads and dismisses message boxes.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeWidget>
#include <vector>

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

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  Qt::WindowModality modality = Qt::NonModal;
  bool visible = false;
};

// Reads and closes every message box that opens while it lives. Boxes are modal: each is found
// from a zero-delay timer that runs inside the box's own event loop.
class MessageBoxWatcher : public QObject {
 public:
  MessageBoxWatcher() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Dismiss(); });
    timer_.start();
  }
  const std::vector<SeenBox>& Seen() const { return seen_; }

 private:
  void Dismiss() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                     box->windowModality(), box->isVisible()});
    box->done(QMessageBox::Ok);
  }
  QTimer timer_;
  std::vector<SeenBox> seen_;
};

}  // namespace lumaveil::testing
