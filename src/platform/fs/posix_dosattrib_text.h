// The user.DOSATTRIB extended attribute, the one place Samba, Wine and dosemu2 all look for DOS
// attributes on file systems that have none of their own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumaveil::fs {

inline constexpr char kDosAttribName[] = "user.DOSATTRIB";

// The bits stored in a value: hex text ("0x22", with or without a trailing NUL, also the text
// prefix of Samba's older blobs) or Samba's binary v4/v5 blob; nullopt for anything else.
std::optional<std::uint32_t> ParseDosAttrib(std::string_view value);
// The value to store: "0x%x" of the bits, lower case, then one NUL, as every reader accepts.
std::string FormatDosAttrib(std::uint32_t bits);

}  // namespace lumaveil::fs
