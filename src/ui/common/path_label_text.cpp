#include "ui/common/path_label_text.h"

#include <algorithm>

namespace lumaveil::ui {

namespace {

// Bytes [begin, end) of `folder` followed by `name`.
std::string Joined(std::string_view folder, std::string_view name, std::size_t begin,
                   std::size_t end) {
  std::string text;
  text.reserve(end - begin);
  if (begin < folder.size()) text.append(folder.substr(begin, std::min(end, folder.size()) - begin));
  if (end > folder.size()) {
    const std::size_t from = std::max(begin, folder.size()) - folder.size();
    text.append(name.substr(from, end - folder.size() - from));
  }
  return text;
}

bool IsContinuationByte(std::string_view folder, std::string_view name, std::size_t i) {
  const char byte = i < folder.size() ? folder[i] : name[i - folder.size()];
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::string PathLabelText(std::string_view folder, std::string_view name, std::size_t limit) {
  std::size_t end = folder.size() + name.size();
  if (end > limit) {
    // Back to the first byte of the character the limit falls in.
    end = limit;
    while (end > 0 && IsContinuationByte(folder, name, end)) --end;
  }
  return Joined(folder, name, 0, end);
}

std::string PathLabelTail(std::string_view folder, std::string_view name, std::size_t limit) {
  const std::size_t end = folder.size() + name.size();
  std::size_t begin = end > limit ? end - limit : 0;
  // On to the first byte of the next whole character.
  while (begin < end && IsContinuationByte(folder, name, begin)) ++begin;
  return Joined(folder, name, begin, end);
}

}  // namespace lumaveil::ui
