// The two test bitmaps of the case format, given by formula with (0, 0) at the top left:
// pat8, 8 x 8, pixel (x, y) = RGB(32x + 16, 32y + 8, 224 if x + y is odd else 64), and
// odd53, 5 x 3, pixel (x, y) = RGB(40x + 30, 70y + 50, 128 + 20x - 40y).
#pragma once

#include <memory>

#include "progressbar/picture.h"
#include "render_case.h"

namespace prgbar_render {

// Empty for TestImage::kNone.
std::shared_ptr<lumaveil::progressbar::StdPicture> MakeTestImage(TestImage image);

}  // namespace prgbar_render
