// Shared by the Windows program's window tests: the windows' setting up, a picker with a scripted
// answer, and a watcher that reads and closes every message box the code under test opens.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fs/file_system.h"
#include "ui/win32/desktop_drawing.h"
#include "ui/win32/frm_utama.h"
#include "ui/win32/message_pump.h"
#include "ui/win32/top_level_windows.h"
#include "ui/win32/window.h"
// Raw Windows calls of the fs tests come after the program's own headers (see windows_api.h).
#include "platform/fs/win32_fs_test_support.h"

namespace lumaveil::win32::testing {

inline void SetUpWindows() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    InstallDesktopDrawing(SystemDpi());
    return true;
  }();
  (void)done;
}

inline std::wstring TextOf(HWND window) {
  std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct ScriptedPicker : attrib::FolderPicker {
  std::string Pick(attrib::WindowHandle, const std::string& prompt) override {
    prompts.push_back(prompt);
    return answer;
  }
  std::string answer;
  std::vector<std::string> prompts;
};

// Every message box opened on this thread while the watcher lives: its title, its text and
// whether it shows an icon; each is closed with OK as soon as it is up.
class MessageBoxWatcher {
 public:
  struct Box {
    std::wstring title;
    std::wstring text;
    HICON icon = nullptr;
  };

  MessageBoxWatcher() {
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, &MessageBoxWatcher::Hook, nullptr, GetCurrentThreadId());
  }
  ~MessageBoxWatcher() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
  }
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  const std::vector<Box>& Boxes() const { return boxes_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && current_ != nullptr) {
      HWND box = reinterpret_cast<HWND>(wparam);
      if (ClassOf(box) == L"#32770") current_->Read(box);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }

  void Read(HWND window) {
    Box box;
    box.title = TextOf(window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (ClassOf(child) != L"Static") continue;
      if (GetWindowLongW(child, GWL_STYLE) & SS_ICON) {
        box.icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
      } else if (box.text.empty()) {
        box.text = TextOf(child);
      }
    }
    boxes_.push_back(box);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
  }

  static inline MessageBoxWatcher* current_ = nullptr;
  HHOOK hook_ = nullptr;
  std::vector<Box> boxes_;
};

// The main window over the real file system, with a scripted picker; Exit only counts.
class FrmUtamaFixture {
 public:
  FrmUtamaFixture() : file_system_(fs::CreateFileSystem()) {
    SetUpWindows();
    window_ = std::make_unique<FrmUtama>(*file_system_, picker_, [this] { ++exits_; }, windows_);
    window_->ShowCentred();
    RunPendingMessages();
  }

  FrmUtama& Window() { return *window_; }
  ScriptedPicker& Picker() { return picker_; }
  TopLevelWindows& Windows() { return windows_; }
  int Exits() const { return exits_; }
  HWND Control(int id) const { return window_->Control(id); }
  void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  void SetPath(const std::wstring& path) { SetWindowTextW(Control(FrmUtama::kPathBoxId), path.c_str()); }

 private:
  std::unique_ptr<fs::FileSystem> file_system_;
  ScriptedPicker picker_;
  TopLevelWindows windows_{nullptr};
  int exits_ = 0;
  std::unique_ptr<FrmUtama> window_;
};

}  // namespace lumaveil::win32::testing
