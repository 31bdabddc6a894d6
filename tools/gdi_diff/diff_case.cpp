#include "diff_case.h"

#include <charconv>
#include <map>

#include "case_lines.h"

namespace gdi_diff {
namespace {

[[noreturn]] void Fail(std::size_t line, const std::string& what) {
  case_lines::Fail<DiffCaseError>(line, what);
}

// A 32-bit number, signed decimal or 0x hex (whose bit pattern is kept).
std::int64_t Number(std::string_view field, std::size_t line) {
  std::int64_t value = 0;
  const char* begin = field.data();
  const char* end = field.data() + field.size();
  std::from_chars_result result{};
  if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
    std::uint32_t bits = 0;
    result = std::from_chars(begin + 2, end, bits, 16);
    value = bits;
  } else {
    result = std::from_chars(begin, end, value);
    if (value < INT32_MIN || value > INT32_MAX) result.ec = std::errc::result_out_of_range;
  }
  if (result.ec != std::errc() || result.ptr != end) {
    Fail(line, "\"" + std::string(field) + "\" is not a 32-bit number");
  }
  return value;
}

const std::map<std::string_view, std::size_t>& Arities() {
  static const std::map<std::string_view, std::size_t> arities = {
      {"SolidBrush", 2}, {"HatchBrush", 3}, {"PatternBrush", 4}, {"Pen", 4},
      {"SelectBrush", 1}, {"SelectPen", 1}, {"SetBkMode", 1}, {"SetBkColor", 1},
      {"FillRect", 5}, {"FrameRect", 5}, {"PatBlt", 4}, {"MoveToEx", 2},
      {"LineTo", 2}, {"SetPixelV", 3}, {"DrawEdge", 6}, {"Source", 3},
      {"BitBlt", 7}};
  return arities;
}

// Slot arguments: the position of the slot among a call's arguments.
int SlotArgument(std::string_view name) {
  if (name == "FillRect" || name == "FrameRect") return 4;
  if (name == "SolidBrush" || name == "HatchBrush" || name == "PatternBrush" || name == "Pen" ||
      name == "SelectBrush" || name == "SelectPen") {
    return 0;
  }
  return -1;
}

std::string Joined(const std::vector<std::string_view>& fields) {
  std::string text;
  for (std::string_view f : fields) {
    if (!text.empty()) text += ' ';
    text += f;
  }
  return text;
}

}  // namespace

std::vector<DiffCase> ParseDiffCases(std::string_view text) {
  std::vector<DiffCase> cases;
  std::vector<std::uint32_t> sys_colors;
  DiffCase* open = nullptr;
  const std::size_t last = case_lines::ForEachLine(text, [&](const std::vector<std::string_view>& f,
                                                             std::size_t line) {
    if (open != nullptr) {
      if (f[0] == "end") {
        open = nullptr;
        return;
      }
      const auto arity = Arities().find(f[0]);
      if (arity == Arities().end()) Fail(line, "unknown call \"" + std::string(f[0]) + "\"");
      if (f.size() != arity->second + 1) {
        Fail(line, std::string(f[0]) + " takes " + std::to_string(arity->second) + " numbers");
      }
      Call call{std::string(f[0]), {}};
      for (std::size_t i = 1; i < f.size(); ++i) call.args.push_back(Number(f[i], line));
      const int slot = SlotArgument(f[0]);
      if (slot >= 0 && (call.args[slot] < 0 || call.args[slot] >= kSlotCount)) {
        Fail(line, "slots are 0 to " + std::to_string(kSlotCount - 1));
      }
      open->calls.push_back(std::move(call));
      open->text += "\n  " + Joined(f);
      return;
    }
    if (f[0] == "syscolors") {
      if (f.size() != kSysColorCount + 1) Fail(line, "syscolors takes 31 colours");
      sys_colors.clear();
      for (std::size_t i = 1; i < f.size(); ++i) {
        sys_colors.push_back(static_cast<std::uint32_t>(Number(f[i], line)));
      }
      return;
    }
    DiffCase c;
    c.sys_colors = sys_colors;
    c.text = Joined(f);
    if (f[0] == "calls") {
      if (f.size() != 5) Fail(line, "calls takes ID WIDTH HEIGHT KEY");
      c.id = std::string(f[1]);
      c.width = static_cast<std::int32_t>(Number(f[2], line));
      c.height = static_cast<std::int32_t>(Number(f[3], line));
      c.noise_key = static_cast<std::uint32_t>(Number(f[4], line));
      if (c.width < 0 || c.height < 0 || c.width > prgbar_render::kMaxSide ||
          c.height > prgbar_render::kMaxSide) {
        Fail(line, "a surface side must lie in 0 to " + std::to_string(prgbar_render::kMaxSide));
      }
      cases.push_back(std::move(c));
      open = &cases.back();
    } else if (f[0] == "bar") {
      const std::string fields = Joined({f.begin() + 1, f.end()});
      try {
        c.bar = prgbar_render::ParseCaseFile(fields).at(0);
      } catch (const std::exception& e) {
        Fail(line, std::string("bar: ") + e.what());
      }
      c.kind = DiffCase::Kind::kBar;
      c.id = c.bar.id;
      c.width = c.bar.width;
      c.height = c.bar.height;
      cases.push_back(std::move(c));
    } else {
      Fail(line, "expected syscolors, calls or bar, found \"" + std::string(f[0]) + "\"");
    }
  });
  if (open != nullptr) Fail(last, "case " + open->id + " has no end");
  return cases;
}

std::uint32_t Noise(std::uint32_t key, std::int64_t x, std::int64_t y) {
  std::uint64_t h = key * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(x) * 0xBF58476D1CE4E5B9ull ^
                    static_cast<std::uint64_t>(y) * 0x94D049BB133111EBull;
  h ^= h >> 31;
  h *= 0xD6E8FEB86659FD93ull;
  h ^= h >> 29;
  return static_cast<std::uint32_t>(h) & 0xFFFFFF;
}

}  // namespace gdi_diff
