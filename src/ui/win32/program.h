// The program from its start: the desktop's text and colours for the drawing layer, the splash
// screen, and the main window it hands over to.
#pragma once

#include <functional>
#include <memory>

#include "ui/win32/frm_utama.h"
#include "ui/win32/splash_screen.h"
#include "ui/win32/top_level_windows.h"

namespace lumaveil::win32 {

class Program {
 public:
  // `file_system` and `picker` must outlive the program's windows; `all_closed` runs when the
  // last of its windows has been closed.
  Program(fs::FileSystem& file_system, attrib::FolderPicker& picker,
          FrmUtama::EndProgram end_program, std::function<void()> all_closed);
  ~Program();

  // Opens the splash screen; nothing else is set up before it but the drawing layer's fonts
  // and colours. Lets a RunTimeError from the splash's stored settings through.
  void Start();

  SplashScreen* Splash() const { return splash_.Get(); }
  FrmUtama* MainWindow() const { return frm_utama_.Get(); }
  TopLevelWindows& Windows() { return windows_; }

 private:
  // The hand-over: creates FrmUtama unless it is open, and shows it.
  void ShowFrmUtama();

  fs::FileSystem& file_system_;
  attrib::FolderPicker& picker_;
  FrmUtama::EndProgram end_program_;
  TopLevelWindows windows_;
  TopLevel<SplashScreen> splash_;
  TopLevel<FrmUtama> frm_utama_;
};

}  // namespace lumaveil::win32
