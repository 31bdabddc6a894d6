#include <unistd.h>

#include "cli/console.h"

namespace lumaveil::cli {

std::vector<fs::NativeName> NativeArguments(int argc, char** argv) {
  return std::vector<fs::NativeName>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void PrepareConsole() {}

}  // namespace lumaveil::cli
