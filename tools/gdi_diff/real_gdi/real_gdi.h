// The adapter that serves the lumaveil::gdi calls with the platform's own GDI, for the
// reference drawer: the progress bar's code and the case drawer run on it unchanged.
//
// Host windows become memory contexts holding a top-down 32-bit DIB section. Text is measured
// with the platform's font but never drawn: glyphs differ between systems and are left out of
// the comparison. Leaving them out is sound only where DrawTextA writes nothing but glyphs, in
// TRANSPARENT mode; a drawing DrawTextA in OPAQUE mode is noted so that the drawer can mark its
// case as not comparable.
//
// Where the layer differs from the platform on purpose (docs/gdi.md), the adapter does what the
// layer does and notes it: a FillRect with an inverted rectangle, a FillRect or FrameRect with
// brush 0, and a BitBlt with a negative extent paint nothing.
#pragma once

#include <cstdint>

namespace gdi_diff {

// The kNote bits (results_file.h) of what happened since the last call; clears them.
std::uint32_t TakeNotes();

}  // namespace gdi_diff
