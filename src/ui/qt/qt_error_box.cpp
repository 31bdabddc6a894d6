#include "ui/qt/qt_error_box.h"

namespace lumaveil::qt {

namespace {

QtErrorBox::Hook& CurrentHook() {
  static QtErrorBox::Hook hook;
  return hook;
}

}  // namespace

void QtErrorBox::SetHook(Hook hook) { CurrentHook() = std::move(hook); }

void QtErrorBox::Report(int number, const std::string& description) {
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(tree::ErrorTitle(number)),
                  QString::fromStdString(description), QMessageBox::Ok, parent_);
  box.setWindowModality(Qt::ApplicationModal);
  if (CurrentHook() && CurrentHook()(box)) return;
  box.exec();
}

}  // namespace lumaveil::qt
