// Shared by the POSIX folder-handle and attribute tests: scratch folders that are always removed,
// descriptor counts, write checks made without root's privileges, and one mask's round trip.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/attributes_of.h"
#include "platform/fs/file_system.h"

namespace lumaveil::fs::testing {

// Removes `name` below the folder `dirFd` however deep it goes and whatever modes it carries.
inline void RemoveTree(int dirFd, const std::string& name) {
  struct stat st {};
  if (fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return;
  if (S_ISDIR(st.st_mode)) {
    fchmodat(dirFd, name.c_str(), 0700, 0);
    int sub = openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (sub >= 0) {
      if (DIR* stream = fdopendir(sub)) {
        std::vector<std::string> names;
        while (const dirent* entry = readdir(stream)) {
          std::string child = entry->d_name;
          if (child != "." && child != "..") names.push_back(child);
        }
        for (const std::string& child : names) RemoveTree(dirfd(stream), child);
        closedir(stream);
      } else {
        close(sub);
      }
    }
    unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
  } else {
    unlinkat(dirFd, name.c_str(), 0);
  }
}

// A fresh folder below `parent` (the system's temporary folder by default), removed with
// everything in it when the object goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& parent = std::filesystem::temp_directory_path()) {
    std::string pattern = parent + "/lumaveil-fs-XXXXXX";
    if (mkdtemp(pattern.data())) path_ = pattern;
  }
  ~ScratchFolder() {
    if (path_.empty()) return;
    std::filesystem::path p(path_);
    int parent = open(p.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent >= 0) {
      RemoveTree(parent, p.filename());
      close(parent);
    }
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// A tmpfs mounted over a scratch folder for as long as the object lives; Mounted() is false
// where this process may not mount.
class TmpfsMount {
 public:
  TmpfsMount() {
    if (!folder_.path().empty() &&
        mount("lumaveil-test", folder_.path().c_str(), "tmpfs", 0, "size=16m,mode=0755") == 0) {
      mounted_ = true;
    }
  }
  ~TmpfsMount() {
    if (mounted_) umount2(folder_.path().c_str(), MNT_DETACH);
  }
  bool Mounted() const { return mounted_; }
  const std::string& path() const { return folder_.path(); }

 private:
  ScratchFolder folder_;
  bool mounted_ = false;
};

inline int CountOpenFds() {
  int count = 0;
  if (DIR* stream = opendir("/proc/self/fd")) {
    while (const dirent* entry = readdir(stream)) {
      if (entry->d_name[0] != '.') ++count;
    }
    closedir(stream);
  }
  return count;
}

inline bool WriteFile(const std::string& path, const std::string& content, mode_t mode = 0644) {
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
  if (fd < 0) return false;
  bool ok = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()) &&
            fchmod(fd, mode) == 0;
  close(fd);
  return ok;
}

inline mode_t ModeOf(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return 0;
  return st.st_mode & 07777;
}

// The NTFS attribute value at `path` as the file system reports it, read apart from the layer.
inline std::optional<std::uint32_t> RawNtfsAttrib(const std::string& path) {
  std::uint32_t value = 0;
  if (lgetxattr(path.c_str(), "system.ntfs_attrib", &value, sizeof value) != sizeof value) {
    return std::nullopt;
  }
  return value;
}

inline std::optional<std::string> DosAttribValue(const std::string& path) {
  char buffer[256];
  ssize_t size = lgetxattr(path.c_str(), "user.DOSATTRIB", buffer, sizeof buffer);
  if (size < 0) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(size));
}

// Runs `check` in a child process once `become` has made it someone else. True when both are.
inline bool InChild(const std::function<bool()>& become, const std::function<bool()>& check) {
  pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) _exit(!become() ? 2 : check() ? 0 : 1);
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs `check` in a child process whose effective capabilities are all dropped, so that even
// as root it meets the file permissions an ordinary owner meets. True when `check` is.
inline bool InUnprivilegedChild(const std::function<bool()>& check) {
  return InChild(
      [] {
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct data[2] = {};
        if (syscall(SYS_capget, &header, data) != 0) return false;
        data[0].effective = 0;
        data[1].effective = 0;
        return syscall(SYS_capset, &header, data) == 0;
      },
      check);
}

inline constexpr uid_t kNobody = 65534;

// Runs `check` in a child process that has become the user (and group) `uid` with no
// supplementary groups; only root may do that. True when `check` is.
inline bool InChildAsUser(uid_t uid, const std::function<bool()>& check) {
  return InChild(
      [uid] { return setgroups(0, nullptr) == 0 && setgid(uid) == 0 && setuid(uid) == 0; },
      check);
}

inline bool CanOpenForWriting(const std::string& path) {
  int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  close(fd);
  return true;
}

// Gives the entries "file" and "folder" of `dir` the attributes `mask` and checks that both read
// back as the settable part of it, the file as Normal when that is none. Call it within
// ASSERT_NO_FATAL_FAILURE: a refused change ends the caller too.
inline void SetAndCheckMask(Directory& dir, std::uint32_t mask) {
  // 0x8 (volume) and 0x10 (directory) are not the caller's to set.
  const std::uint32_t settable = mask & attr::kSettable;
  ASSERT_TRUE(SetAttributes(dir, "file", mask)) << mask;
  ASSERT_TRUE(SetAttributes(dir, "folder", mask)) << mask;
  EXPECT_EQ(AttributesOf(dir, "file"), settable == 0 ? attr::kNormal : settable) << mask;
  EXPECT_EQ(AttributesOf(dir, "folder"), settable | attr::kDirectory) << mask;
}

}  // namespace lumaveil::fs::testing
