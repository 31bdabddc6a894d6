#include "ui/win32/gdi_text_renderer.h"

#include <algorithm>
#include <cstring>

#include "common/text_encoding.h"

namespace lumaveil::win32 {

namespace {

std::wstring Wide(std::string_view utf8) {
  return text::Utf8ToUtf16(utf8).value_or(std::wstring());
}

}  // namespace

GdiTextRenderer::GdiTextRenderer(UINT dpi) : dpi_(dpi), dc_(CreateCompatibleDC(nullptr)) {}

HFONT GdiTextRenderer::FontFor(const gdi::FontDescription& font) const {
  const std::string key = font.face + '|' + std::to_string(font.point_size) + '|' +
                          std::to_string(font.weight) + '|' + char('0' + font.italic) +
                          char('0' + font.underline) + char('0' + font.strikethrough);
  auto found = fonts_.find(key);
  if (found == fonts_.end()) {
    found = fonts_
                .emplace(key, CreatePointFont(Wide(font.face).c_str(), font.point_size, font.weight,
                                              dpi_, font.italic, font.underline,
                                              font.strikethrough))
                .first;
  }
  return found->second.get();
}

gdi::TextExtent GdiTextRenderer::Measure(const gdi::FontDescription& font,
                                         std::string_view utf8) const {
  Selection selected(dc_.get(), FontFor(font));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_.get(), &metrics);
  const std::wstring text = Wide(utf8);
  SIZE size{0, 0};
  if (!text.empty()) GetTextExtentPoint32W(dc_.get(), text.c_str(), int(text.size()), &size);
  return gdi::TextExtent{size.cx, metrics.tmHeight};
}

void GdiTextRenderer::Draw(const gdi::FontDescription& font, std::string_view utf8, int x, int y,
                           gdi::COLORREF color, const gdi::PixelBuffer& target,
                           const gdi::RECT& clip) const {
  const int width = clip.right - clip.left;
  const int height = clip.bottom - clip.top;
  if (width <= 0 || height <= 0 || target.pixels == nullptr) return;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the layer keeps its rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  Bitmap section(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return;

  // A 32-bit DIB pixel is 0x00RRGGBB in memory order, as the layer's are: rows copy as they are.
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const auto row_of = [&](int row) {
    return target.pixels + static_cast<std::ptrdiff_t>(clip.top + row) * target.width + clip.left;
  };
  for (int row = 0; row < height; ++row) {
    std::memcpy(pixels + static_cast<std::ptrdiff_t>(row) * width, row_of(row),
                sizeof(std::uint32_t) * width);
  }
  {
    Selection selected_bitmap(dc_.get(), section.get());
    Selection selected_font(dc_.get(), FontFor(font));
    SetBkMode(dc_.get(), TRANSPARENT);
    SetTextColor(dc_.get(), color);
    SetTextAlign(dc_.get(), TA_LEFT | TA_TOP | TA_NOUPDATECP);
    const std::wstring text = Wide(utf8);
    TextOutW(dc_.get(), x - clip.left, y - clip.top, text.c_str(), int(text.size()));
    GdiFlush();
  }
  // GDI leaves the top byte of what it draws undefined; the layer keeps it 0.
  for (int row = 0; row < height; ++row) {
    const std::uint32_t* from = pixels + static_cast<std::ptrdiff_t>(row) * width;
    std::uint32_t* to = row_of(row);
    for (int column = 0; column < width; ++column) to[column] = from[column] & 0x00FFFFFFu;
  }
}

}  // namespace lumaveil::win32
