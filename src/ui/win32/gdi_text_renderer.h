// The device-context layer's text, measured and drawn by Windows' own GDI: the glyphs are
// drawn with the system's font engine (ClearType included) straight onto a copy of the layer's
// pixels in a DIB section, so the bar's text looks as any other text on the desktop.
#pragma once

#include "ui/win32/windows_api.h"

#include <map>
#include <string>

#include "platform/gdi/text_renderer.h"
#include "ui/win32/gdi_objects.h"

namespace lumaveil::win32 {

class GdiTextRenderer : public gdi::TextRenderer {
 public:
  // `dpi` turns point sizes into pixels, as the screen the text is shown on does.
  explicit GdiTextRenderer(UINT dpi);

  gdi::TextExtent Measure(const gdi::FontDescription& font, std::string_view utf8) const override;
  void Draw(const gdi::FontDescription& font, std::string_view utf8, int x, int y,
            gdi::COLORREF color, const gdi::PixelBuffer& target,
            const gdi::RECT& clip) const override;

 private:
  HFONT FontFor(const gdi::FontDescription& font) const;

  UINT dpi_;
  MemoryDc dc_;
  // Fonts by face, size and style; the bar asks for the same one or two again and again.
  mutable std::map<std::string, Font> fonts_;
};

}  // namespace lumaveil::win32
