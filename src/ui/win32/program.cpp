#include "ui/win32/program.h"

#include "ui/win32/desktop_drawing.h"

namespace lumaveil::win32 {

Program::Program(fs::FileSystem& file_system, attrib::FolderPicker& picker,
                 FrmUtama::EndProgram end_program, std::function<void()> all_closed)
    : file_system_(file_system),
      picker_(picker),
      end_program_(std::move(end_program)),
      windows_(std::move(all_closed)) {}

Program::~Program() = default;

void Program::Start() {
  InstallDesktopDrawing(SystemDpi());
  splash_.Open([this] { ShowFrmUtama(); }).ShowCentred();
}

void Program::ShowFrmUtama() {
  frm_utama_.Open(file_system_, picker_, end_program_, windows_).ShowCentred();
}

}  // namespace lumaveil::win32
