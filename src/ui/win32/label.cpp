#include "ui/win32/label.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "ui/win32/gdi_objects.h"

namespace lumaveil::win32 {

namespace {

constexpr UINT_PTR kHeldBackTimer = 1;

ui::RepaintThrottle::Clock::duration FrameOfScreen() {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  double hz = 0;
  if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) hz = mode.dmDisplayFrequency;
  // 0 and 1 stand for the hardware's default rate.
  if (!(hz >= 2 && hz <= 1000)) hz = 60;
  return std::chrono::duration_cast<ui::RepaintThrottle::Clock::duration>(
      std::chrono::duration<double>(1.0 / hz));
}

bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

Label::Label(HWND parent, int id, const std::wstring& text, Fit fit, Repaint repaint,
             COLORREF color)
    : text_(text), fit_(fit), repaint_(repaint), color_(color), throttle_(FrameOfScreen()) {
  Create(L"LumaveilLabel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, text.c_str(), 0, 0, 0, 0,
         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

void Label::SetText(const std::wstring& text) { SetWindowTextW(hwnd(), text.c_str()); }

void Label::SetFont(HFONT font) { SendMessageW(hwnd(), WM_SETFONT, WPARAM(font), TRUE); }

void Label::SetColor(COLORREF color) {
  color_ = color;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

void Label::Place(const RECT& rect) {
  SetWindowPos(hwnd(), nullptr, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Label::GrowToText() {
  SIZE size{0, 0};
  {
    const WindowDc dc(hwnd());
    Selection selected(dc.get(),
                       font_ != nullptr ? HGDIOBJ(font_) : GetStockObject(DEFAULT_GUI_FONT));
    GetTextExtentPoint32W(dc.get(), text_.c_str(), int(text_.size()), &size);
  }
  RECT place = RectInParent(hwnd());
  if (place.right - place.left >= size.cx) return;
  place.right = place.left + size.cx;
  Place(place);
}

void Label::TextChanged() {
  if (repaint_ == Repaint::AtOnce) {
    InvalidateRect(hwnd(), nullptr, FALSE);
    return;
  }
  const auto now = ui::RepaintThrottle::Clock::now();
  if (throttle_.Change(now)) {
    if (held_back_) KillTimer(hwnd(), kHeldBackTimer);
    held_back_ = false;
    InvalidateRect(hwnd(), nullptr, FALSE);
    return;
  }
  if (!held_back_) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(throttle_.Due() - now);
    SetTimer(hwnd(), kHeldBackTimer, UINT(std::max<long long>(wait.count(), 1)), nullptr);
    held_back_ = true;
  }
}

LRESULT Label::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const wchar_t*>(lparam);
      std::wstring next = text != nullptr ? text : L"";
      if (next != text_) {
        text_ = std::move(next);
        TextChanged();
      }
      return TRUE;
    }
    case WM_GETTEXTLENGTH:
      return LRESULT(text_.size());
    case WM_GETTEXT: {
      auto* buffer = reinterpret_cast<wchar_t*>(lparam);
      const std::size_t room = wparam;
      if (buffer == nullptr || room == 0) return 0;
      const std::size_t count = std::min(room - 1, text_.size());
      std::copy_n(text_.data(), count, buffer);
      buffer[count] = L'\0';
      return LRESULT(count);
    }
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_TIMER:
      if (wparam != kHeldBackTimer) break;
      KillTimer(hwnd(), kHeldBackTimer);
      held_back_ = false;
      throttle_.Flushed(ui::RepaintThrottle::Clock::now());
      InvalidateRect(hwnd(), nullptr, FALSE);
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd(), &paint);
      RECT client;
      GetClientRect(hwnd(), &client);
      if (client.right > 0 && client.bottom > 0) {
        // Drawn off screen first, so a label that changes for every file never flickers.
        MemoryDc buffer(CreateCompatibleDC(dc));
        Bitmap pixels(CreateCompatibleBitmap(dc, client.right, client.bottom));
        Selection selected(buffer.get(), pixels.get());
        Paint(buffer.get(), client);
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
      }
      EndPaint(hwnd(), &paint);
      return 0;
    }
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

void Label::Paint(HDC dc, const RECT& client) {
  // What the parent shows beneath the label.
  const RECT place = RectInParent(hwnd());
  POINT previous;
  SetViewportOrgEx(dc, -place.left, -place.top, &previous);
  SendMessageW(GetParent(hwnd()), WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT | PRF_ERASEBKGND);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);

  Selection selected(dc, font_ != nullptr ? HGDIOBJ(font_) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  RECT area = client;
  switch (fit_) {
    case Fit::Clip:
      DrawTextW(dc, text_.c_str(), int(text_.size()), &area, DT_LEFT | DT_TOP | DT_NOPREFIX |
                                                                DT_SINGLELINE);
      break;
    case Fit::WordWrap:
      DrawTextW(dc, text_.c_str(), int(text_.size()), &area,
                DT_LEFT | DT_TOP | DT_NOPREFIX | DT_WORDBREAK | DT_EDITCONTROL);
      break;
    case Fit::PathTail:
      DrawPathTail(dc, client);
      break;
  }
}

void Label::DrawPathTail(HDC dc, const RECT& client) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int line_height = std::max<int>(1, metrics.tmHeight);
  const int lines = std::max(1, int(client.bottom / line_height));
  int y = 0;
  for (const TextLine& line : PathTailLines(dc, text_, client.right, lines)) {
    TextOutW(dc, 0, y, text_.data() + line.start, line.length);
    y += line_height;
  }
}

std::vector<TextLine> PathTailLines(HDC dc, std::wstring_view text, int width, int lines) {
  width = std::max(1, width);
  lines = std::max(1, lines);
  // No glyph is narrower than a pixel, so a label never shows more than this many characters.
  const std::size_t most = std::size_t(lines) * std::size_t(width + 1);
  std::size_t at = text.size() > most ? text.size() - most : 0;
  if (at > 0 && at < text.size() && IsLowSurrogate(text[at])) ++at;

  std::vector<TextLine> broken;
  while (at < text.size()) {
    int fit = 0;
    SIZE size;
    const int rest = int(text.size() - at);
    GetTextExtentExPointW(dc, text.data() + at, rest, width, &fit, nullptr, &size);
    fit = std::clamp(fit, 1, rest);  // a glyph wider than the label still gets a line
    if (fit < rest && fit > 1 && IsLowSurrogate(text[at + fit])) --fit;
    broken.push_back(TextLine{at, fit});
    at += std::size_t(fit);
  }
  if (broken.size() > std::size_t(lines)) broken.erase(broken.begin(), broken.end() - lines);
  return broken;
}

}  // namespace lumaveil::win32
