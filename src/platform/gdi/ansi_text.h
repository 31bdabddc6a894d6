// Inside the device-context layer: the ANSI code page (Windows-1252) to UTF-8, for handing
// DrawTextA's bytes to the text renderer.
#pragma once

#include <string>
#include <string_view>

namespace lumaveil::gdi::internal {

std::string AnsiToUtf8(std::string_view ansi);

}  // namespace lumaveil::gdi::internal
