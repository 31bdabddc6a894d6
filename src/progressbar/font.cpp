#include "progressbar/font.h"

#include <utility>

#include "platform/gdi/gdi.h"

namespace lumaveil::progressbar {

StdFont::StdFont(gdi::FontDescription description)
    : description_(std::move(description)), handle_(gdi::CreateFontHandle(description_)) {}

}  // namespace lumaveil::progressbar
