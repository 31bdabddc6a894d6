#include "ui/qt/pass_label.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <chrono>

namespace lumaveil::app {

namespace {

// Paths seldom have blanks, so a long one breaks wherever the label's width ends.
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWrapAnywhere;
// More characters than a few lines of the label hold.
constexpr qsizetype kFirstHead = 512;

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

QString PassLabel::ShownText() const {
  // Lines wrap one after the other, so a head that runs a whole line past the bottom edge shows
  // exactly what the whole text would; the head doubles until it does.
  const QFontMetrics metrics(font());
  const int enough = height() + 2 * metrics.lineSpacing();
  for (qsizetype length = kFirstHead; length < text_.size(); length *= 2) {
    const qsizetype cut = text_.at(length - 1).isHighSurrogate() ? length - 1 : length;
    QString head = text_.left(cut);
    if (metrics.boundingRect(rect(), kTextFlags, head).height() >= enough) return head;
  }
  return text_;
}

void PassLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(color_);
  painter.setFont(font());
  painter.drawText(rect(), kTextFlags, ShownText());
}

}  // namespace lumaveil::app
