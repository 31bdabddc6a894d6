#include "ui/win32/shell_folder_picker.h"

#include <memory>
#include <string>

#include "common/text_encoding.h"
#include "platform/fs/file_system.h"
#include "ui/win32/windows_api.h"

namespace lumaveil::win32 {

namespace {

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

}  // namespace

std::string ShellFolderPicker::Pick(attrib::WindowHandle owner, const std::string& prompt) {
  const std::wstring title = text::Utf8ToUtf16(prompt).value_or(std::wstring());
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
  return fs::DisplayText(std::wstring(path.get()));
}

}  // namespace lumaveil::win32
