// The host surface of a PrgBar on the desktop: a widget that owns the control's window (its
// device context and pixels in the device-context layer), raises the control's Resize and Paint
// events, and shows the window's pixels in its own paint event.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "progressbar/prgbar.h"
#include "progressbar/property_bag.h"
#include "progressbar/window_surface.h"

namespace lumaveil::qt {

class PrgbarWidget : public QWidget {
  Q_OBJECT

 public:
  explicit PrgbarWidget(QWidget* parent = nullptr);
  ~PrgbarWidget() override;

  progressbar::PrgBar& Bar() { return *bar_; }
  // The stored design-time settings of this instance; lets a RunTimeError through.
  void ReadProperties(const progressbar::PropertyBag& bag);

  // The bar's value, the one property a running program changes; setting it shows the new
  // picture at the next paint.
  std::int32_t value() const { return bar_->value(); }
  void SetValue(std::int32_t value);

  // The window's pixels as last drawn by the control.
  QImage Picture() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QSize DevicePixels() const;

  progressbar::WindowSurface surface_;
  // Declared after the surface: the control terminates before its window goes.
  std::unique_ptr<progressbar::PrgBar> bar_;
};

}  // namespace lumaveil::qt
