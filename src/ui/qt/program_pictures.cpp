#include "ui/qt/program_pictures.h"

// The resources live in this library; a static library's resources must be registered by hand.
static void InitProgramResources() { Q_INIT_RESOURCE(app); }

namespace lumaveil::app {

void RegisterProgramResources() {
  static const bool registered = (InitProgramResources(), true);
  (void)registered;
}

namespace {
QPixmap Load(const char* path) {
  RegisterProgramResources();
  return QPixmap(QString::fromLatin1(path));
}
}  // namespace

QIcon ProgramIcon() { return QIcon(ProgramIconPicture()); }
QPixmap ProgramIconPicture() { return Load(":/lumaveil/icon.ico"); }
QPixmap SplashPicture() { return Load(":/lumaveil/splash.bmp"); }
QPixmap BannerPicture() { return Load(":/lumaveil/banner.bmp"); }
QPixmap OriginPicture() { return Load(":/lumaveil/flag.bmp"); }

}  // namespace lumaveil::app
