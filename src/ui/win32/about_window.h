// The About window: version, company and programmer in a frame, four lines on the program's
// purpose, and a place-of-origin line. It has no code of its own beyond its contents; it is
// closed with its close button.
#pragma once

#include <memory>
#include <vector>

#include "ui/win32/gdi_objects.h"
#include "ui/win32/label.h"
#include "ui/win32/top_level_windows.h"
#include "ui/win32/window.h"

namespace lumaveil::win32 {

class About : public BackgroundWindow {
 public:
  enum : int { kFrame1Id = 301, kImage1Id, kList1Id, kImage3Id, kFirstLabelId = 310 };

  explicit About(TopLevelWindows& windows);
  ~About() override;

  // Shows the window (centred the first time) and brings it to the front.
  void Show();


 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Destroyed() override;
  void PaintBackground(HDC dc) override;

 private:
  TopLevelWindows& windows_;
  UINT dpi_;
  Font tahoma_;
  Bitmap origin_;
  HICON icon_ = nullptr;
  std::vector<std::unique_ptr<Label>> labels_;
  bool shown_ = false;
};

}  // namespace lumaveil::win32
