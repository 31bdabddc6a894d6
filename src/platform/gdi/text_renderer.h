// The seam between the device-context layer and a font engine. The layer decides where text goes
// (rectangle, clipping, background cell, colour); the renderer only measures strings and puts
// glyphs into a pixel buffer. The desktop program supplies a renderer built on its toolkit; tests
// use a small deterministic one. Text reaches the renderer as UTF-8, already decoded from the ANSI
// code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/gdi/types.h"

namespace lumaveil::gdi {

// What a font handle stands for: the properties of a font object as the program sets them.
struct FontDescription {
  std::string face = "MS Sans Serif";
  double point_size = 8.25;
  int weight = 400;  // 400 normal, 700 bold
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  bool operator==(const FontDescription&) const = default;
};

struct TextExtent {
  int width = 0;   // advance width of the string in pixels
  int height = 0;  // height of one line of the font in pixels
};

// A 32-bit pixel buffer: rows top to bottom, `width` pixels each, every pixel 0x00RRGGBB.
struct PixelBuffer {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// The pixel (0x00RRGGBB) of a colour (0x00BBGGRR) by its low 24 bits: what a renderer writes for
// the colour DrawTextA hands it.
constexpr std::uint32_t PixelOf(COLORREF color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

class TextRenderer {
 public:
  virtual ~TextRenderer() = default;

  // The extent of one line of text; an empty string has width 0 and the font's line height.
  virtual TextExtent Measure(const FontDescription& font, std::string_view utf8) const = 0;

  // Draws one line with the top left of its first cell at (x, y) in `color` (a COLORREF,
  // 0x00BBGGRR), writing only pixels inside `clip`, which always lies within `target`. The cell
  // background is the layer's business: the renderer writes glyph pixels only.
  virtual void Draw(const FontDescription& font, std::string_view utf8, int x, int y,
                    COLORREF color, const PixelBuffer& target, const RECT& clip) const = 0;
};

}  // namespace lumaveil::gdi
