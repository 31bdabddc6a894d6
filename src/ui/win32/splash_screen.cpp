#include "ui/win32/splash_screen.h"

#include "platform/gdi/types.h"
#include "ui/common/splash_ticks.h"
#include "ui/win32/form_layout.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resources.h"

namespace lumaveil::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

SplashScreen::SplashScreen(HandOver hand_over)
    : hand_over_(std::move(hand_over)),
      dpi_(SystemDpi()),
      picture_(LoadPicture(IDB_SPLASH)),
      tahoma_(TahomaFont(dpi_)) {
  const TwipLayout layout(dpi_);
  // No border and no title bar: the client area is the whole window.
  Create(L"LumaveilSplash", 0, kStyle, L"Lumaveil", 0, 0, layout.Pixels(4965),
         layout.Pixels(1560), nullptr, nullptr);

  const COLORREF black = gdi::RGB(0, 0, 0);
  lbl_load_ = std::make_unique<Label>(hwnd(), kLblLoadId,
                                      L"Please wait LMV is configuring environment.",
                                      Label::Fit::Clip, Label::Repaint::AtOnce, black);
  label2_ = std::make_unique<Label>(hwnd(), kLabel2Id, L"", Label::Fit::Clip,
                                    Label::Repaint::AtOnce, black);
  lbl_process_ = std::make_unique<Label>(hwnd(), kLblProcessId, L"", Label::Fit::Clip,
                                         Label::Repaint::AtOnce, black);
  p2_ = std::make_unique<PrgbarWindow>(hwnd(), kP2Id);
  lbl_load_->Place(layout.Rect(960, 120, 3975, 240));
  label2_->Place(layout.Rect(960, 360, 3855, 255));
  lbl_process_->Place(layout.Rect(120, 840, 3855, 195));
  for (Label* label : {lbl_load_.get(), label2_.get(), lbl_process_.get()}) {
    label->SetFont(tahoma_.get());
  }
  p2_->Place(layout.Rect(120, 1080, 3855, 255));
  p2_->ReadProperties(StoredSplashBar());

  SetTimer(hwnd(), kTimer1, ui::kSplashTimerIntervalMs, nullptr);
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::ShowCentred() {
  CentreOnScreen(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
}

void SplashScreen::Timer1_Timer() {
  if (unloaded_) return;
  const std::int32_t before = p2_->value();
  // Up to 100 in steps of 5 stays far inside the 32-bit range.
  p2_->SetValue(p2_->value() + ui::kSplashStep);
  const ui::SplashTick tick = ui::SplashTickAt(before, p2_->value());
  lbl_load_->SetText(Wide(tick.load_caption));
  if (tick.process_caption) lbl_process_->SetText(Wide(*tick.process_caption));
  if (tick.unload) Unload();
}

void SplashScreen::Unload() {
  unloaded_ = true;
  KillTimer(hwnd(), kTimer1);
  // Hidden at once, and destroyed once this tick's message is over.
  ShowWindow(hwnd(), SW_HIDE);
  PostMessageW(hwnd(), WM_CLOSE, 0, 0);
  if (hand_over_) hand_over_();
}

void SplashScreen::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  DrawPicture(dc, picture_.get(), TwipLayout(dpi_).Rect(0, 0, 4950, 1545));
}

LRESULT SplashScreen::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kTimer1) Timer1_Timer();
      return 0;
    default:
      return BackgroundWindow::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace lumaveil::win32
