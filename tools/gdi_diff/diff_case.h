// The case file of the differential drawing test. Each case draws on a fresh surface and is
// drawn twice, through the device-context layer and through the platform's own calls, so that
// the two pictures can be compared pixel for pixel.
//
//   syscolors C0 C1 ... C30       the system colours for the cases that follow (COLORREFs)
//   calls ID WIDTH HEIGHT KEY     a surface filled with the noise of KEY, then one call a line:
//     SolidBrush SLOT COLOR | HatchBrush SLOT STYLE COLOR | PatternBrush SLOT W H KEY
//     Pen SLOT STYLE WIDTH COLOR | SelectBrush SLOT | SelectPen SLOT
//     SetBkMode MODE | SetBkColor COLOR | FillRect L T R B SLOT | FrameRect L T R B SLOT
//     PatBlt X Y W H | MoveToEx X Y | LineTo X Y | SetPixelV X Y COLOR
//     DrawEdge L T R B EDGE FLAGS | Source W H KEY | BitBlt X Y W H SX SY FROM
//   end
//   bar ID ...                    a whole progress bar, in the render tool's thirteen fields
//
// Numbers are decimal or 0x hex and may use all 32 bits. Slots are 0 to 7; an object made in
// a slot lives until the case ends. BitBlt copies from the Source surface (FROM 0) or from the
// case's own surface (FROM 1).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "render_case.h"

namespace gdi_diff {

inline constexpr int kSlotCount = 8;
inline constexpr int kSysColorCount = 31;

struct Call {
  std::string name;
  std::vector<std::int64_t> args;
};

struct DiffCase {
  enum class Kind { kCalls, kBar } kind = Kind::kCalls;
  std::string id;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t noise_key = 0;
  std::vector<Call> calls;
  prgbar_render::RenderCase bar;  // kBar
  std::vector<std::uint32_t> sys_colors;  // the table in force, kSysColorCount entries or none
  std::string text;  // the case's lines as written, for reports
};

class DiffCaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Throws DiffCaseError naming the line for a malformed file.
std::vector<DiffCase> ParseDiffCases(std::string_view text);

// The deterministic pixel noise of the case format: 0x00RRGGBB for a key and a position.
std::uint32_t Noise(std::uint32_t key, std::int64_t x, std::int64_t y);

}  // namespace gdi_diff
