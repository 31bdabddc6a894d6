// The raster drawer's font: fixed 6 x 13 cells and no ink. Text is left out of the differential
// comparison (fonts differ between systems); see docs/gdi.md.
#pragma once

#include "platform/gdi/text_renderer.h"

namespace gdi_diff {

class NoInkTextRenderer : public lumaveil::gdi::TextRenderer {
 public:
  lumaveil::gdi::TextExtent Measure(const lumaveil::gdi::FontDescription&,
                                    std::string_view utf8) const override {
    return {static_cast<int>(utf8.size()) * 6, 13};
  }
  void Draw(const lumaveil::gdi::FontDescription&, std::string_view, int, int,
            lumaveil::gdi::COLORREF, const lumaveil::gdi::PixelBuffer&,
            const lumaveil::gdi::RECT&) const override {}
};

}  // namespace gdi_diff
