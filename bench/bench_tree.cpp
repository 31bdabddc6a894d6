#include "bench_tree.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

namespace lumaveil::bench {

bool MakeTree(const std::string& root, const std::string& contents) {
  if (mkdir(root.c_str(), 0755) != 0) return false;
  for (int a = 0; a < kFanOut; ++a) {
    const std::string first = root + "/a" + std::to_string(a);
    if (mkdir(first.c_str(), 0755) != 0) return false;
    for (int b = 0; b < kFanOut; ++b) {
      const std::string second = first + "/b" + std::to_string(b);
      if (mkdir(second.c_str(), 0755) != 0) return false;
      for (int c = 0; c < kFanOut; ++c) {
        const std::string third = second + "/c" + std::to_string(c);
        if (mkdir(third.c_str(), 0755) != 0) return false;
        for (int f = 0; f < kFilesPerFolder; ++f) {
          const std::string file = third + "/file" + std::to_string(f) + ".doc";
          const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
          if (fd < 0) return false;
          const bool written =
              contents.empty() ||
              write(fd, contents.data(), contents.size()) == static_cast<ssize_t>(contents.size());
          close(fd);
          if (!written) return false;
        }
      }
    }
  }
  return true;
}

namespace {

std::string DeepName(char letter, int nameBytes) { return std::string(nameBytes, letter); }

}  // namespace

bool MakeDeepTree(const std::string& root, int levels, int nameBytes) {
  if (mkdir(root.c_str(), 0755) != 0) return false;
  int folder = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  const std::string folderName = DeepName('d', nameBytes);
  const std::string fileName = DeepName('f', nameBytes);
  for (int level = 0; folder >= 0 && level < levels; ++level) {
    const int child = mkdirat(folder, folderName.c_str(), 0755) == 0
                          ? openat(folder, folderName.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                          : -1;
    const int file = child >= 0 ? openat(child, fileName.c_str(),
                                         O_WRONLY | O_CREAT | O_CLOEXEC, 0644)
                                : -1;
    if (file >= 0) close(file);
    close(folder);
    folder = file >= 0 ? child : -1;
    if (file < 0 && child >= 0) close(child);
  }
  if (folder < 0) return false;
  close(folder);
  return true;
}

void RemoveDeepTree(const std::string& root) {
  // Each level's sub-folder is moved up beside the root before the level is removed, so the
  // chain shortens from the top and no path ever grows.
  const std::filesystem::path top(root);
  const int parent = open(top.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (parent < 0) return;
  const std::string current = top.filename().string();
  const std::string next = current + ".next";
  for (;;) {
    const int folder = openat(parent, current.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) break;
    std::vector<std::string> names;
    if (DIR* stream = fdopendir(dup(folder))) {
      while (const dirent* entry = readdir(stream)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
      }
      closedir(stream);
    }
    bool moved = false;
    for (const std::string& name : names) {
      if (unlinkat(folder, name.c_str(), 0) == 0) continue;
      if (!moved) moved = renameat(folder, name.c_str(), parent, next.c_str()) == 0;
    }
    close(folder);
    unlinkat(parent, current.c_str(), AT_REMOVEDIR);
    if (!moved || renameat(parent, next.c_str(), parent, current.c_str()) != 0) break;
  }
  close(parent);
}

}  // namespace lumaveil::bench
