// Drive-form paths arrive as UTF-8 and the wide calls take UTF-16.
#pragma once

#include <optional>
#include <string>

namespace lumaveil::fs {

// The UTF-16 form of UTF-8 text; nullopt when the text is not valid UTF-8.
std::optional<std::wstring> ToUtf16(const std::string& utf8);

// Whether a name survives the trip to UTF-8 and back; one with an unpaired surrogate does not.
bool RoundTripsThroughUtf8(const std::wstring& name);

}  // namespace lumaveil::fs
