#include "ui/common/twips.h"

#include <cmath>

namespace lumaveil::ui {

namespace {
constexpr double kTwipsPerInch = 1440.0;
}  // namespace

int TwipsToPixels(int twips, double dpi) {
  if (!(dpi > 0)) dpi = kDesignDpi;
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

PixelRect TwipsToPixels(int left, int top, int width, int height, double dpi) {
  const int x = TwipsToPixels(left, dpi);
  const int y = TwipsToPixels(top, dpi);
  return PixelRect{x, y, TwipsToPixels(left + width, dpi) - x, TwipsToPixels(top + height, dpi) - y};
}

}  // namespace lumaveil::ui
