#include "attrib/browse_for_folder.h"

#include <exception>

namespace lumaveil::attrib {

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string DriveFormFolderPath(const std::string& path) {
  // A picker that hands back a fixed-size buffer leaves NULs after the path.
  std::string result = path.substr(0, path.find('\0'));
  if (result.size() < 3 || !IsLetter(result[0]) || result[1] != ':' || result[2] != '\\') {
    return "";
  }
  while (result.size() > 3 && result.back() == '\\') result.pop_back();
  return result;
}

std::string BrowseForFolder(FolderPicker& picker, WindowHandle owner, const std::string& prompt) {
  try {
    return DriveFormFolderPath(picker.Pick(owner, prompt));
  } catch (const std::exception&) {
    return "";
  }
}

}  // namespace lumaveil::attrib
