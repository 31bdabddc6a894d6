// Points the device-context layer's text at GDI and its system colours at the desktop's.
#pragma once

#include "ui/win32/windows_api.h"

namespace lumaveil::win32 {

void InstallDesktopDrawing(UINT dpi);

}  // namespace lumaveil::win32
