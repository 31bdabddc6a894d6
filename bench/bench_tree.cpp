#include "bench_tree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

}  // namespace lumaveil::bench
