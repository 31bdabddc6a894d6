// The About window: version, company and programmer in a frame, four lines on the program's
// purpose, and a place-of-origin line. It has no code of its own beyond its contents.
#pragma once

#include <QWidget>

class QListWidget;

namespace lumaveil::app {

class About : public QWidget {
  Q_OBJECT

 public:
  explicit About(QWidget* parent = nullptr);

  QListWidget* List1() const { return list1_; }

 private:
  QListWidget* list1_ = nullptr;
};

}  // namespace lumaveil::app
