// The text form in which a window keeps a PrgBar's design-time settings: the class, the host's
// extent entries, then the control's property bag, one "key = value" a line:
//
//   Begin Project1.PrgBar P2
//      _extentx = 6800
//      _extenty = 450
//      color = 0x006A240A
//   End
//
// Values are integers (decimal, or 0x with up to eight hex digits read as a 32-bit pattern, so
// 0x8000000D is a system-colour reference), True/False, or a picture "Picture W H" followed by
// W x H colours of six hex digits each (BBGGRR, as colour values are written), row by row, or
// Nothing for an empty picture.
// Blank lines and lines starting with '#' are ignored. Fonts are never kept: the control writes
// its font with itself as the default.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "progressbar/property_bag.h"

namespace lumaveil::progressbar {

inline constexpr std::string_view kStoredClassName = "Project1.PrgBar";

namespace error {
inline constexpr int kInvalidFileFormat = 321;
inline constexpr int kInvalidPropertyValue = 380;
}  // namespace error

// Largest side of a picture kept in the text form; larger ones are refused rather than allocated.
inline constexpr std::int32_t kMaxStoredPictureSide = 1024;

struct StoredInstance {
  std::string name;
  // The host's own extent in hundredths of a millimetre; the control neither reads nor writes it.
  std::optional<std::int32_t> extent_x;
  std::optional<std::int32_t> extent_y;
  PropertyBag bag;
};

// Throws RunTimeError (kInvalidFileFormat for bad syntax or a truncated text,
// kInvalidPropertyValue for a value out of range) whose description names the line.
StoredInstance ParseStoredInstance(std::string_view text);

// Throws RunTimeError(kInvalidPropertyValue) for a value the text form cannot hold (a font).
std::string FormatStoredInstance(const StoredInstance& instance);

}  // namespace lumaveil::progressbar
