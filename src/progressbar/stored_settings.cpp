#include "progressbar/stored_settings.h"

#include <cctype>
#include <charconv>
#include <sstream>
#include <vector>

#include "common/run_time_error.h"
#include "progressbar/picture.h"

namespace lumaveil::progressbar {

namespace {

[[noreturn]] void Fail(int number, std::size_t line, const std::string& what) {
  throw RunTimeError(number, "Stored settings, line " + std::to_string(line) + ": " + what);
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> Words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    std::size_t start = i;
    while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    if (i > start) words.push_back(s.substr(start, i - start));
  }
  return words;
}

bool IsKey(std::string_view s) {
  if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
  for (char c : s) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
  }
  return true;
}

bool IsHexDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// Hex reads up to eight digits as a bit pattern; decimal must fit a signed 32-bit number.
std::int32_t ParseInteger(std::string_view word, std::size_t line) {
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    std::string_view digits = word.substr(2);
    if (!IsHexDigits(digits)) Fail(error::kInvalidFileFormat, line, "bad number \"" + std::string(word) + "\"");
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 8) Fail(error::kInvalidPropertyValue, line, "number out of range: " + std::string(word));
    std::uint32_t bits = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
    return static_cast<std::int32_t>(bits);
  }
  std::string_view digits = word.front() == '-' ? word.substr(1) : word;
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) {
    Fail(error::kInvalidFileFormat, line, "bad value \"" + std::string(word) + "\"");
  }
  std::int32_t value = 0;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc() || end != word.data() + word.size()) {
    Fail(error::kInvalidPropertyValue, line, "number out of range: " + std::string(word));
  }
  return value;
}

std::shared_ptr<StdPicture> ParsePicture(const std::vector<std::string_view>& words,
                                         std::size_t line) {
  if (words.size() < 3) Fail(error::kInvalidFileFormat, line, "a picture needs its width and height");
  const std::int32_t width = ParseInteger(words[1], line);
  const std::int32_t height = ParseInteger(words[2], line);
  if (width < 1 || height < 1 || width > kMaxStoredPictureSide || height > kMaxStoredPictureSide) {
    Fail(error::kInvalidPropertyValue, line,
         "picture size out of range (1 to " + std::to_string(kMaxStoredPictureSide) + ")");
  }
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (words.size() - 3 != count) {
    Fail(error::kInvalidFileFormat, line,
         "a " + std::to_string(width) + " x " + std::to_string(height) + " picture needs " +
             std::to_string(count) + " colours, found " + std::to_string(words.size() - 3));
  }
  std::vector<std::uint32_t> pixels;
  pixels.reserve(count);
  for (std::size_t i = 3; i < words.size(); ++i) {
    std::string_view w = words[i];
    if (w.size() != 6 || !IsHexDigits(w)) {
      Fail(error::kInvalidFileFormat, line, "bad picture colour \"" + std::string(w) + "\"");
    }
    std::uint32_t colour = 0;
    std::from_chars(w.data(), w.data() + w.size(), colour, 16);
    pixels.push_back(colour);
  }
  return std::make_shared<StdPicture>(width, height, std::move(pixels));
}

PropertyValue ParseValue(std::string_view text, std::size_t line) {
  const std::vector<std::string_view> words = Words(text);
  if (words.empty()) Fail(error::kInvalidFileFormat, line, "missing value");
  if (KeysMatch(words[0], "Picture")) return ParsePicture(words, line);
  if (words.size() != 1) Fail(error::kInvalidFileFormat, line, "unexpected text after the value");
  if (KeysMatch(words[0], "True")) return StoredBoolean{-1};
  if (KeysMatch(words[0], "False")) return StoredBoolean{0};
  if (KeysMatch(words[0], "Nothing")) return std::shared_ptr<StdPicture>();
  return ParseInteger(words[0], line);
}

std::string Hex(std::uint32_t value, int digits) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) out[static_cast<std::size_t>(i)] = kDigits[value & 15];
  return out;
}

bool IsColourKey(std::string_view key) {
  std::string folded;
  for (char c : key) folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return folded.find("color") != std::string::npos;
}

std::string FormatValue(std::string_view key, const PropertyValue& value) {
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    return IsColourKey(key) ? "0x" + Hex(static_cast<std::uint32_t>(*number), 8)
                            : std::to_string(*number);
  }
  if (const auto* boolean = std::get_if<StoredBoolean>(&value)) {
    return boolean->bits != 0 ? "True" : "False";
  }
  if (const auto* picture = std::get_if<std::shared_ptr<StdPicture>>(&value)) {
    if (!*picture) return "Nothing";
    const StdPicture& p = **picture;
    std::string out = "Picture " + std::to_string(p.Width()) + " " + std::to_string(p.Height());
    for (std::int32_t y = 0; y < p.Height(); ++y) {
      for (std::int32_t x = 0; x < p.Width(); ++x) out += " " + Hex(p.Pixel(x, y), 6);
    }
    return out;
  }
  throw RunTimeError(error::kInvalidPropertyValue,
                     "Stored settings: the font of \"" + std::string(key) + "\" cannot be stored");
}

}  // namespace

StoredInstance ParseStoredInstance(std::string_view text) {
  StoredInstance instance;
  enum class Where { kBefore, kInside, kAfter } where = Where::kBefore;
  std::size_t line_number = 0;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++line_number;
    if (line.empty() || line.front() == '#') continue;

    const std::vector<std::string_view> words = Words(line);
    if (where == Where::kBefore) {
      if (!KeysMatch(words[0], "Begin") || words.size() != 3) {
        Fail(error::kInvalidFileFormat, line_number, "expected \"Begin Project1.PrgBar <name>\"");
      }
      if (!KeysMatch(words[1], kStoredClassName)) {
        Fail(error::kInvalidFileFormat, line_number,
             "the class is \"" + std::string(words[1]) + "\", not \"Project1.PrgBar\"");
      }
      instance.name = std::string(words[2]);
      where = Where::kInside;
      continue;
    }
    if (where == Where::kAfter) {
      Fail(error::kInvalidFileFormat, line_number, "text after \"End\"");
    }
    if (words.size() == 1 && KeysMatch(words[0], "End")) {
      where = Where::kAfter;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      Fail(error::kInvalidFileFormat, line_number, "expected \"key = value\" or \"End\"");
    }
    const std::string_view key = Trim(line.substr(0, equals));
    if (!IsKey(key)) Fail(error::kInvalidFileFormat, line_number, "bad key \"" + std::string(key) + "\"");
    const PropertyValue value = ParseValue(line.substr(equals + 1), line_number);
    const bool is_extent_x = KeysMatch(key, "_extentx");
    const bool is_extent_y = KeysMatch(key, "_extenty");
    if (instance.bag.Contains(key) || (is_extent_x && instance.extent_x) ||
        (is_extent_y && instance.extent_y)) {
      Fail(error::kInvalidFileFormat, line_number, "\"" + std::string(key) + "\" is given twice");
    }
    if (is_extent_x || is_extent_y) {
      const auto* number = std::get_if<std::int32_t>(&value);
      if (!number) Fail(error::kInvalidPropertyValue, line_number, "an extent must be a number");
      (is_extent_x ? instance.extent_x : instance.extent_y) = *number;
    } else {
      instance.bag.Set(key, value);
    }
  }
  if (where == Where::kBefore) Fail(error::kInvalidFileFormat, line_number + 1, "no \"Begin\" line");
  if (where == Where::kInside) {
    Fail(error::kInvalidFileFormat, line_number + 1, "the text ends before \"End\"");
  }
  return instance;
}

std::string FormatStoredInstance(const StoredInstance& instance) {
  std::ostringstream out;
  out << "Begin " << kStoredClassName << ' ' << (instance.name.empty() ? "PrgBar1" : instance.name)
      << '\n';
  if (instance.extent_x) out << "   _extentx = " << *instance.extent_x << '\n';
  if (instance.extent_y) out << "   _extenty = " << *instance.extent_y << '\n';
  for (const PropertyBag::Entry& entry : instance.bag.Entries()) {
    out << "   " << entry.key << " = " << FormatValue(entry.key, entry.value) << '\n';
  }
  out << "End\n";
  return out.str();
}

}  // namespace lumaveil::progressbar
