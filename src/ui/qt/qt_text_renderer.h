// The device-context layer's text, measured and drawn with Qt's font engine: what DrawTextA
// shows on the desktop. Fonts missing on the machine fall back to the closest installed family.
#pragma once

#include <QFont>

#include "platform/gdi/text_renderer.h"

namespace lumaveil::qt {

class QtTextRenderer : public gdi::TextRenderer {
 public:
  // `logicalDpi` turns point sizes into pixels, as the screen the text is shown on does.
  explicit QtTextRenderer(double logicalDpi = 96.0) : dpi_(logicalDpi) {}

  gdi::TextExtent Measure(const gdi::FontDescription& font, std::string_view utf8) const override;
  void Draw(const gdi::FontDescription& font, std::string_view utf8, int x, int y,
            gdi::COLORREF color, const gdi::PixelBuffer& target,
            const gdi::RECT& clip) const override;

  // The Qt font for a font description at this renderer's dpi.
  QFont ToQFont(const gdi::FontDescription& font) const;

 private:
  double dpi_;
};

}  // namespace lumaveil::qt
