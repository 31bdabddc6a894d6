// Win32 error codes as the program's run-time errors.
#pragma once

#include "common/run_time_error.h"

namespace lumaveil::fs {

// 76 "Path not found" for names that do not lead anywhere, 70 "Permission denied" when access
// is refused, 71 "Disk not ready" when the medium or the share is gone, and 75
// "Path/File access error" for everything else.
RunTimeError ErrorFromWin32(unsigned long code);

// The error of the calling thread's last failed Win32 call.
[[noreturn]] void ThrowLastWin32Error();

}  // namespace lumaveil::fs
