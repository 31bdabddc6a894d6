// What the command line needs of the system it runs on: its arguments as native names, and
// whether stderr is a terminal.
#pragma once

#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::cli {

// The arguments after the program's name, exactly as given: bytes off Windows, UTF-16 (from the
// wide command line, not the code page) on Windows.
std::vector<fs::NativeName> NativeArguments(int argc, char** argv);
// Whether stderr is a terminal (a console on Windows).
bool StderrIsTerminal();
// Makes the console show UTF-8 text as such; nothing to do off Windows.
void PrepareConsole();

}  // namespace lumaveil::cli
