// DrawTextA over the text renderer. Lines: with DT_SINGLELINE the whole text is one line;
// otherwise CR, LF and CR LF break lines, stacked from the rectangle's top. Text is placed at the
// rectangle's left and top (the default alignment). Mnemonic prefixes are removed ("&x" shows x,
// "&&" shows "&"); the underline Windows puts under the prefixed character is not drawn.
// An empty text measures zero wide; its height is one line with DT_SINGLELINE and zero without,
// and the call returns the font's line height either way (our reading of the platform; see
// docs/gdi.md).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "common/text_encoding.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/object_table.h"
#include "platform/gdi/raster.h"

namespace lumaveil::gdi {
namespace {
std::shared_ptr<const TextRenderer>& Renderer() {
  static std::shared_ptr<const TextRenderer> renderer;
  return renderer;
}

std::string StripPrefixes(std::string_view line) {
  std::string out;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '&') {
      if (i + 1 >= line.size()) break;
      ++i;
    }
    out += line[i];
  }
  return out;
}

std::vector<std::string> SplitLines(std::string_view text, unsigned format) {
  std::vector<std::string_view> raw;
  if (format & DT_SINGLELINE) {
    raw.push_back(text);
  } else {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\r' && text[i] != '\n') continue;
      raw.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
    raw.push_back(text.substr(start));
  }
  std::vector<std::string> lines;
  for (std::string_view line : raw) {
    lines.push_back(text::AnsiToUtf8(
        (format & DT_NOPREFIX) ? std::string(line) : StripPrefixes(line)));
  }
  return lines;
}

// A measured edge: the sum, held at the largest coordinate rather than wrapping.
std::int32_t ClampedSum(std::int32_t edge, std::int64_t extent) {
  return static_cast<std::int32_t>(std::min<std::int64_t>(edge + extent, INT32_MAX));
}

// The clip rectangle as a RECT within the surface, or nothing when it is empty.
bool ClipRect(const internal::Surface& surface, const RECT& rect, bool clip_to_rect, RECT* out) {
  internal::Box box{0, 0, surface.width, surface.height};
  if (clip_to_rect) box = internal::ClipToSurface({rect.left, rect.top, rect.right, rect.bottom}, surface);
  if (box.right <= box.left || box.bottom <= box.top) return false;
  *out = RECT{static_cast<std::int32_t>(box.left), static_cast<std::int32_t>(box.top),
              static_cast<std::int32_t>(box.right), static_cast<std::int32_t>(box.bottom)};
  return true;
}
}  // namespace

void SetTextRenderer(std::shared_ptr<const TextRenderer> renderer) {
  Renderer() = std::move(renderer);
}

int DrawTextA(HDC dc, const char* text, int count, RECT* rect, unsigned format) {
  const internal::Target target = internal::Resolve(dc);
  const auto& renderer = Renderer();
  if (target.dc == nullptr || text == nullptr || rect == nullptr || renderer == nullptr) return 0;
  const auto* font = internal::ObjectTable::Instance().Get<internal::Font>(target.dc->font);
  if (font == nullptr) return 0;
  const std::string_view bytes =
      count < 0 ? std::string_view(text) : std::string_view(text, static_cast<std::size_t>(count));

  const std::int64_t line_height = renderer->Measure(font->description, "").height;
  if (bytes.empty()) {
    if (format & DT_CALCRECT) {
      rect->right = rect->left;
      rect->bottom = (format & DT_SINGLELINE) ? ClampedSum(rect->top, line_height) : rect->top;
    }
    return static_cast<int>(line_height);
  }

  const std::vector<std::string> lines = SplitLines(bytes, format);
  std::vector<TextExtent> extents;
  std::int64_t width = 0;
  std::int64_t height = 0;
  for (const std::string& line : lines) {
    extents.push_back(renderer->Measure(font->description, line));
    width = std::max<std::int64_t>(width, extents.back().width);
    height += extents.back().height;
  }
  if (format & DT_CALCRECT) {
    rect->right = ClampedSum(rect->left, width);
    rect->bottom = ClampedSum(rect->top, height);
    return static_cast<int>(height);
  }
  RECT clip;
  if (target.surface == nullptr || !ClipRect(*target.surface, *rect, !(format & DT_NOCLIP), &clip)) {
    return static_cast<int>(height);
  }
  std::int64_t y = rect->top;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const internal::Box cell{rect->left, y, std::int64_t{rect->left} + extents[i].width,
                             y + extents[i].height};
    if (target.dc->bk_mode == OPAQUE) {
      internal::PaintBoxSolid(*target.surface,
                              {std::max<std::int64_t>(cell.left, clip.left),
                               std::max<std::int64_t>(cell.top, clip.top),
                               std::min<std::int64_t>(cell.right, clip.right),
                               std::min<std::int64_t>(cell.bottom, clip.bottom)},
                              internal::ToPixel(target.dc->bk_color));
    }
    if (cell.top < clip.bottom && cell.bottom > clip.top && cell.left < clip.right &&
        cell.right > clip.left) {
      renderer->Draw(font->description, lines[i], rect->left, static_cast<int>(y),
                     target.dc->text_color, target.surface->View(), clip);
    }
    y += extents[i].height;
  }
  return static_cast<int>(height);
}

}  // namespace lumaveil::gdi
