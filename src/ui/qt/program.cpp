#include "ui/qt/program.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/gdi/gdi.h"
#include "ui/qt/qt_system_colors.h"
#include "ui/qt/qt_text_renderer.h"

namespace lumaveil::app {

void InstallDesktopDrawing() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
  gdi::SetTextRenderer(std::make_shared<qt::QtTextRenderer>(dpi > 0 ? dpi : 96.0));
  qt::InstallDesktopSystemColors();
}

Program::Program(fs::FileSystem& fileSystem, attrib::FolderPicker& picker,
                 FrmUtama::EndProgram endProgram)
    : fileSystem_(fileSystem), picker_(picker), endProgram_(std::move(endProgram)) {}

Program::~Program() { delete splash_.data(); }

void Program::Start() {
  InstallDesktopDrawing();
  splash_ = new SplashScreen([this] { ShowFrmUtama(); });
  splash_->ShowCentred();
}

void Program::ShowFrmUtama() {
  if (!frmUtama_) frmUtama_ = std::make_unique<FrmUtama>(fileSystem_, picker_, endProgram_);
  frmUtama_->ShowCentred();
}

}  // namespace lumaveil::app
