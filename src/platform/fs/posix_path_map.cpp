#include "platform/fs/posix_path_map.h"

#include <algorithm>

namespace lumaveil::fs {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Names between separators with "." and empty names dropped and ".." taking one name back;
// ".." at the top stays at the top, as Windows resolves it.
std::vector<std::string> ResolveNames(std::string_view text) {
  std::vector<std::string> names;
  std::size_t pos = 0;
  while (pos <= text.size()) {
    std::size_t end = pos;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    const std::string_view name = text.substr(pos, end - pos);
    if (name == "..") {
      if (!names.empty()) names.pop_back();
    } else if (!name.empty() && name != ".") {
      names.emplace_back(name);
    }
    pos = end + 1;
  }
  return names;
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string DrivePath::Text() const {
  std::string text{letter, ':'};
  if (names.empty()) return text + '\\';
  for (const std::string& name : names) text += '\\' + name;
  return text;
}

std::string DrivePath::Name() const { return names.empty() ? std::string() : names.back(); }

bool HasDriveForm(const NativeName& name) {
  return name.find('\\') == NativeName::npos && name.find('\0') == NativeName::npos &&
         text::IsValidUtf8(name);
}

std::optional<DrivePath> ParseDrivePath(std::string_view text) {
  if (text.size() < 2 || !IsAsciiLetter(text[0]) || text[1] != ':') return std::nullopt;
  const std::string_view rest = text.substr(2);
  if (!rest.empty() && !IsSeparator(rest[0])) return std::nullopt;
  DrivePath path;
  path.letter = Upper(text[0]);
  path.names = ResolveNames(rest);
  if (!std::all_of(path.names.begin(), path.names.end(), HasDriveForm)) return std::nullopt;
  return path;
}

PathMap::PathMap(std::vector<Mount> mounts) {
  for (Mount& m : mounts) mounts_.push_back({Upper(m.letter), std::move(m.mountPoint)});
}

std::optional<std::string> PathMap::ToNative(const DrivePath& path) const {
  const auto mount = std::find_if(mounts_.begin(), mounts_.end(),
                                  [&](const Mount& m) { return m.letter == path.letter; });
  if (mount == mounts_.end() || mount->mountPoint.empty()) return std::nullopt;
  std::string native = mount->mountPoint;
  for (const std::string& name : path.names) {
    if (!native.ends_with('/')) native += '/';
    native += name;
  }
  return native;
}

}  // namespace lumaveil::fs
