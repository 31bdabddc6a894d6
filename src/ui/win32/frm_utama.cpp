#include "ui/win32/frm_utama.h"

#include "common/text_encoding.h"
#include "platform/gdi/types.h"
#include "ui/common/counter_layout.h"
#include "ui/common/path_label_text.h"
#include "ui/win32/form_layout.h"
#include "ui/win32/message_pump.h"
#include "ui/win32/pictures.h"
#include "ui/win32/resources.h"

namespace lumaveil::win32 {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                         WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
constexpr int kClientWidth = 5910;
constexpr int kClientHeight = 6000;
constexpr int kPathBoxTop = 3240;
constexpr int kGapAbovePathBox = 60;
constexpr UINT kExpandActions = 0x0003;  // TVE_COLLAPSE | TVE_EXPAND

std::wstring Wide(const std::string& utf8) {
  return text::Utf8ToUtf16(utf8).value_or(std::wstring());
}

HMENU AddPopup(HMENU bar, const wchar_t* caption, int item_id, const wchar_t* item) {
  HMENU popup = CreatePopupMenu();
  AppendMenuW(popup, MF_STRING, UINT_PTR(item_id), item);
  AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption);
  return popup;
}

// The '*' key would open every node below the chosen one, each opening adding the level below
// it, and so walk the whole drive with the window frozen; here it opens the one node.
LRESULT CALLBACK TreeKeys(HWND tree, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                          DWORD_PTR) {
  if (message == WM_KEYDOWN && wparam == VK_MULTIPLY) {
    const auto chosen = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (chosen != nullptr) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, LPARAM(chosen));
    return 0;
  }
  return DefSubclassProc(tree, message, wparam, lparam);
}

// The desktop's message font, the font Windows gives push buttons.
Font ButtonFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return TahomaFont(dpi);
  }
  LOGFONTW font = metrics.lfMessageFont;
  font.lfHeight = MulDiv(font.lfHeight, int(dpi), int(SystemDpi()));
  return Font(CreateFontIndirectW(&font));
}

}  // namespace

FrmUtama::FrmUtama(fs::FileSystem& file_system, attrib::FolderPicker& picker,
                   EndProgram end_program, TopLevelWindows& windows)
    : file_system_(file_system),
      picker_(picker),
      end_program_(std::move(end_program)),
      windows_(windows),
      dpi_(SystemDpi()),
      banner_(LoadPicture(IDB_BANNER)),
      images_(CreateMainImageList()) {
  BuildMenus();
  const SIZE outer = OuterSize(TwipLayout(dpi_).Pixels(kClientWidth),
                               TwipLayout(dpi_).Pixels(kClientHeight), kStyle, kExStyle, true,
                               dpi_);
  Create(L"LumaveilMain", kExStyle, kStyle, L"Lumaveil V.1.0", CW_USEDEFAULT, CW_USEDEFAULT,
         outer.cx, outer.cy, nullptr, menu_, GetSysColorBrush(COLOR_BTNFACE));
  windows_.Opened();
  // The window may have come up on a monitor of another dpi than the system's.
  if (const UINT dpi = WindowDpi(hwnd()); dpi != dpi_) {
    dpi_ = dpi;
    const SIZE resized = OuterSize(TwipLayout(dpi_).Pixels(kClientWidth),
                                   TwipLayout(dpi_).Pixels(kClientHeight), kStyle, kExStyle,
                                   true, dpi_);
    SetWindowPos(hwnd(), nullptr, 0, 0, resized.cx, resized.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  commands_ = std::make_unique<attrib::ScanCommands>(file_system_, *this);
  BuildControls();
  Layout();
  tree_handlers_->Form_Load();
}

FrmUtama::~FrmUtama() {
  // The tree view does not own its image list.
  if (images_ != nullptr) ImageList_Destroy(images_);
}

void FrmUtama::BuildMenus() {
  menu_ = CreateMenu();
  AddPopup(menu_, L"File", kMnQScanId, L"Quick Scan");
  AddPopup(menu_, L"Help", kMnAboutId, L"About");
  AddPopup(menu_, L"Exit", kMnExiteId, L"Exit");
}

void FrmUtama::BuildControls() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto child = [&](const wchar_t* class_name, const wchar_t* text, DWORD style,
                         DWORD ex_style, int id) {
    return CreateWindowExW(ex_style, class_name, text,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  };
  // Created in the keyboard's order: tree, path box, Archive, Read-Only, Hidden, System, Scan,
  // Stop. Labels take no focus and come after them.
  tree_ = child(WC_TREEVIEWW, L"",
                WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE, kTreeId);
  SendMessageW(tree_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_));
  SetWindowSubclass(tree_, TreeKeys, 0, 0);
  path_box_ = child(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kPathBoxId);
  const wchar_t* captions[] = {L"Archive", L"Read-Only", L"Hidden", L"System"};
  for (int i = 0; i < 4; ++i) {
    check1_[i] = child(L"BUTTON", captions[i], WS_TABSTOP | BS_AUTOCHECKBOX, 0, kCheck1Id + i);
  }
  command1_[0] = child(L"BUTTON", L"Scan", WS_TABSTOP | BS_PUSHBUTTON, 0, kCommand1Id);
  command1_[1] = child(L"BUTTON", L"Stop", WS_TABSTOP | BS_PUSHBUTTON, 0, kCommand1Id + 1);

  const COLORREF black = gdi::RGB(0, 0, 0);
  using Fit = Label::Fit;
  using Repaint = Label::Repaint;
  label2_ = std::make_unique<Label>(hwnd(), kLabel2Id, L"Lumaveil", Fit::Clip, Repaint::AtOnce,
                                    black);
  lbl_value1_ = std::make_unique<Label>(hwnd(), kLblValue1Id, L": 0", Fit::Clip,
                                        Repaint::OncePerFrame, black);
  lbl_info3_ = std::make_unique<Label>(hwnd(), kLblInfo3Id, L"Fle(s)", Fit::Clip,
                                       Repaint::AtOnce, black);
  label1_ = std::make_unique<Label>(hwnd(), kLabel1Id, L"Set Attribute For File / Folder",
                                    Fit::Clip, Repaint::AtOnce, black);
  lbl_file_name_ = std::make_unique<Label>(hwnd(), kLblFileNameId, L"", Fit::PathTail,
                                           Repaint::OncePerFrame, GetSysColor(COLOR_WINDOWTEXT));
  lbl_dir_ = std::make_unique<Label>(hwnd(), kLblDirId, L"", Fit::Clip, Repaint::AtOnce, black);

  nodes_ = std::make_unique<Win32TreeView>(tree_);
  tree_handlers_ = std::make_unique<tree::FolderTree>(file_system_, *nodes_, *this, *this);
}

void FrmUtama::Layout() {
  const TwipLayout layout(dpi_);
  tahoma_ = TahomaFont(dpi_);
  arial_title_ = ArialTitleFont(dpi_);
  button_font_ = ButtonFont(dpi_);

  layout.Place(tree_, 0, 1920, 5880, kPathBoxTop - kGapAbovePathBox - 1920);
  layout.Place(path_box_, 120, kPathBoxTop, 5625, 285);
  const int box_left[] = {120, 120, 1470, 1470};
  const int box_top[] = {4365, 4605, 4365, 4605};
  for (int i = 0; i < 4; ++i) layout.Place(check1_[i], box_left[i], box_top[i], 1275, 195);
  layout.Place(command1_[0], 3240, 4320, 1215, 375);
  layout.Place(command1_[1], 4440, 4320, 1335, 375);
  for (HWND control : {tree_, path_box_, check1_[0], check1_[1], check1_[2], check1_[3]}) {
    SendMessageW(control, WM_SETFONT, WPARAM(tahoma_.get()), TRUE);
  }
  for (HWND button : command1_) SendMessageW(button, WM_SETFONT, WPARAM(button_font_.get()), TRUE);

  label2_->Place(layout.Rect(120, 1200, 4575, 495));
  label2_->SetFont(arial_title_.get());
  lbl_dir_->Place(layout.Rect(120, 4920, 4575, 255));
  label1_->Place(layout.Rect(120, 4080, 2100, 195));
  lbl_file_name_->Place(layout.Rect(0, 5280, 5895, 615));
  for (Label* label : {lbl_dir_.get(), label1_.get(), lbl_file_name_.get(), lbl_value1_.get(),
                       lbl_info3_.get()}) {
    label->SetFont(tahoma_.get());
  }

  // The counter's box holds the largest count whole (ui/common/counter_layout.h).
  lbl_value1_->Place(layout.Rect(ui::kCountBox.left, ui::kCountBox.top, ui::kCountBox.width,
                                 ui::kCountBox.height));
  lbl_info3_->Place(layout.Rect(ui::kCountCaptionBox.left, ui::kCountCaptionBox.top,
                                ui::kCountCaptionBox.width, ui::kCountCaptionBox.height));
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void FrmUtama::ShowCentred() {
  CentreOnScreen(hwnd());
  ShowWindow(hwnd(), SW_SHOW);
  UpdateWindow(hwnd());
  SetFocus(tree_);
}

void FrmUtama::PaintBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  DrawPicture(dc, banner_.get(), TwipLayout(dpi_).Rect(0, 0, 5925, 1845));
}

void FrmUtama::Command1_Click(int index) {
  if (index != 0) {
    commands_->Command1_Click(index);
    return;
  }
  // A close asked for during the pass happens after it, with everything put back.
  closing_.RunScan([&] { commands_->Command1_Click(index); }, [this] { DestroyWindow(hwnd()); });
}

void FrmUtama::MnQScan_Click() {
  const std::string chosen = attrib::BrowseForFolder(
      picker_, reinterpret_cast<attrib::WindowHandle>(hwnd()), attrib::kQuickScanPrompt);
  commands_->TargetPath = chosen;
  if (chosen.empty()) return;
  SetWindowTextW(path_box_, Wide(chosen).c_str());
  EnableMenuItem(menu_, 0, MF_BYPOSITION | MF_GRAYED);
  DrawMenuBar(hwnd());
}

void FrmUtama::MnAbout_Click() {
  about_.Open(windows_).Show();
}

void FrmUtama::MnExite_Click() { end_program_(); }

bool FrmUtama::IsTicked(attrib::Attribute attribute) {
  return SendMessageW(check1_.at(attrib::BoxIndex(attribute)), BM_GETCHECK, 0, 0) !=
         BST_UNCHECKED;
}

// The label shows the end of a path too long for it, so only the path's last bytes are copied.
void FrmUtama::ShowCurrentFile(std::string_view folder, std::string_view name) {
  lbl_file_name_->SetText(Wide(ui::PathLabelTail(folder, name)));
}

void FrmUtama::ShowFileCount(const std::string& text) { lbl_value1_->SetText(Wide(text)); }

void FrmUtama::PumpEvents() {
  if (pump_gate_.Due(ui::EventPumpGate::Clock::now())) RunPendingMessages();
}

std::string FrmUtama::EnteredPath() {
  std::wstring text(std::size_t(GetWindowTextLengthW(path_box_)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(path_box_, text.data(), int(text.size()))));
  return fs::DisplayText(text);
}

void FrmUtama::ShowWarning(const std::string& text, const std::string& title) {
  MessageBoxW(hwnd(), Wide(text).c_str(), Wide(title).c_str(), MB_OK | MB_ICONEXCLAMATION);
}

void FrmUtama::SetScanEnabled(bool enabled) { EnableWindow(command1_.at(0), enabled); }

void FrmUtama::SetBoxEnabled(attrib::Attribute attribute, bool enabled) {
  EnableWindow(check1_.at(attrib::BoxIndex(attribute)), enabled);
}

void FrmUtama::SetText(const std::string& text) {
  SetWindowTextW(path_box_, Wide(text).c_str());
}

void FrmUtama::Report(int number, const std::string& description) {
  MessageBoxW(hwnd(), Wide(description).c_str(), Wide(tree::ErrorTitle(number)).c_str(),
              MB_OK | MB_ICONSTOP);
}

LRESULT FrmUtama::TreeNotification(const NMHDR& header) {
  if (header.code == TVN_ITEMEXPANDEDW) {
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    const std::string key = nodes_->KeyOf(change.itemNew.hItem);
    if ((change.action & kExpandActions) == TVE_EXPAND) {
      tree_handlers_->tvFolders_Expand(key);
    } else if ((change.action & kExpandActions) == TVE_COLLAPSE) {
      tree_handlers_->tvFolders_Collapse(key);
    }
  } else if (header.code == NM_CLICK) {
    TVHITTESTINFO hit{};
    const DWORD at = GetMessagePos();
    hit.pt = POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    ScreenToClient(tree_, &hit.pt);
    SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.hItem != nullptr && (hit.flags & TVHT_ONITEM)) {
      tree_handlers_->tvFolders_NodeClick(nodes_->KeyOf(hit.hItem));
    }
  }
  return 0;
}

LRESULT FrmUtama::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      if (id == kCommand1Id || id == kCommand1Id + 1) {
        if (HIWORD(wparam) == BN_CLICKED) Command1_Click(id - kCommand1Id);
      } else if (id == kMnQScanId) {
        MnQScan_Click();
      } else if (id == kMnAboutId) {
        MnAbout_Click();
      } else if (id == kMnExiteId) {
        MnExite_Click();
      }
      return 0;  // Enter and Escape (IDOK, IDCANCEL) do nothing
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
      if (header.hwndFrom == tree_) return TreeNotification(header);
      break;
    }
    case WM_CTLCOLORSTATIC:
      // Check boxes on the window's own face colour.
      SetBkColor(reinterpret_cast<HDC>(wparam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case 0x02E0: {  // WM_DPICHANGED: the window moved to a monitor of another dpi
      dpi_ = HIWORD(wparam);
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(hwnd(), nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return 0;
    }
    case WM_CLOSE:
      if (closing_.CloseRequested([this] { SetStopRequested(true); })) DestroyWindow(hwnd());
      return 0;
    default:
      break;
  }
  return BackgroundWindow::HandleMessage(message, wparam, lparam);
}

void FrmUtama::Destroyed() { windows_.Closed(); }

}  // namespace lumaveil::win32
