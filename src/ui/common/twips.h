// Window layouts are given in twips, so they do not depend on the screen: 15 twips to a pixel at
// 96 dpi.
// On a screen with another logical dpi every position and size grows or shrinks with it, so the
// controls keep their places relative to the text drawn in them.
#pragma once

namespace lumaveil::ui {

inline constexpr double kDesignDpi = 96.0;

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A length in twips as pixels at `dpi`, rounded to the nearest pixel.
int TwipsToPixels(int twips, double dpi);

// A rectangle in twips as pixels. Right and bottom edges are scaled on their own, so
// neighbouring controls that touch at design time still touch after rounding.
PixelRect TwipsToPixels(int left, int top, int width, int height, double dpi);

}  // namespace lumaveil::ui
