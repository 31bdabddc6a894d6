// Lumaveil: sets DOS attributes in bulk on every file and folder beneath a chosen folder.
#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/run_time_error.h"
#include "lumaveil_version.h"
#include "platform/fs/file_system.h"
#include "ui/qt/folder_picker_dialog.h"
#include "ui/qt/program.h"

int main(int argc, char** argv) {
  // Answered before any window or display is needed, so it works from a plain terminal.
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("Lumaveil %s\n", LUMAVEIL_VERSION);
    return 0;
  }
  QApplication application(argc, argv);
  auto fileSystem = lumaveil::fs::CreateFileSystem();
  lumaveil::qt::DialogFolderPicker picker(*fileSystem);
  // Exit, Exit ends the program where it stands: no window gets to run a closing handler, and
  // a pass in progress changes nothing more.
  lumaveil::app::Program program(*fileSystem, picker, [] {
    std::fflush(nullptr);
    std::_Exit(0);
  });
  try {
    program.Start();
  } catch (const lumaveil::RunTimeError& failure) {
    QMessageBox::critical(nullptr, QString("Error Number: %1").arg(failure.Number()),
                          QString::fromStdString(failure.Description()));
    return 1;
  }
  return application.exec();
}
