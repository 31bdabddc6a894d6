#include "ui/qt/pass_label.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <chrono>

namespace lumaveil::app {

namespace {

RepaintThrottle::Clock::duration FrameOfPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  double hz = screen != nullptr ? screen->refreshRate() : 0;
  if (!(hz >= 1 && hz <= 1000)) hz = 60;
  return std::chrono::duration_cast<RepaintThrottle::Clock::duration>(
      std::chrono::duration<double>(1.0 / hz));
}

}  // namespace

PassLabel::PassLabel(const QString& text, QWidget* parent)
    : QWidget(parent), text_(text), throttle_(FrameOfPrimaryScreen()) {
  heldBack_.setSingleShot(true);
  connect(&heldBack_, &QTimer::timeout, this, &PassLabel::RepaintHeldBack);
}

void PassLabel::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  const auto now = RepaintThrottle::Clock::now();
  if (throttle_.Change(now)) {
    heldBack_.stop();
    update();
    return;
  }
  if (!heldBack_.isActive()) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(throttle_.Due() - now);
    heldBack_.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
  }
}

void PassLabel::SetTextColor(const QColor& color) {
  color_ = color;
  update();
}

void PassLabel::RepaintHeldBack() {
  throttle_.Flushed(RepaintThrottle::Clock::now());
  update();
}

void PassLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(color_);
  painter.setFont(font());
  // Paths seldom have blanks, so a long one breaks wherever the label's width ends.
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere, text_);
}

}  // namespace lumaveil::app
