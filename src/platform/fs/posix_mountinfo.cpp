// The kernel writes one mount per line: id, parent id, major:minor, root, mount point, mount
// options, any number of optional fields, a lone "-", then file-system type, source and
// super-block options. Blanks, tabs, newlines and backslashes inside a field are written as octal
// escapes, so splitting on blanks is safe.
#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/fs/mountinfo.h"

namespace lumaveil::fs {
namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// "\040" -> " "; a backslash not followed by three octal digits naming a byte stays as it is.
std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) &&
        IsOctal(field[i + 2]) && IsOctal(field[i + 3])) {
      const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      if (value <= 0xFF) {
        out += static_cast<char>(value);
        i += 3;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    if (pos == line.size()) break;
    const std::size_t end = std::min(line.find(' ', pos), line.size());
    fields.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return fields;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

bool ParseDevice(std::string_view text, unsigned& major, unsigned& minor) {
  const std::size_t colon = text.find(':');
  return colon != std::string_view::npos && ParseNumber(text.substr(0, colon), major) &&
         ParseNumber(text.substr(colon + 1), minor);
}

bool ParseLine(std::string_view line, MountEntry& entry) {
  const std::vector<std::string_view> fields = SplitFields(line);
  constexpr std::size_t kFixedFields = 6;
  std::size_t separator = kFixedFields;
  while (separator < fields.size() && fields[separator] != "-") ++separator;
  // The type, source and super-block options follow the separator, and nothing else does.
  if (separator + 4 != fields.size()) return false;
  if (!ParseNumber(fields[0], entry.mountId) || !ParseNumber(fields[1], entry.parentId) ||
      !ParseDevice(fields[2], entry.devMajor, entry.devMinor)) {
    return false;
  }
  entry.root = Unescape(fields[3]);
  entry.mountPoint = Unescape(fields[4]);
  entry.mountOptions = std::string(fields[5]);
  entry.fsType = Unescape(fields[separator + 1]);
  entry.source = Unescape(fields[separator + 2]);
  entry.superOptions = std::string(fields[separator + 3]);
  return !entry.root.empty() && entry.mountPoint.starts_with('/');
}

}  // namespace

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
  std::vector<MountEntry> entries;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find('\n', pos), text.size());
    MountEntry entry;
    if (ParseLine(text.substr(pos, end - pos), entry)) entries.push_back(std::move(entry));
    pos = end + 1;
  }
  return entries;
}

std::string ReadMountInfo(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

PseudoFs PseudoFsOfType(std::string_view fsType) {
  struct Pseudo {
    std::string_view type;
    PseudoFs kind;
  };
  static constexpr PseudoFs kFiles = PseudoFs::kWithFiles;
  static constexpr PseudoFs kNone = PseudoFs::kWithoutFiles;
  static constexpr Pseudo kTypes[] = {
      {"tmpfs", kFiles},      {"devtmpfs", kFiles},   {"ramfs", kFiles},
      {"overlay", kFiles},    {"hugetlbfs", kFiles},  {"proc", kNone},
      {"sysfs", kNone},       {"cgroup", kNone},      {"cgroup2", kNone},
      {"devpts", kNone},      {"mqueue", kNone},      {"squashfs", kNone},
      {"debugfs", kNone},     {"tracefs", kNone},     {"securityfs", kNone},
      {"pstore", kNone},      {"bpf", kNone},         {"configfs", kNone},
      {"fusectl", kNone},     {"autofs", kNone},      {"binfmt_misc", kNone},
      {"efivarfs", kNone},    {"nsfs", kNone},        {"rpc_pipefs", kNone},
      {"selinuxfs", kNone},   {"nfsd", kNone},
  };
  for (const Pseudo& pseudo : kTypes) {
    if (pseudo.type == fsType) return pseudo.kind;
  }
  return PseudoFs::kNo;
}

}  // namespace lumaveil::fs
