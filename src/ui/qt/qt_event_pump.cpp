#include "ui/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace lumaveil::qt {

void RunPendingEvents() {
  if (QCoreApplication::instance() == nullptr) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace lumaveil::qt
