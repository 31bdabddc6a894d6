// gdi_diff generate NUMBER CASES
//   writes the numbered case file of the differential drawing test
// gdi_diff compare CASES REFERENCE [--show N]
//   draws every case with the device-context layer and compares each pixel with the reference
//   drawer's pictures; reports each differing case with its first differing pixels (N cases in
//   full, 20 unless told) and exits 1 when any case differs.
#include <cstdlib>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "case_drawer.h"
#include "case_generator.h"
#include "no_ink_text_renderer.h"
#include "platform/gdi/gdi.h"
#include "results_file.h"

namespace gdi_diff {

namespace {
class TableColors : public lumaveil::gdi::SystemColorSource {
 public:
  explicit TableColors(std::vector<std::uint32_t> colors) : colors_(std::move(colors)) {}
  std::optional<lumaveil::gdi::COLORREF> Color(int index) const override {
    if (index < 0 || static_cast<std::size_t>(index) >= colors_.size()) return std::nullopt;
    return colors_[static_cast<std::size_t>(index)];
  }

 private:
  std::vector<std::uint32_t> colors_;
};
}  // namespace

void UseSystemColors(const std::vector<std::uint32_t>& colors) {
  lumaveil::gdi::SetSystemColorSource(colors.empty() ? nullptr
                                                     : std::make_shared<TableColors>(colors));
}

}  // namespace gdi_diff

namespace {

constexpr const char* kUsage =
    "usage: gdi_diff generate NUMBER CASES\n"
    "       gdi_diff compare CASES REFERENCE [--show N]\n";

std::string Hex(std::uint32_t pixel) {
  std::ostringstream out;
  out << '#' << std::hex << std::setw(6) << std::setfill('0') << pixel;
  return out.str();
}

int Generate(const std::string& number_text, const std::string& path) {
  char* end = nullptr;
  const unsigned long long number = std::strtoull(number_text.c_str(), &end, 10);
  if (number_text.empty() || *end != '\0') {
    std::cerr << "gdi_diff: NUMBER must be a whole number\n" << kUsage;
    return 2;
  }
  std::vector<std::uint32_t> classic;
  for (int i = 0; i < gdi_diff::kSysColorCount; ++i) classic.push_back(lumaveil::gdi::ClassicSysColor(i));
  std::ofstream out(path, std::ios::binary);
  out << gdi_diff::GenerateCases(number, classic);
  out.close();
  if (!out) {
    std::cerr << "gdi_diff: cannot write " << path << '\n';
    return 2;
  }
  return 0;
}

// Lists a differing case: its calls and its first differing pixels.
void Report(const gdi_diff::DiffCase& c, const gdi_diff::Drawn& ours,
            const gdi_diff::Drawn& theirs, std::size_t differing) {
  std::cout << "DIFFERS " << c.id << ": " << differing << " of " << ours.pixels.size()
            << " pixels\n  " << c.text << '\n';
  int shown = 0;
  for (std::size_t i = 0; i < ours.pixels.size() && shown < 8; ++i) {
    if (ours.pixels[i] == theirs.pixels[i]) continue;
    std::cout << "  (" << i % static_cast<std::size_t>(ours.width) << ", "
              << i / static_cast<std::size_t>(ours.width) << ") layer " << Hex(ours.pixels[i])
              << ", platform " << Hex(theirs.pixels[i]) << '\n';
    ++shown;
  }
  if (ours.width > 64 || ours.height > 40) return;
  // Both pictures side by side, one letter a colour, for surfaces small enough to read; a pixel
  // that still holds the case's starting noise is a dot.
  std::map<std::uint32_t, char> letters;
  const auto untouched = [&](const gdi_diff::Drawn& drawn, int x, int y) {
    return c.kind == gdi_diff::DiffCase::Kind::kCalls &&
           drawn.pixels[static_cast<std::size_t>(y) * drawn.width + x] == gdi_diff::Noise(c.noise_key, x, y);
  };
  const auto letter = [&](std::uint32_t pixel) {
    const auto it = letters.find(pixel);
    if (it != letters.end()) return it->second;
    const char next = letters.size() < 52 ? "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"[letters.size()] : '?';
    letters.emplace(pixel, next);
    return next;
  };
  std::cout << "  layer | platform\n";
  for (int y = 0; y < ours.height; ++y) {
    std::string left, right;
    for (int x = 0; x < ours.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * ours.width + x;
      left += untouched(ours, x, y) ? '.' : letter(ours.pixels[i]);
      right += untouched(theirs, x, y) ? '.' : letter(theirs.pixels[i]);
    }
    std::cout << "  " << left << " | " << right << '\n';
  }
  std::cout << "  colours:";
  for (const auto& [pixel, name] : letters) std::cout << ' ' << name << '=' << Hex(pixel);
  std::cout << '\n';
}

// Whether a case's calls reach coordinates at or beyond +/-2^27, the range GDI draws in: there
// the platform's results depend on its own arithmetic (Wine's wrap in 32 bits), the layer's do
// not, and the program never goes there. Such a case may differ; docs/gdi.md says why.
bool ReachesBeyondDrawingRange(const gdi_diff::DiffCase& c) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 27;
  std::vector<std::int64_t> coords;
  for (const gdi_diff::Call& call : c.calls) {
    const auto& a = call.args;
    if (call.name == "FillRect" || call.name == "FrameRect" || call.name == "DrawEdge") {
      coords.insert(coords.end(), a.begin(), a.begin() + 4);
    } else if (call.name == "MoveToEx" || call.name == "LineTo" || call.name == "SetPixelV") {
      coords.insert(coords.end(), a.begin(), a.begin() + 2);
    } else if (call.name == "PatBlt") {
      coords.insert(coords.end(), {a[0], a[1], a[0] + a[2], a[1] + a[3]});
    } else if (call.name == "BitBlt") {
      coords.insert(coords.end(), {a[0], a[1], a[0] + a[2], a[1] + a[3], a[4], a[5],
                                   a[4] + a[2], a[5] + a[3]});
    }
  }
  for (std::int64_t v : coords) {
    if (v >= kLimit || v <= -kLimit) return true;
  }
  return false;
}

int Compare(const std::string& cases_path, const std::string& reference_path, int show) {
  std::ifstream cases_in(cases_path, std::ios::binary);
  std::ostringstream text;
  text << cases_in.rdbuf();
  std::vector<gdi_diff::DiffCase> cases;
  try {
    cases = gdi_diff::ParseDiffCases(text.str());
  } catch (const gdi_diff::DiffCaseError& e) {
    std::cerr << "gdi_diff: " << cases_path << ", " << e.what() << '\n';
    return 2;
  }
  std::ifstream reference(reference_path, std::ios::binary);
  if (!gdi_diff::ReadHeader(reference)) {
    std::cerr << "gdi_diff: " << reference_path << " holds no reference pictures\n";
    return 2;
  }
  lumaveil::gdi::SetTextRenderer(std::make_shared<gdi_diff::NoInkTextRenderer>());
  int differing_cases = 0;
  int beyond_range = 0;
  int not_comparable = 0;
  std::map<std::uint32_t, int> notes;
  for (const gdi_diff::DiffCase& c : cases) {
    const std::optional<gdi_diff::ReadEntry> theirs = gdi_diff::ReadDrawn(reference);
    if (!theirs) {
      std::cerr << "gdi_diff: the reference pictures end before case " << c.id << '\n';
      return 2;
    }
    for (std::uint32_t bit = 1; bit != 0; bit <<= 1) {
      if (theirs->flags & bit) ++notes[bit];
    }
    if (theirs->flags & gdi_diff::kNoteTextOnOpaqueBackground) {
      std::cout << "NOT COMPARABLE " << c.id << ": text drawn on an opaque background\n";
      ++not_comparable;
      continue;
    }
    const gdi_diff::Drawn ours = gdi_diff::DrawCase(c);
    std::size_t differing = 0;
    if (ours.width != theirs->drawn.width || ours.height != theirs->drawn.height ||
        ours.pixels.size() != theirs->drawn.pixels.size()) {
      std::cout << "DIFFERS " << c.id << ": " << ours.width << " x " << ours.height
                << " against the platform's " << theirs->drawn.width << " x "
                << theirs->drawn.height << "\n  " << c.text << '\n';
      ++differing_cases;
      continue;
    }
    for (std::size_t i = 0; i < ours.pixels.size(); ++i) {
      differing += ours.pixels[i] != theirs->drawn.pixels[i];
    }
    if (differing == 0) continue;
    if (ReachesBeyondDrawingRange(c)) {
      ++beyond_range;
      continue;
    }
    if (differing_cases < show) {
      Report(c, ours, theirs->drawn, differing);
    } else {
      std::cout << "DIFFERS " << c.id << ": " << differing << " pixels\n";
    }
    ++differing_cases;
  }
  if (gdi_diff::ReadDrawn(reference)) {
    std::cerr << "gdi_diff: the reference holds more pictures than " << cases_path << " has cases\n";
    return 2;
  }
  std::cout << "gdi_diff: " << cases.size() << " cases compared pixel for pixel; "
            << differing_cases << " differ, " << not_comparable << " not comparable\n"
            << "gdi_diff: documented differences: " << beyond_range
            << " cases differ only beyond the +/-2^27 drawing range; the reference followed the"
               " layer in " << notes[gdi_diff::kNoteInvertedFill] << " cases with an inverted"
               " FillRect, " << notes[gdi_diff::kNoteNullBrush] << " with brush 0 and "
            << notes[gdi_diff::kNoteNegativeBlit] << " with a negative BitBlt extent\n";
  return differing_cases == 0 && not_comparable == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 3 && args[0] == "generate") return Generate(args[1], args[2]);
  if ((args.size() == 3 || args.size() == 5) && args[0] == "compare") {
    int show = 20;
    if (args.size() == 5) {
      if (args[3] != "--show") {
        std::cerr << kUsage;
        return 2;
      }
      show = std::atoi(args[4].c_str());
    }
    return Compare(args[1], args[2], show);
  }
  std::cerr << kUsage;
  return 2;
}
