#include "common/text_encoding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace lumaveil::text {
namespace {

// What NextFromUtf8 or NextFromUtf16 makes of a whole text: each code point, or -1 for a unit
// it rejects.
template <typename Char>
std::vector<long> DecodeAll(std::basic_string_view<Char> text) {
  std::vector<long> out;
  for (std::size_t pos = 0; pos < text.size();) {
    std::optional<char32_t> cp;
    if constexpr (sizeof(Char) == 1) {
      cp = NextFromUtf8(text, pos);
    } else {
      cp = NextFromUtf16(text, pos);
    }
    out.push_back(cp ? static_cast<long>(*cp) : -1);
  }
  return out;
}
std::vector<long> DecodeAll(std::string_view text) { return DecodeAll<char>(text); }
std::vector<long> DecodeAll(const std::wstring& text) { return DecodeAll<wchar_t>(text); }

std::wstring Units(std::initializer_list<unsigned> units) {
  std::wstring text;
  for (unsigned unit : units) text += static_cast<wchar_t>(unit);
  return text;
}

using Points = std::vector<long>;

TEST(TextEncoding, Utf8DecodingRejectsEveryMalformedByteOnItsOwn) {
  EXPECT_EQ(DecodeAll("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
            (Points{'a', 0xE9, 0x20AC, 0x1F600}));
  EXPECT_EQ(DecodeAll("\x80x"), (Points{-1, 'x'}));                    // stray continuation
  EXPECT_EQ(DecodeAll("\xC3x"), (Points{-1, 'x'}));                    // continuation missing
  EXPECT_EQ(DecodeAll("\xE2\x82"), (Points{-1, -1}));                  // cut off at the end
  EXPECT_EQ(DecodeAll("\xC0\xAF"), (Points{-1, -1}));                  // overlong "/"
  EXPECT_EQ(DecodeAll("\xE0\x80\xAF"), (Points{-1, -1, -1}));          // overlong, three bytes
  EXPECT_EQ(DecodeAll("\xED\xA0\x80"), (Points{-1, -1, -1}));          // a surrogate
  EXPECT_EQ(DecodeAll("\xF4\x90\x80\x80"), (Points{-1, -1, -1, -1}));  // past U+10FFFF
  EXPECT_EQ(DecodeAll("\xF8\x88\x80\x80\x80"), (Points{-1, -1, -1, -1, -1}));
  EXPECT_EQ(DecodeAll(std::string_view("\0", 1)), (Points{0}));
  EXPECT_TRUE(IsValidUtf8("caf\xC3\xA9"));
  EXPECT_FALSE(IsValidUtf8("caf\xE9"));
}

TEST(TextEncoding, Utf16DecodingPairsSurrogatesAndRejectsLoneOnes) {
  EXPECT_EQ(DecodeAll(Units({'a', 0xD83D, 0xDE00, 0xFFFD})), (Points{'a', 0x1F600, 0xFFFD}));
  EXPECT_EQ(DecodeAll(Units({0xD83D, 'x'})), (Points{-1, 'x'}));
  EXPECT_EQ(DecodeAll(Units({0xDE00, 0xD83D})), (Points{-1, -1}));
  EXPECT_EQ(DecodeAll(Units({'x', 0xD800})), (Points{'x', -1}));
  EXPECT_TRUE(IsValidUtf16(Units({0xDBFF, 0xDFFF})));
  EXPECT_FALSE(IsValidUtf16(Units({'a', 0xDC00, 'b'})));
}

TEST(TextEncoding, EveryCodePointSurvivesBothEncodings) {
  for (char32_t cp : {0x0u, 0x7Fu, 0x80u, 0x7FFu, 0x800u, 0xD7FFu, 0xE000u, 0xFFFFu, 0x10000u,
                      0x10FFFFu}) {
    SCOPED_TRACE(static_cast<std::uint32_t>(cp));
    std::string utf8;
    AppendUtf8(utf8, cp);
    std::size_t pos = 0;
    EXPECT_EQ(NextFromUtf8(utf8, pos), cp);
    EXPECT_EQ(pos, utf8.size());

    std::wstring utf16;
    AppendUtf16(utf16, cp);
    EXPECT_EQ(utf16.size(), cp < 0x10000 ? 1u : 2u);
    pos = 0;
    EXPECT_EQ(NextFromUtf16(utf16, pos), cp);
    EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  }
}

TEST(TextEncoding, Utf8ToUtf16RefusesInvalidText) {
  EXPECT_EQ(Utf8ToUtf16(""), std::wstring());
  EXPECT_EQ(Utf8ToUtf16("C:\\\xD0\x96"), Units({'C', ':', '\\', 0x416}));
  EXPECT_EQ(Utf8ToUtf16("C:\\caf\xE9"), std::nullopt);
  EXPECT_EQ(Utf8ToUtf16("\xED\xB0\x80"), std::nullopt);
}

TEST(TextEncoding, DisplayTextShowsWhatIsNotACharacterAsReplacement) {
  EXPECT_EQ(DisplayText("odd\xFF" "name\xC3"), "odd\xEF\xBF\xBDname\xEF\xBF\xBD");
  EXPECT_EQ(DisplayText("\xE6\x97\xA5 \t"), "\xE6\x97\xA5 \t");
  EXPECT_EQ(DisplayText(Units({'h', 0xD800, 'x', 0xD83D, 0xDE00})),
            "h\xEF\xBF\xBDx\xF0\x9F\x98\x80");
}

TEST(TextEncoding, EscapedTextKeepsEveryNameOnOneReadableLine) {
  EXPECT_EQ(EscapedText("caf\xE9\n\t\r\x01\x7F" "end"), "caf\\xe9\\n\\t\\r\\x01\\x7fend");
  EXPECT_EQ(EscapedText("c1\xC2\x85" "\xC3\xA9"), "c1\\u0085\xC3\xA9");
  EXPECT_EQ(EscapedText(Units({'h', 0xDBFF, 0x0A})), "h\\udbff\\n");
}

TEST(TextEncoding, AnsiCodePointsBothWays) {
  EXPECT_EQ(Utf8ToAnsi("Searching.."), "Searching..");
  EXPECT_EQ(Utf8ToAnsi("\xC3\x84\xE2\x82\xAC\xE2\x80\x94x"), "\xC4\x80\x97x");
  EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD\xF0\x9F\x98\x80"), "??");  // not in the code page
  EXPECT_EQ(Utf8ToAnsi("a\xFF\xC3"), "a??");                    // broken sequences
  EXPECT_EQ(Utf8ToAnsi("\xC0\xAF"), "??");                      // overlong form
  // The five bytes the code page leaves undefined stand for the C1 controls of their number.
  EXPECT_EQ(AnsiToUtf8("\x80\x81\x9F\xA0\xFF"), "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC2\xA0\xC3\xBF");
  for (int byte = 1; byte < 256; ++byte) {
    const std::string ansi(1, static_cast<char>(byte));
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(ansi)), ansi) << byte;
  }
}

}  // namespace
}  // namespace lumaveil::text
