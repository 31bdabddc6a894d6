// The Windows API as the program's own code sees it. The device-context layer names its
// constants as GDI does (TRANSPARENT, COLOR_WINDOW, DT_SINGLELINE, RGB...), which <windows.h>
// defines as macros: the layer's declarations are therefore read first, and the colour macros
// that would rewrite its functions (RGB, Get?Value) are taken back; gdi::RGB stands in for RGB.
#pragma once

#include "platform/gdi/gdi.h"
#include "platform/gdi/system_colors.h"
#include "platform/gdi/text_renderer.h"
#include "platform/gdi/types.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// after windows.h, which they rely on
#include <commctrl.h>
#include <shlobj.h>
#include <windowsx.h>

#undef RGB
#undef GetRValue
#undef GetGValue
#undef GetBValue
