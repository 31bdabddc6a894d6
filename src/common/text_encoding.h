// Every conversion of text the program makes, in one place. Text inside Lumaveil is UTF-8; the
// wide Windows calls take UTF-16, DrawTextA takes the ANSI code page (Windows-1252), and a name
// on disk is whatever its file system stores. Every decoder here checks its input: a unit that
// is not part of a character is never passed on as if it were one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumaveil::text {

// An entry's name as the platform stores it: raw bytes on POSIX (not necessarily UTF-8),
// UTF-16 on Windows. Names are never pushed through a code page.
#ifdef _WIN32
using NativeChar = wchar_t;
#else
using NativeChar = char;
#endif
using NativeName = std::basic_string<NativeChar>;

// The character that starts at `pos`, moving `pos` past it. Where no character starts there (a
// stray or missing continuation byte, an overlong form, a surrogate, a value past U+10FFFF, an
// unpaired UTF-16 surrogate) the result is nullopt and `pos` moves one unit on.
// UTF-16 units are held in wchar_t, as the wide calls take them.
std::optional<char32_t> NextFromUtf8(std::string_view text, std::size_t& pos);
std::optional<char32_t> NextFromUtf16(std::wstring_view text, std::size_t& pos);

void AppendUtf8(std::string& out, char32_t codePoint);
void AppendUtf16(std::wstring& out, char32_t codePoint);

bool IsValidUtf8(std::string_view text);
bool IsValidUtf16(std::wstring_view text);

// The UTF-16 form of UTF-8 text; nullopt when the text is not valid UTF-8.
std::optional<std::wstring> Utf8ToUtf16(std::string_view utf8);

// Windows-1252 bytes as UTF-8, and back, characters the code page lacks (and broken UTF-8)
// becoming "?": what a program hands DrawTextA and what its text renderer is given.
std::string AnsiToUtf8(std::string_view ansi);
std::string Utf8ToAnsi(std::string_view utf8);

// The UTF-8 text of a name (bytes or UTF-16) for labels and keys: what is not a character
// becomes U+FFFD.
std::string DisplayText(std::string_view bytes);
std::string DisplayText(std::wstring_view utf16);
// The UTF-8 text of a name for a terminal or a log: what is not a character is written as
// \xNN (a byte) or \uNNNN (a lone UTF-16 unit), and control characters as \n, \t, \r, \xNN or
// \u00NN, so that no name can break a line.
std::string EscapedText(std::string_view bytes);
std::string EscapedText(std::wstring_view utf16);

}  // namespace lumaveil::text
