#include "test_images.h"

#include <vector>

#include "platform/gdi/types.h"

namespace prgbar_render {

namespace {

template <typename Formula>
std::shared_ptr<lumaveil::progressbar::StdPicture> Picture(int width, int height,
                                                            Formula formula) {
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(formula(x, y));
  }
  return std::make_shared<lumaveil::progressbar::StdPicture>(width, height, std::move(pixels));
}

}  // namespace

std::shared_ptr<lumaveil::progressbar::StdPicture> MakeTestImage(TestImage image) {
  using lumaveil::gdi::RGB;
  switch (image) {
    case TestImage::kPat8:
      return Picture(8, 8, [](int x, int y) {
        return RGB(32 * x + 16, 32 * y + 8, (x + y) % 2 == 1 ? 224 : 64);
      });
    case TestImage::kOdd53:
      return Picture(5, 3, [](int x, int y) {
        return RGB(40 * x + 30, 70 * y + 50, 128 + 20 * x - 40 * y);
      });
    case TestImage::kNone:
      break;
  }
  return nullptr;
}

}  // namespace prgbar_render
