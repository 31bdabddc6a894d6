#include "ui/win32/message_pump.h"

namespace lumaveil::win32 {

namespace {

void Dispatch(MSG& message) {
  HWND top = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (top != nullptr && (GetWindowLongW(top, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
      IsDialogMessageW(top, &message)) {
    return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

void RunPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      return;
    }
    Dispatch(message);
  }
}

int RunMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    Dispatch(message);
  }
  return int(message.wParam);
}

}  // namespace lumaveil::win32
