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

std::uint32_t LittleEndian(std::string_view bytes, std::size_t offset, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return value;
}

void PutLittleEndian(std::string& bytes, std::size_t offset, std::size_t size,
                     std::uint32_t value) {
  for (std::size_t i = 0; i < size; ++i) {
    bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xff);
  }
}

std::size_t AlignedTo(std::size_t offset, std::size_t alignment) {
  return (offset + alignment - 1) / alignment * alignment;
}

constexpr std::uint32_t kAttribValid = 0x1;

// Where a version's record keeps the attributes, and how long the record is at least.
struct RecordLayout {
  std::size_t attribOffset;
  std::size_t attribSize;
  bool hasValidFlags;  // versions 3 and later say which fields mean something
  std::size_t minimumSize;
};

std::optional<RecordLayout> LayoutOf(unsigned version) {
  switch (version) {
    case 1: return RecordLayout{0, 2, false, 40};  // u16 attrib, ea size, sizes and times
    case 2: return RecordLayout{4, 2, false, 6};   // u32 flags, u16 attrib, then more
    case 3: return RecordLayout{4, 4, true, 44};   // valid flags, attrib, ea size, sizes, times
    case 4: return RecordLayout{4, 4, true, 24};   // valid flags, attrib, itime, creation time
    case 5: return RecordLayout{4, 4, true, 16};   // valid flags, attrib, creation time
    default: return std::nullopt;
  }
}

// Samba's binary form taken apart; nullopt for a value that is not one.
struct SambaBlob {
  std::string_view text;  // the hex text before the NUL, often empty
  unsigned version;
  RecordLayout layout;
  std::string_view record;  // from the record's start to the end of the value
};

std::optional<SambaBlob> ParseSambaBlob(std::string_view value) {
  const std::size_t nul = value.find('\0');
  // Nothing after the text's NUL (or no NUL at all) is the text form, as Samba reads it too.
  if (nul == std::string_view::npos || nul + 1 == value.size()) return std::nullopt;
  const std::size_t versionAt = AlignedTo(nul + 1, 2);
  if (versionAt + 4 > value.size()) return std::nullopt;
  const unsigned version = LittleEndian(value, versionAt, 2);
  const unsigned level = LittleEndian(value, versionAt + 2, 2);
  const std::optional<RecordLayout> layout = LayoutOf(version);
  if (!layout || level != version) return std::nullopt;
  const std::size_t recordAt = AlignedTo(versionAt + 4, 4);
  if (recordAt + layout->minimumSize > value.size()) return std::nullopt;
  return SambaBlob{value.substr(0, nul), version, *layout, value.substr(recordAt)};
}

}  // namespace

std::optional<std::uint32_t> ParseDosAttrib(std::string_view value) {
  std::string_view text = value;
  if (const std::optional<SambaBlob> blob = ParseSambaBlob(value)) {
    const RecordLayout& layout = blob->layout;
    if (!layout.hasValidFlags || (LittleEndian(blob->record, 0, 4) & kAttribValid)) {
      return LittleEndian(blob->record, layout.attribOffset, layout.attribSize);
    }
    text = blob->text;
  }
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseHexText(text.substr(2));
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

std::string DosAttribToWrite(const std::optional<std::string>& stored, std::uint32_t bits) {
  const std::optional<SambaBlob> blob = stored ? ParseSambaBlob(*stored) : std::nullopt;
  if (!blob) return FormatDosAttrib(bits);
  std::string value = FormatDosAttrib(bits);  // the text and its NUL
  value.resize(AlignedTo(value.size(), 2), '\0');
  const std::size_t versionAt = value.size();
  value.resize(versionAt + 4, '\0');
  PutLittleEndian(value, versionAt, 2, blob->version);
  PutLittleEndian(value, versionAt + 2, 2, blob->version);
  value.resize(AlignedTo(value.size(), 4), '\0');
  const std::size_t recordAt = value.size();
  value.append(blob->record);
  const RecordLayout& layout = blob->layout;
  PutLittleEndian(value, recordAt + layout.attribOffset, layout.attribSize, bits);
  if (layout.hasValidFlags) {
    PutLittleEndian(value, recordAt, 4, LittleEndian(value, recordAt, 4) | kAttribValid);
  }
  return value;
}

}  // namespace lumaveil::fs
