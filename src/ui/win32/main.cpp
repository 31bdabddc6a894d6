// Lumaveil for Windows: sets DOS attributes in bulk on every file and folder beneath a chosen
// folder.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/run_time_error.h"
#include "common/text_encoding.h"
#include "lumaveil_version.h"
#include "platform/fs/file_system.h"
#include "tree/error_reporter.h"
#include "ui/win32/message_pump.h"
#include "ui/win32/program.h"
#include "ui/win32/shell_folder_picker.h"
#include "ui/win32/windows_api.h"

namespace {

// A program without a console of its own writes to the output it was given (a pipe, a file) or,
// started from cmd or PowerShell, to that console.
void PrintVersion() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
  }
  std::printf("Lumaveil %s\n", LUMAVEIL_VERSION);
  std::fflush(stdout);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace lumaveil;
  if (__argc == 2 && std::string_view(__argv[1]) == "--version") {
    PrintVersion();
    return 0;
  }
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  auto file_system = fs::CreateFileSystem();
  win32::ShellFolderPicker picker;
  // Exit, Exit ends the program where it stands: no window gets to run a closing handler, and
  // a pass in progress changes nothing more.
  win32::Program program(*file_system, picker, [] { ExitProcess(0); },
                         [] { PostQuitMessage(0); });
  try {
    program.Start();
  } catch (const RunTimeError& failure) {
    const std::wstring description = text::Utf8ToUtf16(failure.Description()).value_or(L"");
    const std::wstring title = text::Utf8ToUtf16(tree::ErrorTitle(failure.Number())).value_or(L"");
    MessageBoxW(nullptr, description.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
    return 1;
  }
  return win32::RunMessageLoop();
}
