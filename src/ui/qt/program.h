// The program from its start: the desktop's text and colours for the drawing layer, the splash
// screen, and the main window it hands over to.
#pragma once

#include <QPointer>
#include <memory>

#include "ui/qt/frm_utama.h"
#include "ui/qt/splash_screen.h"

namespace lumaveil::app {

class Program {
 public:
  // `fileSystem` and `picker` must outlive the program's windows.
  Program(fs::FileSystem& fileSystem, attrib::FolderPicker& picker,
          FrmUtama::EndProgram endProgram);
  ~Program();

  // Opens the splash screen; nothing else is set up before it but the drawing layer's fonts
  // and colours. Lets a RunTimeError from the splash's stored settings through.
  void Start();

  SplashScreen* Splash() const { return splash_; }
  FrmUtama* MainWindow() const { return frmUtama_.get(); }

 private:
  // The hand-over: creates FrmUtama unless it exists, and shows it.
  void ShowFrmUtama();

  fs::FileSystem& fileSystem_;
  attrib::FolderPicker& picker_;
  FrmUtama::EndProgram endProgram_;
  QPointer<SplashScreen> splash_;
  std::unique_ptr<FrmUtama> frmUtama_;
};

// Points the drawing layer's text at Qt's font engine and its system colours at the desktop's.
void InstallDesktopDrawing();

}  // namespace lumaveil::app
