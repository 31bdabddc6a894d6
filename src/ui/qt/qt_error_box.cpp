#include "ui/qt/qt_error_box.h"

#include <QMessageBox>

namespace lumaveil::qt {

void QtErrorBox::Report(int number, const std::string& description) {
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(tree::ErrorTitle(number)),
                  QString::fromStdString(description), QMessageBox::Ok, parent_);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace lumaveil::qt
