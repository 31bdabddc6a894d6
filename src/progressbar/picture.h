// The picture object behind the Image property: a bitmap the host hands the control. Its
// default property is the bitmap handle, which the picture fill turns into a pattern brush.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/owned.h"

namespace lumaveil::progressbar {

class StdPicture {
 public:
  // pixels: width x height colours 0x00BBGGRR, row by row from the top left.
  StdPicture(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels);
  StdPicture(const StdPicture&) = delete;
  StdPicture& operator=(const StdPicture&) = delete;

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  std::uint32_t Pixel(std::int32_t x, std::int32_t y) const {
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                   static_cast<std::size_t>(x)];
  }

  // The bitmap handle, made on first use and kept while the picture lives.
  std::int32_t Handle() const;

 private:
  std::int32_t width_;
  std::int32_t height_;
  std::vector<std::uint32_t> pixels_;
  mutable gdi::Owned<gdi::Bitmap> bitmap_;
};

}  // namespace lumaveil::progressbar
