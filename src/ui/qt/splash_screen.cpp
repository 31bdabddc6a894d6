#include "ui/qt/splash_screen.h"

#include <QGuiApplication>
#include <QLabel>

#include "ui/qt/form_label.h"
#include "ui/qt/program_pictures.h"
#include "ui/qt/stored_splash_bar.h"
#include "ui/qt/window_measures.h"
#include "ui/common/splash_ticks.h"
#include "ui/qt/prgbar_widget.h"

namespace lumaveil::app {

SplashScreen::SplashScreen(HandOver handOver)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), handOver_(std::move(handOver)) {
  setObjectName("SplashScreen");
  setWindowTitle("Lumaveil");
  setWindowIcon(ProgramIcon());
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
  setAutoFillBackground(true);

  const TwipScale scale = TwipScale::For(this);
  setFixedSize(scale.Size(4965, 1560));

  AddFormPicture(this, scale, "Image1", SplashPicture(), 0, 0, 4950, 1545)
      ->setScaledContents(true);

  lblLoad_ = AddFormLabel(this, scale, "LblLoad", "Please wait LMV is configuring environment.",
                          960, 120, 3975, 240);
  AddFormLabel(this, scale, "Label2", QString(), 960, 360, 3855, 255);
  lblProcess_ = AddFormLabel(this, scale, "lblProcess", QString(), 120, 840, 3855, 195);

  p2_ = new qt::PrgbarWidget(this);
  p2_->setObjectName("P2");
  scale.Place(p2_, 120, 1080, 3855, 255);
  p2_->ReadProperties(StoredSplashBar());

  timer1_.setInterval(ui::kSplashTimerIntervalMs);
  connect(&timer1_, &QTimer::timeout, this, &SplashScreen::Timer1_Timer);
  timer1_.start();
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::ShowCentred() {
  CentreOnScreen(this, QGuiApplication::primaryScreen());
  show();
}

void SplashScreen::Timer1_Timer() {
  if (unloaded_) return;
  const std::int32_t before = p2_->value();
  // Up to 100 in steps of 5 stays far inside the 32-bit range.
  p2_->SetValue(p2_->value() + ui::kSplashStep);
  const ui::SplashTick tick = ui::SplashTickAt(before, p2_->value());
  lblLoad_->setText(QString::fromStdString(tick.load_caption));
  if (tick.process_caption) lblProcess_->setText(QString::fromStdString(*tick.process_caption));
  if (tick.unload) Unload();
}

void SplashScreen::Unload() {
  unloaded_ = true;
  timer1_.stop();
  // Hidden rather than closed: closing the only window would end the program before the main
  // window is up.
  hide();
  deleteLater();
  if (handOver_) handOver_();
}

}  // namespace lumaveil::app
