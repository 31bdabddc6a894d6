// The reference drawer's pictures, one after another in case order:
//   "lumaveil-gdi-reference 1\n", then per case: width, height, flags (32-bit little-endian),
//   then width x height pixels (0x00RRGGBB, 32-bit little-endian, rows top to bottom).
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>

#include "case_drawer.h"

namespace gdi_diff {

// Notes of the reference drawer on a case. The first makes the case not comparable (text is
// left out only where it writes glyphs alone); the others say that the adapter did what the
// layer does on purpose instead of what the platform does (docs/gdi.md).
inline constexpr std::uint32_t kNoteTextOnOpaqueBackground = 1;
inline constexpr std::uint32_t kNoteInvertedFill = 2;
inline constexpr std::uint32_t kNoteNullBrush = 4;
inline constexpr std::uint32_t kNoteNegativeBlit = 8;

void WriteHeader(std::ostream& out);
void WriteDrawn(std::ostream& out, const Drawn& drawn, std::uint32_t flags);

// False when the stream does not start with the header.
bool ReadHeader(std::istream& in);
// The next picture and its flags; nothing at the end of the stream or for a truncated entry.
struct ReadEntry {
  Drawn drawn;
  std::uint32_t flags = 0;
};
std::optional<ReadEntry> ReadDrawn(std::istream& in);

}  // namespace gdi_diff
