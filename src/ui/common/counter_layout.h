// Where the file counter and its caption "Fle(s)" stand, in twips, for every front end. The
// count must show whole up to its largest value: a 555-twip box held four digits and
// wrapped the rest onto a line nobody could see, so the box reaches left over the empty part of
// its row instead (its right edge stays), and the caption keeps its gap to it.
#pragma once

#include <string_view>

namespace lumaveil::ui {

struct TwipBox {
  int left;
  int top;
  int width;
  int height;
};

inline constexpr TwipBox kCountBox{4500, 4920, 1335, 195};
inline constexpr TwipBox kCountCaptionBox{3975, 4920, 405, 195};
// The widest text the counter shows: the largest count.
inline constexpr std::string_view kWidestCountText = ": 2147483647";

}  // namespace lumaveil::ui
