// A fresh NTFS image made with mkntfs and mounted with ntfs-3g for as long as the object lives;
// shared by the ntfs-3g file-system tests, the pass's tests and the pass's benchmark.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace lumaveil::fs::testing {

class NtfsImage {
 public:
  // `folder` must exist and stay while the object lives; the image and mount point go in it.
  // A non-empty `label` names the volume.
  NtfsImage(const std::string& folder, long long bytes, const std::string& label = "")
      : mountPoint_(folder + "/ntfs") {
    const std::string mkntfs = FindTool("mkntfs");
    const std::string ntfs3g = FindTool("ntfs-3g");
    if (mkntfs.empty() || ntfs3g.empty()) {
      problem_ = "mkntfs or ntfs-3g is not installed";
      return;
    }
    const std::string image = folder + "/ntfs.img";
    const int fd = open(image.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const bool sized = fd >= 0 && ftruncate(fd, bytes) == 0;
    if (fd >= 0) close(fd);
    std::vector<std::string> format = {mkntfs, "-F", "-f", "-q"};
    if (!label.empty()) format.insert(format.end(), {"-L", label});
    format.push_back(image);
    if (!sized || !Run(format) ||
        mkdir(mountPoint_.c_str(), 0755) != 0 || !Run({ntfs3g, image, mountPoint_})) {
      problem_ = "cannot make or mount an NTFS image with ntfs-3g";
      return;
    }
    mounted_ = true;
  }
  ~NtfsImage() {
    if (mounted_ && umount(mountPoint_.c_str()) != 0) {
      Run({FindTool("fusermount"), "-u", "-z", mountPoint_});
    }
  }
  NtfsImage(const NtfsImage&) = delete;
  NtfsImage& operator=(const NtfsImage&) = delete;

  // Whether the tools are there at all; when they are, a mount that fails is a failure.
  bool ToolsMissing() const { return !mounted_ && problem_.starts_with("mkntfs"); }
  bool Mounted() const { return mounted_; }
  const std::string& Problem() const { return problem_; }
  const std::string& MountPoint() const { return mountPoint_; }

 private:
  static std::string FindTool(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(std::string(path ? path : "") + ":/usr/sbin:/sbin:/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
      const std::string candidate = dir + "/" + name;
      if (!dir.empty() && access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return "";
  }
  // Runs a program with its output discarded; true when it exits with 0.
  static bool Run(const std::vector<std::string>& args) {
    if (args.front().empty()) return false;
    const pid_t child = fork();
    if (child < 0) return false;
    if (child == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      std::vector<char*> argv;
      for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }

  std::string mountPoint_;
  std::string problem_;
  bool mounted_ = false;
};

}  // namespace lumaveil::fs::testing
