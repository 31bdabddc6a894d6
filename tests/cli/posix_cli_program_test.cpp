// The built lumaveil-cli on Linux alone: permission modes, a file that cannot be changed, and
// names that are not text.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "cli/cli_run.h"
#include "platform/fs/attributes_of.h"
#include "platform/fs/native_folder.h"

namespace lumaveil::cli::testing {
namespace {

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Sets or clears the immutable flag; false where the file system or the process cannot.
bool SetImmutable(const std::string& path, bool on) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  int flags = 0;
  bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  close(fd);
  return done;
}

class PosixCliProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    target_ = (scratch_.Root() / "target").string();
    std::filesystem::create_directories(target_);
  }
  void MakeFile(const std::string& name, mode_t mode) {
    std::ofstream(target_ + "/" + name) << "x";
    ASSERT_EQ(chmod((target_ + "/" + name).c_str(), mode), 0);
  }

  Scratch scratch_;
  std::string target_;
};

TEST_F(PosixCliProgramTest, UndoGivesBackModesExactly) {
  // Modes a Read-Only round trip through the umask would not give back by itself.
  MakeFile("group-writes", 0620);
  MakeFile("others-write", 0606);
  MakeFile("read-only", 0444);
  MakeFile("runs", 0751);
  ASSERT_EQ(scratch_.Cli("-R -q " + Scratch::Quote(target_)).status, 0);
  EXPECT_EQ(ModeOf(target_ + "/group-writes"), 0400u);
  EXPECT_EQ(ModeOf(target_ + "/runs"), 0551u);

  const CliRun undo = scratch_.Cli("--undo");

  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_NE(undo.out.find("restored 3, already as before 0"), std::string::npos) << undo.out;
  EXPECT_EQ(ModeOf(target_ + "/group-writes"), 0620u);
  EXPECT_EQ(ModeOf(target_ + "/others-write"), 0606u);
  EXPECT_EQ(ModeOf(target_ + "/read-only"), 0444u);
  EXPECT_EQ(ModeOf(target_ + "/runs"), 0751u);
}

TEST_F(PosixCliProgramTest, AFileThatCannotBeChangedIsNamedOnStderrWithStatusOne) {
  MakeFile("free", 0644);
  MakeFile("stuck", 0644);
  const std::string stuck = target_ + "/stuck";
  if (SetImmutable(stuck, true)) {
    const CliRun run = scratch_.Cli("-H " + Scratch::Quote(target_));
    SetImmutable(stuck, false);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot change " + stuck + ": operation not permitted"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.out.find("files: 1 changed, 0 already right, 1 failed"), std::string::npos)
        << run.out;
    return;
  }
  // Where the immutable flag cannot be set (not root, or a file system without it), an
  // ordinary user meets a folder it may not open.
  ASSERT_NE(geteuid(), 0u) << "root could not make " << stuck << " immutable";
  const std::string locked = target_ + "/locked";
  ASSERT_EQ(mkdir(locked.c_str(), 0), 0);
  const CliRun run = scratch_.Cli("-H " + Scratch::Quote(target_));
  chmod(locked.c_str(), 0755);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot list " + locked + ": permission denied"), std::string::npos)
      << run.err;
}

TEST_F(PosixCliProgramTest, OddNamesAreEscapedOnOneLineAndStillUndone) {
  MakeFile("new\nline", 0644);
  MakeFile("not\xffutf8", 0644);
  MakeFile("bell\a", 0644);

  const CliRun run = scratch_.Cli("-v -S " + Scratch::Quote(target_));

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("/new\\nline: ---- -> --S-\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("/not\\xffutf8: ---- -> --S-\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("/bell\\x07: ---- -> --S-\n"), std::string::npos) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 4);  // three changes, a summary

  EXPECT_EQ(scratch_.Cli("--undo").status, 0);
  auto folder = fs::OpenNativeFolder(target_);
  ASSERT_TRUE(folder);
  for (const char* name : {"new\nline", "not\xffutf8", "bell\a"}) {
    EXPECT_EQ(fs::testing::AttributesOf(*folder, name).value_or(0) & fs::attr::kSystem, 0u) << name;
  }
}

}  // namespace
}  // namespace lumaveil::cli::testing
