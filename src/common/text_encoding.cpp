#include "common/text_encoding.h"

#include <cstdint>

namespace lumaveil::text {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t value) { return value >= 0xD800 && value <= 0xDFFF; }

// Windows-1252 is Latin-1 except for 0x80 to 0x9F, which hold typographic characters; the five
// bytes it leaves undefined there map to the C1 control of the same number, as Windows maps them.
constexpr char32_t kAnsiHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t AnsiToCodePoint(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kAnsiHigh[byte - 0x80] : byte;
}

char CodePointToAnsi(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  for (int i = 0; i < 32; ++i) {
    if (kAnsiHigh[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

std::uint32_t UnitValue(char unit) { return static_cast<unsigned char>(unit); }
std::uint32_t UnitValue(wchar_t unit) { return static_cast<std::uint32_t>(unit); }

std::optional<char32_t> Next(std::string_view text, std::size_t& pos) {
  return NextFromUtf8(text, pos);
}
std::optional<char32_t> Next(std::wstring_view text, std::size_t& pos) {
  return NextFromUtf16(text, pos);
}

// The UTF-8 text of a name, with `invalid(out, unit)` writing what stands for each unit that is
// not part of a character.
template <typename Char, typename Invalid>
std::string Utf8Of(std::basic_string_view<Char> name, Invalid invalid) {
  std::string out;
  out.reserve(name.size());
  for (std::size_t pos = 0; pos < name.size();) {
    const std::size_t start = pos;
    if (const auto codePoint = Next(name, pos)) {
      AppendUtf8(out, *codePoint);
    } else {
      invalid(out, UnitValue(name[start]));
    }
  }
  return out;
}

template <typename Char>
bool IsValid(std::basic_string_view<Char> text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (!Next(text, pos)) return false;
  }
  return true;
}

void AppendHex(std::string& out, const char* prefix, std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

// Control characters of already escaped UTF-8 text, written so that a terminal shows them.
std::string EscapeControls(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
      // A C1 control character, which a terminal may take as the start of a command.
      AppendHex(out, "\\u", next, 4);
      ++i;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendHex(out, "\\x", byte, 2);
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::optional<char32_t> NextFromUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    value = lead & 0x07;
  }
  bool valid = length > 0 && pos + length <= text.size();
  for (std::size_t i = 1; valid && i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    valid = (byte & 0xC0) == 0x80;
    value = (value << 6) | (byte & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (!valid || value < kSmallest[length] || value > 0x10FFFF || IsSurrogate(value)) {
    ++pos;
    return std::nullopt;
  }
  pos += length;
  return value;
}

std::optional<char32_t> NextFromUtf16(std::wstring_view text, std::size_t& pos) {
  const auto unit = static_cast<char32_t>(text[pos++]);
  if (unit > 0xFFFF) return std::nullopt;  // not a UTF-16 unit where wchar_t is wider
  if (!IsSurrogate(unit)) return unit;
  if (unit >= 0xDC00 || pos >= text.size()) return std::nullopt;
  const auto low = static_cast<char32_t>(text[pos]);
  if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
  ++pos;
  return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

void AppendUtf8(std::string& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (codePoint >> 18));
    out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

void AppendUtf16(std::wstring& out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    out += static_cast<wchar_t>(codePoint);
  } else {
    out += static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10));
    out += static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
  }
}

bool IsValidUtf8(std::string_view text) { return IsValid(text); }

bool IsValidUtf16(std::wstring_view text) { return IsValid(text); }

std::optional<std::wstring> Utf8ToUtf16(std::string_view utf8) {
  std::wstring out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto codePoint = NextFromUtf8(utf8, pos);
    if (!codePoint) return std::nullopt;
    AppendUtf16(out, *codePoint);
  }
  return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (char c : ansi) AppendUtf8(out, AnsiToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    out += CodePointToAnsi(NextFromUtf8(utf8, pos).value_or(kReplacement));
  }
  return out;
}

std::string DisplayText(std::string_view bytes) {
  return Utf8Of(bytes, [](std::string& out, std::uint32_t) { AppendUtf8(out, kReplacement); });
}

std::string DisplayText(std::wstring_view utf16) {
  return Utf8Of(utf16, [](std::string& out, std::uint32_t) { AppendUtf8(out, kReplacement); });
}

std::string EscapedText(std::string_view bytes) {
  return EscapeControls(Utf8Of(bytes, [](std::string& out, std::uint32_t unit) {
    AppendHex(out, "\\x", unit, 2);
  }));
}

std::string EscapedText(std::wstring_view utf16) {
  return EscapeControls(Utf8Of(utf16, [](std::string& out, std::uint32_t unit) {
    AppendHex(out, "\\u", unit, 4);
  }));
}

}  // namespace lumaveil::text
