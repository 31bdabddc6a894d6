#include "render_case.h"

#include <charconv>

#include "case_lines.h"

namespace prgbar_render {

namespace {

[[noreturn]] void Fail(std::size_t line, const std::string& what) {
  case_lines::Fail<CaseFileError>(line, what);
}

std::int32_t Decimal(std::string_view field, std::size_t line, const char* name) {
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (ec == std::errc::result_out_of_range) {
    Fail(line, std::string(name) + " out of the 32-bit range: " + std::string(field));
  }
  if (ec != std::errc() || end != field.data() + field.size()) {
    Fail(line, std::string(name) + " is not a whole number: \"" + std::string(field) + "\"");
  }
  return value;
}

// 32-bit hex, with or without 0x; the bit pattern is kept, so 0x8000000D is a system colour.
std::int32_t Hex(std::string_view field, std::size_t line, const char* name) {
  std::string_view digits = field;
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
  }
  std::uint32_t bits = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), bits, 16);
  if (ec == std::errc::result_out_of_range) {
    Fail(line, std::string(name) + " has more than 32 bits: " + std::string(field));
  }
  if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size()) {
    Fail(line, std::string(name) + " is not a hex number: \"" + std::string(field) + "\"");
  }
  return static_cast<std::int32_t>(bits);
}

std::int32_t Side(std::string_view field, std::size_t line, const char* name) {
  const std::int32_t side = Decimal(field, line, name);
  if (side < 0 || side > kMaxSide) {
    Fail(line, std::string(name) + " must lie in 0 to " + std::to_string(kMaxSide));
  }
  return side;
}

// Ids become file names inside OUTDIR, so they may not climb out of it.
std::string Id(std::string_view field, std::size_t line) {
  if (field.front() == '.' || field.find_first_of("/\\") != std::string_view::npos) {
    Fail(line, "id \"" + std::string(field) + "\" cannot be a file name in OUTDIR");
  }
  return std::string(field);
}

TestImage Image(std::string_view field, std::size_t line) {
  if (field == "none") return TestImage::kNone;
  if (field == "pat8") return TestImage::kPat8;
  if (field == "odd53") return TestImage::kOdd53;
  Fail(line, "image must be none, pat8 or odd53, not \"" + std::string(field) + "\"");
}

}  // namespace

std::vector<RenderCase> ParseCaseFile(std::string_view text) {
  static constexpr std::size_t kFieldCount = 14;
  std::vector<RenderCase> cases;
  case_lines::ForEachLine(text, [&](const std::vector<std::string_view>& f, std::size_t line) {
    if (f.size() != kFieldCount) {
      Fail(line, "expected 14 fields (id width height style orientation value value2 metal "
                 "color color2 brush image showtext repaints), found " + std::to_string(f.size()));
    }
    RenderCase c;
    c.id = Id(f[0], line);
    for (const RenderCase& earlier : cases) {
      if (earlier.id == c.id) Fail(line, "id \"" + c.id + "\" is used twice");
    }
    c.width = Side(f[1], line, "width");
    c.height = Side(f[2], line, "height");
    c.style = Decimal(f[3], line, "style");
    c.orientation = Decimal(f[4], line, "orientation");
    c.value = Decimal(f[5], line, "value");
    c.value2 = Decimal(f[6], line, "value2");
    c.metal = Decimal(f[7], line, "metal") != 0;
    c.color = Hex(f[8], line, "color");
    c.color2 = Hex(f[9], line, "color2");
    c.brush = Decimal(f[10], line, "brush");
    c.image = Image(f[11], line);
    c.show_text = Decimal(f[12], line, "showtext") != 0;
    c.repaints = Decimal(f[13], line, "repaints");
    if (c.repaints < 0 || c.repaints > kMaxRepaints) {
      Fail(line, "repaints must lie in 0 to " + std::to_string(kMaxRepaints));
    }
    cases.push_back(std::move(c));
  });
  return cases;
}

std::vector<SystemColourEntry> ParseSystemColourFile(std::string_view text) {
  std::vector<SystemColourEntry> entries;
  case_lines::ForEachLine(text, [&](const std::vector<std::string_view>& f, std::size_t line) {
    if (f.size() < 2) Fail(line, "expected \"index 0x00BBGGRR\"");
    const std::int32_t index = Decimal(f[0], line, "index");
    if (index < 0) Fail(line, "a system colour index cannot be negative");
    entries.push_back({index, Hex(f[1], line, "colour")});
  });
  return entries;
}

}  // namespace prgbar_render
