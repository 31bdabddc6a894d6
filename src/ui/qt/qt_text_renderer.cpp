#include "ui/qt/qt_text_renderer.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

namespace lumaveil::qt {

namespace {

QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Font weights are given on the 100-900 scale; Qt 6 uses the same numbers.
QFont::Weight ToQtWeight(int weight) {
  return static_cast<QFont::Weight>(std::clamp(weight, 100, 900));
}

}  // namespace

QFont QtTextRenderer::ToQFont(const gdi::FontDescription& font) const {
  QFont result(QString::fromStdString(font.face));
  result.setStyleHint(QFont::SansSerif);
  // The em height in pixels, as the platform turns a point size into a font height.
  const int pixels = static_cast<int>(std::lround(font.point_size * dpi_ / 72.0));
  result.setPixelSize(std::max(1, pixels));
  result.setWeight(ToQtWeight(font.weight));
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStrikeOut(font.strikethrough);
  return result;
}

gdi::TextExtent QtTextRenderer::Measure(const gdi::FontDescription& font,
                                        std::string_view utf8) const {
  const QFontMetrics metrics(ToQFont(font));
  return gdi::TextExtent{metrics.horizontalAdvance(FromUtf8(utf8)), metrics.height()};
}

void QtTextRenderer::Draw(const gdi::FontDescription& font, std::string_view utf8, int x, int y,
                          gdi::COLORREF color, const gdi::PixelBuffer& target,
                          const gdi::RECT& clip) const {
  const int width = clip.right - clip.left;
  const int height = clip.bottom - clip.top;
  if (width <= 0 || height <= 0 || target.pixels == nullptr) return;

  // Glyphs are drawn as coverage onto a transparent layer the size of the clip, then blended
  // into the buffer by hand: the buffer's top byte stays 0, as the layer keeps its pixels.
  QImage coverage(width, height, QImage::Format_ARGB32_Premultiplied);
  coverage.fill(Qt::transparent);
  {
    QPainter painter(&coverage);
    const QFont qfont = ToQFont(font);
    painter.setFont(qfont);
    painter.setPen(Qt::white);
    const QFontMetrics metrics(qfont);
    painter.drawText(QPointF(x - clip.left, y - clip.top + metrics.ascent()), FromUtf8(utf8));
  }

  const int red = gdi::GetRValue(color);
  const int green = gdi::GetGValue(color);
  const int blue = gdi::GetBValue(color);
  for (int row = 0; row < height; ++row) {
    const auto* cover = reinterpret_cast<const QRgb*>(coverage.constScanLine(row));
    std::uint32_t* out =
        target.pixels + static_cast<std::ptrdiff_t>(clip.top + row) * target.width + clip.left;
    for (int column = 0; column < width; ++column) {
      const int alpha = qAlpha(cover[column]);
      if (alpha == 0) continue;
      const std::uint32_t under = out[column];
      const auto mix = [alpha](int over, int below) {
        return (over * alpha + below * (255 - alpha) + 127) / 255;
      };
      const int r = mix(red, static_cast<int>((under >> 16) & 0xFF));
      const int g = mix(green, static_cast<int>((under >> 8) & 0xFF));
      const int b = mix(blue, static_cast<int>(under & 0xFF));
      out[column] = (static_cast<std::uint32_t>(r) << 16) |
                    (static_cast<std::uint32_t>(g) << 8) | static_cast<std::uint32_t>(b);
    }
  }
}

}  // namespace lumaveil::qt
