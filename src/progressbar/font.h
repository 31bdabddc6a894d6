// The font object behind the Font property. The control only needs its handle for text; the
// description is what the host's font dialog would change.
#pragma once

#include "platform/gdi/owned.h"
#include "platform/gdi/text_renderer.h"
#include "platform/gdi/types.h"

namespace lumaveil::progressbar {

class StdFont {
 public:
  // A default description gives the platform's standard font.
  explicit StdFont(gdi::FontDescription description = {});

  const gdi::FontDescription& Description() const { return description_; }
  gdi::HFONT hFont() const { return handle_.get(); }

 private:
  gdi::FontDescription description_;
  gdi::Owned<gdi::Font> handle_;
};

}  // namespace lumaveil::progressbar
