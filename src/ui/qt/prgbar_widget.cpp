#include "ui/qt/prgbar_widget.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/gdi/gdi.h"

namespace lumaveil::qt {

PrgbarWidget::PrgbarWidget(QWidget* parent)
    : QWidget(parent),
      surface_(std::max(1, width()), std::max(1, height())),
      bar_(std::make_unique<progressbar::PrgBar>(surface_)) {
  // Every pixel comes from the control's window: nothing of the parent shows through.
  setAttribute(Qt::WA_OpaquePaintEvent);
  surface_.OnPropertyChanged([this](std::string_view) { update(); });
}

PrgbarWidget::~PrgbarWidget() = default;

void PrgbarWidget::ReadProperties(const progressbar::PropertyBag& bag) {
  bar_->UserControl_ReadProperties(bag);
  update();
}

void PrgbarWidget::SetValue(std::int32_t value) {
  bar_->SetValue(value);
  update();
}

QSize PrgbarWidget::DevicePixels() const {
  const double ratio = devicePixelRatioF();
  return QSize(std::max(1, static_cast<int>(std::lround(width() * ratio))),
               std::max(1, static_cast<int>(std::lround(height() * ratio))));
}

void PrgbarWidget::resizeEvent(QResizeEvent*) {
  const QSize pixels = DevicePixels();
  surface_.Resize(pixels.width(), pixels.height());
  bar_->UserControl_Resize();
}

QImage PrgbarWidget::Picture() const {
  const gdi::PixelBuffer buffer = gdi::SurfacePixels(surface_.hDC());
  if (buffer.pixels == nullptr || buffer.width <= 0 || buffer.height <= 0) return QImage();
  QImage image(buffer.width, buffer.height, QImage::Format_RGB32);
  for (int row = 0; row < buffer.height; ++row) {
    const std::uint32_t* in = buffer.pixels + static_cast<std::ptrdiff_t>(row) * buffer.width;
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
    // The layer keeps the top byte 0; Qt's 32-bit RGB wants it opaque.
    for (int column = 0; column < buffer.width; ++column) out[column] = in[column] | 0xFF000000u;
  }
  return image;
}

void PrgbarWidget::paintEvent(QPaintEvent*) {
  bar_->UserControl_Paint();
  QImage picture = Picture();
  if (picture.isNull()) return;
  picture.setDevicePixelRatio(devicePixelRatioF());
  QPainter painter(this);
  painter.drawImage(QPointF(0, 0), picture);
}

}  // namespace lumaveil::qt
