// The system-colour table behind GetSysColor and the 3-D edges. Built in: the classic Windows
// colour scheme, so that drawing is the same on every machine and in tests. The desktop program
// may install a source of its own (its palette's highlight and 3-D colours, say); indexes that
// source does not answer fall back to the classic table.
#pragma once

#include <memory>
#include <optional>

#include "platform/gdi/types.h"

namespace lumaveil::gdi {

class SystemColorSource {
 public:
  virtual ~SystemColorSource() = default;
  // The colour of a system colour index (0 to 30), or nothing to keep the classic colour.
  virtual std::optional<COLORREF> Color(int index) const = 0;
};

// The classic scheme's colour for an index; 0 for an index outside 0 to 30.
COLORREF ClassicSysColor(int index);

// Installs the desktop's colours; nullptr returns to the classic table.
void SetSystemColorSource(std::shared_ptr<const SystemColorSource> source);

// The colour of a system colour index; 0 for an index outside 0 to 30, as Windows answers.
COLORREF GetSysColor(int index);

}  // namespace lumaveil::gdi
