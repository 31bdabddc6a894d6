#include "ui/common/path_label_text.h"

#include <algorithm>

namespace lumaveil::ui {

std::string PathLabelText(std::string_view folder, std::string_view name, std::size_t limit) {
  std::size_t end = folder.size() + name.size();
  if (end > limit) {
    const auto byteAt = [&](std::size_t i) {
      return static_cast<unsigned char>(i < folder.size() ? folder[i] : name[i - folder.size()]);
    };
    // Back to the first byte of the character the limit falls in.
    end = limit;
    while (end > 0 && (byteAt(end) & 0xC0) == 0x80) --end;
  }
  std::string text;
  text.reserve(end);
  text.append(folder.substr(0, std::min(end, folder.size())));
  if (end > folder.size()) text.append(name.substr(0, end - folder.size()));
  return text;
}

}  // namespace lumaveil::ui
