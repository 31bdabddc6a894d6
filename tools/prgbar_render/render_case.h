// One line of a prgbar_render case file:
//   id width height style orientation value value2 metal color color2 brush image showtext repaints
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace prgbar_render {

enum class TestImage { kNone, kPat8, kOdd53 };

struct RenderCase {
  std::string id;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t style = 0;
  std::int32_t orientation = 0;
  std::int32_t value = 0;
  std::int32_t value2 = 0;
  bool metal = false;
  std::int32_t color = 0;
  std::int32_t color2 = 0;
  std::int32_t brush = 0;
  TestImage image = TestImage::kNone;
  bool show_text = false;
  std::int32_t repaints = 0;
};

// Largest side the tool draws; a bigger case is refused instead of exhausting memory.
inline constexpr std::int32_t kMaxSide = 4096;
inline constexpr std::int32_t kMaxRepaints = 1000;

class CaseFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws CaseFileError naming the line for a malformed case.
std::vector<RenderCase> ParseCaseFile(std::string_view text);

// "index 0x00BBGGRR [ignored...]" lines; '#' lines and blank lines are skipped.
struct SystemColourEntry {
  std::int32_t index;
  std::int32_t colour;
};
std::vector<SystemColourEntry> ParseSystemColourFile(std::string_view text);

}  // namespace prgbar_render
