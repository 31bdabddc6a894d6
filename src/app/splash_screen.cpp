#include "app/splash_screen.h"

#include <QGuiApplication>
#include <QLabel>

#include "app/form_label.h"
#include "app/program_pictures.h"
#include "app/stored_splash_bar.h"
#include "app/window_measures.h"
#include "platform/qt/prgbar_widget.h"

namespace lumaveil::app {

namespace {

constexpr int kTimer1IntervalMs = 250;
constexpr int kStep = 5;
constexpr int kFull = 100;

}  // namespace

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

  timer1_.setInterval(kTimer1IntervalMs);
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
  p2_->SetValue(p2_->value() + kStep);
  lblLoad_->setText(QString("Loading LMV System : %1% of 100%").arg(p2_->value()));
  if (p2_->value() == 10) {
    lblProcess_->setText("Scanning Components....");
  } else if (p2_->value() == 50) {
    lblProcess_->setText(" Please Wait ...");
  } else if (p2_->value() == 85) {
    lblProcess_->setText("Scanning Process Finished...");
  }
  // A bar whose stored limits keep it from ever showing exactly 100 would hold the program on
  // its splash for good: past 100, or stuck where it was, counts as full too.
  const std::int32_t now = p2_->value();
  if (now >= kFull || now == before) Unload();
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
