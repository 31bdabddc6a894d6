#include "ui/win32/about_window.h"

#include "platform/gdi/types.h"
#include "ui/win32/form_layout.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resources.h"

namespace lumaveil::win32 {

namespace {

// Not clipping its children: the frame paints only its outline, the window the face within it.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
const COLORREF kValueBlue = gdi::RGB(0, 0, 255);
const COLORREF kBlack = gdi::RGB(0, 0, 0);

struct LabelText {
  const wchar_t* text;
  int left, top, width, height;
  COLORREF color;
};

}  // namespace

About::About(TopLevelWindows& windows)
    : windows_(windows), dpi_(SystemDpi()), tahoma_(TahomaFont(dpi_)),
      origin_(LoadPicture(IDB_ORIGIN)) {
  const TwipLayout layout(dpi_);
  const SIZE outer = OuterSize(layout.Pixels(5865), layout.Pixels(2880), kStyle, kExStyle, false,
                               dpi_);
  Create(L"LumaveilAbout", kExStyle, kStyle, L"About", CW_USEDEFAULT, CW_USEDEFAULT, outer.cx,
         outer.cy, nullptr, nullptr, GetSysColorBrush(COLOR_BTNFACE));
  windows_.Opened();
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto child = [&](const wchar_t* class_name, const wchar_t* text, DWORD style,
                         DWORD ex_style, int id, int left, int top, int width, int height) {
    const RECT r = layout.Rect(left, top, width, height);
    HWND control = CreateWindowExW(ex_style, class_name, text,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                   nullptr);
    SendMessageW(control, WM_SETFONT, WPARAM(tahoma_.get()), FALSE);
    return control;
  };

  // Labels first, so they lie above the frame drawn around them.
  const LabelText texts[] = {
      {L"Core Engine", 1320, 240, 1215, 255, kBlack},
      {L"V . 1 . 0", 3120, 240, 1695, 255, kValueBlue},
      {L"Company ", 1320, 600, 1215, 375, kBlack},
      {L"Tandrel Technologie ", 3120, 600, 1575, 255, kValueBlue},
      {L"Programmer Name", 1320, 960, 1335, 255, kBlack},
      {L"Lumaveil developers", 3120, 960, 1455, 255, kValueBlue},
  };
  int id = kFirstLabelId;
  for (const LabelText& t : texts) {
    // Inside the frame: positions are the frame's (120, 120) plus the label's own.
    auto label = std::make_unique<Label>(hwnd(), id++, t.text, Label::Fit::Clip,
                                         Label::Repaint::AtOnce, t.color);
    label->Place(layout.Rect(120 + t.left, 120 + t.top, t.width, t.height));
    label->SetFont(tahoma_.get());
    label->GrowToText();
    labels_.push_back(std::move(label));
  }
  auto origin = std::make_unique<Label>(hwnd(), id++, L"Made in Indonesia", Label::Fit::Clip,
                                        Label::Repaint::AtOnce, kBlack);
  origin->Place(layout.Rect(480, 2520, 2295, 255));
  origin->SetFont(tahoma_.get());
  origin->GrowToText();
  labels_.push_back(std::move(origin));

  icon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                        layout.Pixels(480), layout.Pixels(480), 0));
  HWND image1 = child(L"STATIC", L"", SS_ICON | SS_REALSIZECONTROL, 0, kImage1Id, 120 + 360,
                      120 + 480, 480, 480);
  SendMessageW(image1, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon_));
  HWND image3 = child(L"STATIC", L"", SS_BITMAP | SS_REALSIZECONTROL, 0, kImage3Id, 120, 2520,
                      270, 180);
  SendMessageW(image3, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(origin_.get()));

  HWND list = child(L"LISTBOX", L"", WS_VSCROLL | LBS_NOINTEGRALHEIGHT | WS_TABSTOP,
                    WS_EX_CLIENTEDGE, kList1Id, 120, 1560, 5655, 840);
  for (const wchar_t* line :
       {L"Aplikasi ini bertujuan untuk Mencari File-file Hidden virus",
        L"Program ini tersedia 4 checklist yang memiliki Fungsi masing-masing ",
        L"untuk mengatur File-file yang ada di dalam folder menjadi Hidden , Read only ,",
        L"Archive , System"}) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }
  child(L"BUTTON", L"About : ", BS_GROUPBOX, 0, kFrame1Id, 120, 120, 5655, 1335);
}

About::~About() {
  if (icon_ != nullptr) DestroyIcon(icon_);
}

void About::Show() {
  if (!shown_) CentreOnScreen(hwnd());
  shown_ = true;
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

LRESULT About::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    default:
      return BackgroundWindow::HandleMessage(message, wparam, lparam);
  }
}

void About::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void About::Destroyed() { windows_.Closed(); }

}  // namespace lumaveil::win32
