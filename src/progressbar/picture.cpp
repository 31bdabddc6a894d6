#include "progressbar/picture.h"

#include <utility>

namespace lumaveil::progressbar {

StdPicture::StdPicture(std::int32_t width, std::int32_t height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), pixels_(std::move(pixels)) {}

StdPicture::~StdPicture() = default;

}  // namespace lumaveil::progressbar
