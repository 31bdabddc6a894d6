// The program's message loop and the "let pending events run" that the pass calls after every
// file. Both give keyboard messages to the window's dialog navigation first, so Tab walks the
// controls in their order.
#pragma once

#include "ui/win32/windows_api.h"

namespace lumaveil::win32 {

// Dispatches every message already queued, paints included, then returns; never waits. A quit
// request met on the way is left queued for the main loop.
void RunPendingMessages();

// Runs until the quit request; returns its exit code.
int RunMessageLoop();

}  // namespace lumaveil::win32
