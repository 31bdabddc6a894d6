#include <windows.h>
#include <shellapi.h>
#include <io.h>

#include <cstdio>

#include "cli/console.h"

namespace lumaveil::cli {

std::vector<fs::NativeName> NativeArguments(int, char**) {
  std::vector<fs::NativeName> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return arguments;
  for (int i = 1; i < count; ++i) arguments.emplace_back(wide[i]);
  LocalFree(wide);
  return arguments;
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void PrepareConsole() { SetConsoleOutputCP(CP_UTF8); }

}  // namespace lumaveil::cli
