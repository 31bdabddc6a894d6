// The attribute pass over an in-memory file system: masks, order of work, Stop, failures,
// changes made while the pass runs, and deep trees.
#include "attrib/attribute_pass.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fake_file_system.h"
#include "recording_host.h"

namespace lumaveil::attrib {
namespace {

using testing::FakeFileSystem;
using testing::RecordingHost;
using Lines = std::vector<std::string>;

class AttributePassTest : public ::testing::Test {
 protected:
  // The lines of the shared log that start with `word`.
  Lines Only(const std::string& word) const {
    Lines lines;
    for (const std::string& line : fs_.Log()) {
      if (line.rfind(word, 0) == 0) lines.push_back(line);
    }
    return lines;
  }
  void Scan(const std::string& folder) { pass_.ScanFolder(folder, count_); }

  FakeFileSystem fs_;
  RecordingHost host_{fs_.Log()};
  AttributePass pass_{fs_, host_};
  std::int32_t count_ = 0;
};

struct MaskCase {
  std::array<bool, 4> ticked;  // Archive, Read-Only, Hidden, System
  std::uint32_t mask;
};

class MaskTableTest : public AttributePassTest,
                      public ::testing::WithParamInterface<MaskCase> {};

TEST_P(MaskTableTest, EveryEntryBeneathGetsExactlyTheTickedSet) {
  fs_.AddFolder("T", 0x27);
  fs_.AddFile("T/hidden.sys", 0x06);
  fs_.AddFolder("T/sub", 0x23);
  fs_.AddFile("T/sub/deep.txt", 0x21);
  fs_.AddFolder("T/sub/empty", 0x04);
  host_.ticked = GetParam().ticked;

  Scan("C:\\T");

  for (const char* path : {"T/hidden.sys", "T/sub", "T/sub/deep.txt", "T/sub/empty"}) {
    EXPECT_EQ(fs_.Attributes(path), GetParam().mask) << path;
  }
  EXPECT_EQ(fs_.Attributes("T"), 0x27u) << "the target itself is never changed";
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, MaskTableTest,
    ::testing::Values(MaskCase{{false, false, false, false}, 0},
                      MaskCase{{true, false, false, false}, 32},
                      MaskCase{{false, true, false, false}, 1},
                      MaskCase{{false, false, true, false}, 2},
                      MaskCase{{false, false, false, true}, 4},
                      MaskCase{{true, true, true, true}, 39}),
    [](const ::testing::TestParamInfo<MaskCase>& info) {
      return "Mask" + std::to_string(info.param.mask);
    });

TEST_F(AttributePassTest, CountsFilesFirstThenWalksAndChangesEntriesBottomUpInListingOrder) {
  fs_.AddFolder("T");
  fs_.AddFile("T/f1");
  fs_.AddFolder("T/d");
  fs_.AddFile("T/d/x");
  fs_.AddFolder("T/d/e");
  fs_.AddFile("T/d/e/y");
  fs_.AddFile("T/f2");
  host_.ticked = {false, false, true, false};

  Scan("C:\\T");

  EXPECT_EQ(fs_.Log(), (Lines{"list T",
                              "label C:\\T\\f1", "count : 1", "events",
                              "label C:\\T\\f2", "count : 2", "events",
                              "set T/f1 2",
                              "list T/d",
                              "label C:\\T\\d\\x", "count : 3", "events",
                              "set T/d/x 2",
                              "list T/d/e",
                              "label C:\\T\\d\\e\\y", "count : 4", "events",
                              "set T/d/e/y 2", "events",
                              "set T/d/e 2", "events",
                              "set T/d 2",
                              "set T/f2 2", "events"}));
  EXPECT_EQ(count_, 4);
}

TEST_F(AttributePassTest, BareDriveWalksTheRootAndPathsGetOneBackslash) {
  fs_.AddFile("a.txt");
  fs_.AddFolder("T");
  fs_.AddFile("T/b.txt");

  Scan("C:");
  EXPECT_EQ(Only("label"), (Lines{"label C:\\a.txt", "label C:\\T\\b.txt"}));

  fs_.Log().clear();
  Scan("C:\\T\\");
  EXPECT_EQ(Only("label"), (Lines{"label C:\\T\\b.txt"}));
}

TEST_F(AttributePassTest, OnlyTheExactPseudoEntriesAreSkipped) {
  fs_.AddFolder("T");
  fs_.AddFile("T/.profile", 2);
  fs_.AddFolder("T/..data", 2);
  fs_.AddFile("T/..data/inner", 2);
  fs_.AddFile("T/...", 2);

  Scan("C:\\T");

  EXPECT_EQ(Only("set"), (Lines{"set T/.profile 0", "set T/..data/inner 0", "set T/..data 0",
                                "set T/... 0"}));
  EXPECT_EQ(Only("count").back(), "count : 3");
}

TEST_F(AttributePassTest, AMissingOrUnlistableTargetChangesAndShowsNothing) {
  fs_.AddFile("file", 2);
  host_.fileNameLabel = "C:\\old\\last.txt";
  host_.valueLabel = ": 17";

  for (const char* target : {"Q:\\Nothing", "C:\\absent", "C:\\file", ""}) {
    Scan(target);
  }

  EXPECT_EQ(fs_.Attributes("file"), 2u);
  EXPECT_EQ(count_, 0);
  EXPECT_EQ(host_.fileNameLabel, "C:\\old\\last.txt");
  EXPECT_EQ(host_.valueLabel, ": 17");
  EXPECT_EQ(host_.eventRuns, 0);
}

// The tree of the Stop cases:
//   T: a/ [ b/ [ b1 b2 b3 c/ [ c1 ] ]  a2  a3/ [ a3f ] ]  t2  t3/ [ t3f ]
class StopTest : public AttributePassTest {
 protected:
  void SetUp() override {
    for (const char* folder : {"T", "T/a", "T/a/b", "T/a/b/c", "T/a/a3", "T/t3"}) {
      fs_.AddFolder(folder, 2);
    }
    for (const char* file : {"T/a/b/b1", "T/a/b/b2", "T/a/b/b3", "T/a/b/c/c1", "T/a/a2",
                             "T/a/a3/a3f", "T/t2", "T/t3/t3f"}) {
      fs_.AddFile(file, 2);
    }
  }
  // Raises StopFlag while the events after counting `file` run, as a Stop click would.
  void StopAfterCounting(const std::string& file) {
    host_.onEvents = [this, file] {
      if (host_.fileNameLabel == file) host_.stopRequested = true;
    };
  }
  Lines Changed() const {
    Lines changed;
    for (const char* path : {"T/a", "T/a/b", "T/a/b/b1", "T/a/b/b2", "T/a/b/b3", "T/a/b/c",
                             "T/a/b/c/c1", "T/a/a2", "T/a/a3", "T/a/a3/a3f", "T/t2", "T/t3",
                             "T/t3/t3f"}) {
      if (fs_.Attributes(path) == 0) changed.push_back(path);
    }
    return changed;
  }
};

TEST_F(StopTest, StopWhileCountingADeepFolderLeavesItsEntriesAndTheRestsContents) {
  StopAfterCounting("C:\\T\\a\\b\\b2");

  Scan("C:\\T");

  EXPECT_EQ(Changed(), (Lines{"T/a", "T/a/b", "T/a/a2", "T/a/a3", "T/t2", "T/t3"}));
  EXPECT_EQ(host_.valueLabel, ": 4");
  EXPECT_EQ(host_.fileNameLabel, "C:\\T\\a\\b\\b2");
  // The folders still ahead are collected, then left at once.
  EXPECT_EQ(Only("list"), (Lines{"list T", "list T/a", "list T/a/b", "list T/a/a3", "list T/t3"}));
}

TEST_F(StopTest, StopAfterAFoldersLastFileStillChangesThatFoldersEntries) {
  StopAfterCounting("C:\\T\\a\\b\\b3");

  Scan("C:\\T");

  EXPECT_EQ(Changed(), (Lines{"T/a", "T/a/b", "T/a/b/b1", "T/a/b/b2", "T/a/b/b3", "T/a/b/c",
                              "T/a/a2", "T/a/a3", "T/t2", "T/t3"}));
}

TEST_F(StopTest, StopRaisedBeforeThePassChangesNothing) {
  host_.stopRequested = true;

  Scan("C:\\T");

  EXPECT_TRUE(Changed().empty());
  EXPECT_EQ(fs_.Log(), (Lines{"list T"}));
}

TEST_F(AttributePassTest, EntriesRemovedOrAddedWhileThePassRunsAreTakenAsTheyCome) {
  fs_.AddFolder("T");
  fs_.AddFile("T/first", 2);
  fs_.AddFolder("T/gone", 2);
  fs_.AddFile("T/gone/x", 2);
  fs_.AddFolder("T/later", 2);
  host_.onEvents = [this] {
    if (host_.fileNameLabel != "C:\\T\\first") return;
    host_.onEvents = nullptr;
    fs_.Remove("T/gone");
    fs_.AddFile("T/new", 2);        // T is collected already: left alone
    fs_.AddFile("T/later/new", 2);  // T/later is not: walked
  };

  Scan("C:\\T");

  EXPECT_EQ(Only("set"), (Lines{"set T/first 0", "set missing gone", "set T/later/new 0",
                                "set T/later 0"}));
  EXPECT_EQ(fs_.Attributes("T/new"), 2u);
  EXPECT_EQ(count_, 2);
}

TEST_F(AttributePassTest, TheCountStopsAtTheLargestLong) {
  fs_.AddFolder("T");
  fs_.AddFile("T/a");
  fs_.AddFile("T/b");
  fs_.AddFile("T/c");
  count_ = 2147483646;

  Scan("C:\\T");

  EXPECT_EQ(count_, 2147483647);
  EXPECT_EQ(Only("count"), (Lines{"count : 2147483647", "count : 2147483647",
                                  "count : 2147483647"}));
}

TEST_F(AttributePassTest, AWindowCallThatFailsIsSkippedAndThePassGoesOn) {
  fs_.AddFolder("T");
  fs_.AddFile("T/a", 2);
  fs_.AddFolder("T/d", 2);
  fs_.AddFile("T/d/b", 2);
  host_.ticked = {true, false, false, false};
  host_.failing = {"file label", "events", "stop"};

  Scan("C:\\T");

  EXPECT_EQ(fs_.Attributes("T/a"), 32u);
  EXPECT_EQ(fs_.Attributes("T/d/b"), 32u);
  EXPECT_EQ(fs_.Attributes("T/d"), 32u);
  EXPECT_EQ(host_.valueLabel, ": 2");
  EXPECT_EQ(host_.fileNameLabel, "Label2");

  host_.failing = {"box"};
  Scan("C:\\T");
  EXPECT_EQ(fs_.Attributes("T/d/b"), 0u) << "a box that cannot be read adds nothing";
}

// A chain of `depth` folders under T, each holding one file unless `withFiles` is false.
void BuildDeepTree(FakeFileSystem& fs, int depth, bool withFiles = true) {
  std::shared_ptr<testing::FakeNode> folder = fs.AddFolder("T");
  for (int level = 0; level < depth; ++level) {
    if (withFiles) FakeFileSystem::AddChild(*folder, "f", fs::EntryKind::File)->attributes = 2;
    folder = FakeFileSystem::AddChild(*folder, "d", fs::EntryKind::Folder);
    folder->attributes = 2;
  }
}

// Every entry of a tree made by BuildDeepTree has the mask 0.
void ExpectDeepTreeCleared(const FakeFileSystem& fs, int depth) {
  std::shared_ptr<testing::FakeNode> folder = fs.Find("T");
  for (int level = 0; level < depth; ++level) {
    for (const auto& [name, child] : folder->children) {
      ASSERT_EQ(child->attributes, 0u) << "level " << level;
    }
    folder = folder->children.back().second;
  }
}

// Ten thousand levels on real descriptors: PosixPassTest.
TEST_F(AttributePassTest, ATreeFarDeeperThanTheHandleBudgetIsAllChangedWithinIt) {
  constexpr int kDepth = 300;
  BuildDeepTree(fs_, kDepth);
  pass_.SetHandleBudget(16);

  Scan("C:\\T");

  ExpectDeepTreeCleared(fs_, kDepth);
  EXPECT_EQ(count_, kDepth);
  EXPECT_LE(fs_.MostHandlesOpen(), 16 + 2) << "the budget, the target and one being opened";
  EXPECT_EQ(fs_.HandlesOpen(), 0);
  EXPECT_EQ(host_.fileNameLabel.size(), std::string("C:\\T\\").size() + 2 * (kDepth - 1) + 1);
}

TEST_F(AttributePassTest, AFolderRenamedIntoAGivenUpLevelsPlaceIsNeitherWalkedNorChanged) {
  constexpr int kDepth = 50;
  BuildDeepTree(fs_, kDepth);
  // Outside the target, shaped like a level of it.
  std::shared_ptr<testing::FakeNode> outside = fs_.AddFolder("O");
  fs_.AddFile("O/f", 2);
  fs_.AddFolder("O/d", 2);
  fs_.AddFile("O/d/f", 2);
  pass_.SetHandleBudget(4);
  // The first time a level is opened again by name, the outside folder is renamed into its place.
  std::set<const testing::FakeNode*> opened;
  bool swapped = false;
  fs_.OnOpenFolder([&](testing::FakeNode& parent, const fs::NativeName& name) {
    if (swapped || opened.insert(&parent).second) return;
    fs_.Remove("O");
    for (auto& [childName, child] : parent.children) {
      if (childName == name) child = outside;
    }
    swapped = true;
  });

  Scan("C:\\T");

  ASSERT_TRUE(swapped) << "the tree is deeper than the budget, so levels are reopened";
  // The folder moved in is now an entry of the target and may get the mask as one; what it
  // brought along is not walked.
  for (const std::string& line : fs_.Log()) {
    EXPECT_EQ(line.rfind("set O/", 0), std::string::npos) << line;
    EXPECT_EQ(line.rfind("list O", 0), std::string::npos) << line;
  }
  EXPECT_EQ(outside->children[0].second->attributes, 2u);
  EXPECT_EQ(outside->children[1].second->attributes, 2u);
  EXPECT_EQ(outside->children[1].second->children[0].second->attributes, 2u);
}

TEST_F(AttributePassTest, AHundredThousandLevelsDoNotExhaustTheCallStack) {
  constexpr int kDepth = 100000;
  BuildDeepTree(fs_, kDepth, false);

  Scan("C:\\T");

  ExpectDeepTreeCleared(fs_, kDepth);
}

TEST_F(AttributePassTest, RunningOutOfHandlesGivesUpAncestorsInsteadOfEntries) {
  constexpr int kDepth = 3000;
  BuildDeepTree(fs_, kDepth);
  fs_.LimitHandles(40);  // far below the default budget

  Scan("C:\\T");

  ExpectDeepTreeCleared(fs_, kDepth);
  EXPECT_LE(fs_.MostHandlesOpen(), 40);
}

}  // namespace
}  // namespace lumaveil::attrib
