// The program's pictures and stored settings, from its own resources.
#pragma once

#include "progressbar/property_bag.h"
#include "ui/win32/gdi_objects.h"

namespace lumaveil::win32 {

// A bitmap resource (IDB_*), or null when it is missing.
Bitmap LoadPicture(int id);

// Draws `picture` into `place`, stretched to it when the screen's dpi makes it another size.
void DrawPicture(HDC dc, HBITMAP picture, const RECT& place);

// The stored settings of the splash screen's bar P2. Throws RunTimeError when they cannot be
// read.
progressbar::PropertyBag StoredSplashBar();

}  // namespace lumaveil::win32
