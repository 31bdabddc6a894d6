// The Scan and Stop buttons: the path test, the locking and unlocking of the controls around a
// pass, StopFlag, and the pass's own copy of the target and count.
#include "attrib/scan_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_file_system.h"
#include "recording_host.h"

namespace lumaveil::attrib {
namespace {

using testing::FakeFileSystem;
using testing::RecordingHost;
using Lines = std::vector<std::string>;

constexpr int kScan = 0;
constexpr int kStop = 1;

const Lines kLock = {"disable Scan",  "clear StopFlag", "disable box 0",
                     "disable box 1", "disable box 2",  "disable box 3"};
const Lines kUnlock = {"raise StopFlag", "enable Scan",  "enable box 0",
                       "enable box 1",   "enable box 2", "enable box 3"};

Lines Join(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

class ScanCommandsTest : public ::testing::Test {
 protected:
  void ScanPath(const std::string& path) {
    host_.pathBox = path;
    commands_.Command1_Click(kScan);
  }

  FakeFileSystem fs_;
  RecordingHost host_{fs_.Log()};
  ScanCommands commands_{fs_, host_, std::nullopt};
};

TEST_F(ScanCommandsTest, APathWithoutAColonSecondIsRefusedWithTheMessageOnly) {
  host_.stopRequested = true;
  for (const char* path : {"", "C", " C:\\", "\\\\server\\share", "\xC3\xA9x"}) {
    SCOPED_TRACE(path);
    host_.warnings.clear();
    ScanPath(path);
    EXPECT_EQ(host_.warnings, (Lines{"Path not found !|LMV "}));
    EXPECT_EQ(commands_.TargetPath, path) << "copied unchanged";
  }
  EXPECT_TRUE(fs_.Log().empty());
  EXPECT_TRUE(host_.stopRequested);
}

TEST_F(ScanCommandsTest, AnyCharacterThenAColonIsAcceptedEvenWithoutSuchAFolder) {
  for (const char* path : {"Q:\\Nothing", "\xC3\xA9:"}) {
    SCOPED_TRACE(path);
    fs_.Log().clear();
    ScanPath(path);
    EXPECT_EQ(fs_.Log(), Join({kLock, {"events"}, kUnlock}));
  }
  EXPECT_TRUE(host_.warnings.empty());
  EXPECT_EQ(host_.valueLabel, ": 0");
}

TEST_F(ScanCommandsTest, ScanLocksRunsThePassAndUnlocks) {
  fs_.AddFile("a.txt", 2);
  host_.ticked = {true, false, false, false};

  ScanPath("C:");

  EXPECT_EQ(fs_.Log(),
            Join({kLock,
                  {"list ", "label C:\\a.txt", "count : 1", "events", "set a.txt 32",
                   "events", "events"},
                  kUnlock}));
}

TEST_F(ScanCommandsTest, EveryPassCountsFromZeroAndLabelsKeepTheLastValues) {
  fs_.AddFolder("three");
  for (const char* file : {"three/a", "three/b", "three/c"}) fs_.AddFile(file);
  fs_.AddFolder("one");
  fs_.AddFile("one/x");
  fs_.AddFolder("empty");

  ScanPath("C:\\three");
  EXPECT_EQ(host_.valueLabel, ": 3");
  ScanPath("C:\\one");
  EXPECT_EQ(host_.valueLabel, ": 1");
  ScanPath("C:\\empty");
  EXPECT_EQ(host_.valueLabel, ": 1");
  EXPECT_EQ(host_.fileNameLabel, "C:\\one\\x");
}

TEST_F(ScanCommandsTest, StopDuringAPassEndsItAndTheControlsComeBack) {
  fs_.AddFolder("T");
  fs_.AddFile("T/a", 2);
  fs_.AddFile("T/b", 2);
  host_.onEvents = [this] { commands_.Command1_Click(kStop); };

  ScanPath("C:\\T");

  EXPECT_EQ(host_.valueLabel, ": 1");
  EXPECT_EQ(fs_.Attributes("T/a"), 2u);
  EXPECT_TRUE(host_.stopRequested);
  EXPECT_TRUE(host_.scanEnabled);
  EXPECT_EQ(host_.boxEnabled, (std::array<bool, 4>{true, true, true, true}));
}

TEST_F(ScanCommandsTest, StopWhileIdleOnlyRaisesTheFlagAndTheNextScanClearsIt) {
  fs_.AddFile("a", 2);

  commands_.Command1_Click(kStop);
  EXPECT_EQ(fs_.Log(), (Lines{"raise StopFlag"}));

  ScanPath("C:");
  EXPECT_EQ(fs_.Attributes("a"), 0u);
}

TEST_F(ScanCommandsTest, OtherButtonIndexesDoNothing) {
  for (int index : {-1, 2, 7}) commands_.Command1_Click(index);
  EXPECT_TRUE(fs_.Log().empty());
  EXPECT_TRUE(host_.warnings.empty());
}

TEST_F(ScanCommandsTest, AStepThatFailsDoesNotKeepTheControlsLocked) {
  fs_.AddFile("a", 2);
  host_.failing = {"scan enabling", "stop flag"};

  ScanPath("C:");

  EXPECT_EQ(fs_.Attributes("a"), 0u);
  EXPECT_EQ(host_.boxEnabled, (std::array<bool, 4>{true, true, true, true}));
  EXPECT_EQ(fs_.Log(), Join({{"disable box 0", "disable box 1", "disable box 2",
                              "disable box 3", "list ", "label C:\\a", "count : 1", "events",
                              "set a 0", "events", "events", "enable box 0", "enable box 1",
                              "enable box 2", "enable box 3"}}));
}

TEST_F(ScanCommandsTest, ThePassKeepsToTheTargetItStartedWith) {
  fs_.AddFolder("T");
  fs_.AddFile("T/a", 2);
  fs_.AddFile("T/b", 2);
  fs_.AddFolder("Other");
  fs_.AddFile("Other/c", 2);
  host_.onEvents = [this] {
    host_.pathBox = "C:\\Other";
    commands_.TargetPath = "C:\\Other";
  };

  ScanPath("C:\\T");

  EXPECT_EQ(fs_.Attributes("T/a"), 0u);
  EXPECT_EQ(fs_.Attributes("T/b"), 0u);
  EXPECT_EQ(fs_.Attributes("Other/c"), 2u);
  EXPECT_EQ(commands_.TargetPath, "C:\\Other") << "what the next pass will use";
}

}  // namespace
}  // namespace lumaveil::attrib
