#include <windows.h>
// after windows.h, which it relies on
#include <shlobj.h>

#include <memory>
#include <string>

#include "attrib/browse_for_folder.h"

namespace lumaveil::attrib {

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring result(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), result.data(), n);
  return result;
}

std::string Utf8(const wchar_t* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string result(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, result.data(), n, nullptr, nullptr);
  result.resize(n - 1);
  return result;
}

struct CoTaskMemDeleter {
  void operator()(void* p) const { CoTaskMemFree(p); }
};
template <typename T>
using CoTaskMemPtr = std::unique_ptr<T, CoTaskMemDeleter>;

// The resizable picker needs COM on the calling thread; a thread that already has it keeps
// its own apartment.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

class ShellFolderPicker : public FolderPicker {
 public:
  std::string Pick(WindowHandle owner, const std::string& prompt) override {
    const std::wstring title = Wide(prompt);
    BROWSEINFOW info{};
    info.hwndOwner = reinterpret_cast<HWND>(owner);
    info.pidlRoot = nullptr;  // start at the desktop
    info.lpszTitle = title.c_str();
    // An edit box, the resizable dialog; items without a file-system path can be confirmed too
    // and come back empty.
    info.ulFlags = BIF_EDITBOX | BIF_NEWDIALOGSTYLE;

    ComApartment com;
    CoTaskMemPtr<ITEMIDLIST> list(SHBrowseForFolderW(&info));
    if (!list) return "";
    // The name is allocated to fit, so a path longer than MAX_PATH comes back whole.
    PWSTR raw_path = nullptr;
    if (FAILED(SHGetNameFromIDList(list.get(), SIGDN_FILESYSPATH, &raw_path))) return "";
    CoTaskMemPtr<wchar_t> path(raw_path);
    return Utf8(path.get());
  }
};

}  // namespace

std::unique_ptr<FolderPicker> CreateShellFolderPicker() {
  return std::make_unique<ShellFolderPicker>();
}

}  // namespace lumaveil::attrib
