// SplashScreen: the borderless window the program opens first. A timer fills its progress bar
// in steps of 5 every 250 ms with a fixed animation of captions; at 100 the window unloads itself
// and hands over to the main window.
#pragma once

#include <functional>
#include <memory>

#include "ui/win32/gdi_objects.h"
#include "ui/win32/label.h"
#include "ui/win32/prgbar_window.h"
#include "ui/win32/window.h"

namespace lumaveil::win32 {

class SplashScreen : public BackgroundWindow {
 public:
  // Runs after the splash window has been unloaded: shows the main window.
  using HandOver = std::function<void()>;

  // Loads the window, its stored progress bar P2 included (a RunTimeError from the stored
  // settings goes to the caller), and starts Timer1.
  explicit SplashScreen(HandOver hand_over);
  ~SplashScreen() override;

  // Shows the window at the centre of the screen.
  void ShowCentred();
  // The tick of Timer1.
  void Timer1_Timer();

  Label& LblLoad() { return *lbl_load_; }
  Label& lblProcess() { return *lbl_process_; }
  PrgbarWindow& P2() { return *p2_; }
  bool Unloaded() const { return unloaded_; }

  static constexpr int kLblLoadId = 201;
  static constexpr int kLabel2Id = 202;
  static constexpr int kLblProcessId = 203;
  static constexpr int kP2Id = 204;
  static constexpr UINT_PTR kTimer1 = 1;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void PaintBackground(HDC dc) override;

 private:
  void Unload();

  HandOver hand_over_;
  UINT dpi_;
  Bitmap picture_;
  Font tahoma_;
  std::unique_ptr<Label> lbl_load_;
  std::unique_ptr<Label> label2_;
  std::unique_ptr<Label> lbl_process_;
  std::unique_ptr<PrgbarWindow> p2_;
  bool unloaded_ = false;
};

}  // namespace lumaveil::win32
