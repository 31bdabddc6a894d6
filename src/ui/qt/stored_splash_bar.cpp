#include "ui/qt/stored_splash_bar.h"

#include <QFile>

#include "ui/qt/program_pictures.h"
#include "common/run_time_error.h"
#include "progressbar/stored_settings.h"

namespace lumaveil::app {

progressbar::PropertyBag StoredSplashBar() {
  RegisterProgramResources();
  QFile file(":/lumaveil/splash_p2.prgbar");
  if (!file.open(QIODevice::ReadOnly)) {
    throw RunTimeError(error::kPathNotFound, "File not found: splash_p2.prgbar");
  }
  const QByteArray text = file.readAll();
  return progressbar::ParseStoredInstance(std::string_view(text.constData(),
                                                           static_cast<std::size_t>(text.size())))
      .bag;
}

}  // namespace lumaveil::app
