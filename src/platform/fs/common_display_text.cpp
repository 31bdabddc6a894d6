// Names reach labels and tree keys as UTF-8; a name the platform stores in another form is shown
// with U+FFFD for what cannot be read, while the pass keeps using the native name itself.
#include "platform/fs/file_system.h"

namespace lumaveil::fs {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

#ifdef _WIN32
void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
#endif

// The UTF-8 text of a native name, with `invalid(out, unit)` writing what stands for each unit
// that is not part of a character.
#ifdef _WIN32
template <typename Invalid>
std::string Utf8Of(const NativeName& name, Invalid invalid) {
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size(); ++i) {
    char32_t u = name[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < name.size() && name[i + 1] >= 0xDC00 &&
        name[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (name[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      invalid(out, static_cast<std::uint32_t>(u));
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}
#else
template <typename Invalid>
std::string Utf8Of(const NativeName& name, Invalid invalid) {
  std::string out;
  out.reserve(name.size());
  const auto* s = reinterpret_cast<const unsigned char*>(name.data());
  const std::size_t n = name.size();
  std::size_t i = 0;
  while (i < n) {
    const unsigned char c = s[i];
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4, cp = c & 0x07, min = 0x10000;
    }
    bool ok = len > 0 && i + len <= n;
    for (int k = 1; ok && k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) ok = false;
      else cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    ok = ok && cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
    if (ok) {
      out.append(name, i, len);
      i += len;
    } else {
      invalid(out, static_cast<std::uint32_t>(c));
      ++i;
    }
  }
  return out;
}
#endif

void AppendHex(std::string& out, const char* prefix, std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  out += prefix;
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out += kDigits[(value >> shift) & 0xF];
}

}  // namespace

std::string DisplayText(const NativeName& name) {
  return Utf8Of(name, [](std::string& out, std::uint32_t) { out += kReplacement; });
}

std::string EscapedText(const NativeName& name) {
  const std::string text = Utf8Of(name, [](std::string& out, std::uint32_t unit) {
    AppendHex(out, sizeof(NativeChar) == 1 ? "\\x" : "\\u", unit, 2 * sizeof(NativeChar));
  });
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

}  // namespace lumaveil::fs
