// SplashScreen: the borderless window the program opens first. A timer fills its progress bar
// in steps of 5 every 250 ms with a fixed animation of captions; at 100 the window unloads itself
// and hands over to the main window.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

namespace lumaveil::qt {
class PrgbarWidget;
}

namespace lumaveil::app {

class SplashScreen : public QWidget {
  Q_OBJECT

 public:
  // Runs after the splash window has been unloaded: shows the main window.
  using HandOver = std::function<void()>;

  // Loads the window, its stored progress bar P2 included (a RunTimeError from the stored
  // settings goes to the caller), and starts Timer1.
  explicit SplashScreen(HandOver handOver);
  ~SplashScreen() override;

  // Shows the window at the centre of the screen.
  void ShowCentred();

  // The tick of Timer1.
  void Timer1_Timer();

  QLabel* LblLoad() const { return lblLoad_; }
  QLabel* lblProcess() const { return lblProcess_; }
  qt::PrgbarWidget* P2() const { return p2_; }
  QTimer& Timer1() { return timer1_; }
  bool Unloaded() const { return unloaded_; }

 private:
  void Unload();

  HandOver handOver_;
  QLabel* lblLoad_ = nullptr;
  QLabel* lblProcess_ = nullptr;
  qt::PrgbarWidget* p2_ = nullptr;
  QTimer timer1_;
  bool unloaded_ = false;
};

}  // namespace lumaveil::app
