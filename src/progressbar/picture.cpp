#include "progressbar/picture.h"

#include <utility>

#include "platform/gdi/gdi.h"

namespace lumaveil::progressbar {

StdPicture::StdPicture(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

std::int32_t StdPicture::Handle() const {
  if (!bitmap_) {
    // The layer keeps 0x00RRGGBB; colours here are 0x00BBGGRR.
    std::vector<std::uint32_t> rgb(pixels_.size());
    for (std::size_t i = 0; i < pixels_.size(); ++i) rgb[i] = gdi::PixelOf(pixels_[i]);
    bitmap_ = gdi::Owned<gdi::Bitmap>(gdi::CreateBitmapFromPixels(width_, height_, rgb.data()));
  }
  return bitmap_.get();
}

}  // namespace lumaveil::progressbar
