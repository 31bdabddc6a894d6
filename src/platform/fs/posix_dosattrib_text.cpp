#include "platform/fs/posix_dosattrib_text.h"

#include <cstdio>

namespace lumaveil::fs {
namespace {

std::optional<std::uint32_t> ParseHexText(std::string_view text) {
  std::uint64_t value = 0;
  std::size_t digits = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) return std::nullopt;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

}  // namespace

std::optional<std::uint32_t> ParseDosAttrib(std::string_view value) {
  if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
    return ParseHexText(value.substr(2));
  }
  // Samba 4 writes an empty text prefix, then u16 version, u16 level, padding, u32 valid flags
  // and the u32 attributes at offset 12; versions 4 and 5 share that layout.
  constexpr std::uint32_t kAttribValid = 0x1;
  if (value.size() >= 16 && value[0] == '\0') {
    const unsigned version = static_cast<unsigned char>(value[2]) |
                             (static_cast<unsigned char>(value[3]) << 8);
    if ((version == 4 || version == 5) && (LittleEndian32(value, 8) & kAttribValid)) {
      return LittleEndian32(value, 12);
    }
  }
  return std::nullopt;
}

std::string FormatDosAttrib(std::uint32_t bits) {
  char text[16];
  int length = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(bits));
  std::string value(text, static_cast<std::size_t>(length));
  value.push_back('\0');
  return value;
}

}  // namespace lumaveil::fs
