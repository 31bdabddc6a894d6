// A deterministic text renderer for the render tool: a fixed 5 x 7 pixel font on a 6-pixel
// advance and a 13-pixel line, the line height of the control's default 8-point font. Pictures
// made with it are the same on every machine; letters without a glyph of their own are drawn as
// a hollow box.
#pragma once

#include "platform/gdi/text_renderer.h"

namespace prgbar_render {

class PixelFontRenderer : public lumaveil::gdi::TextRenderer {
 public:
  static constexpr int kAdvance = 6;
  static constexpr int kLineHeight = 13;
  static constexpr int kGlyphTop = 3;  // rows above the 7-row glyph cell inside a line

  lumaveil::gdi::TextExtent Measure(const lumaveil::gdi::FontDescription& font,
                                    std::string_view utf8) const override;
  void Draw(const lumaveil::gdi::FontDescription& font, std::string_view utf8, int x, int y,
            lumaveil::gdi::COLORREF color, const lumaveil::gdi::PixelBuffer& target,
            const lumaveil::gdi::RECT& clip) const override;
};

}  // namespace prgbar_render
