#include "progressbar/picture.h"

#include <utility>

#include "platform/gdi/gdi.h"

namespace lumaveil::progressbar {

StdPicture::StdPicture(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

StdPicture::~StdPicture() {
  if (bitmap_ != 0) gdi::DeleteObject(bitmap_);
}

std::int32_t StdPicture::Handle() const {
  if (bitmap_ == 0) {
    // The layer keeps 0x00RRGGBB; colours here are 0x00BBGGRR.
    std::vector<std::uint32_t> rgb(pixels_.size());
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
      const std::uint32_t c = pixels_[i];
      rgb[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    }
    bitmap_ = gdi::CreateBitmapFromPixels(width_, height_, rgb.data());
  }
  return bitmap_;
}

}  // namespace lumaveil::progressbar
