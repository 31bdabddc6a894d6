// A machine of every kind of drive, and the tree handlers wired to in-memory stand-ins.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fake_machine.h"
#include "memory_tree_view.h"
#include "tree/folder_tree.h"

namespace lumaveil::testing {

using Strings = std::vector<std::string>;

// A: floppy without a disk, B: a removable drive the system letters B, C: the fixed disk,
// D: an empty CD-ROM drive, E: a USB stick, R: a RAM disk, x: a fixed disk reported in lower
// case, Z: a connected network drive.
struct StandardMachine : FakeMachine {
  StandardMachine() {
    const std::pair<const char*, int> drives[] = {
        {"A", fs::kDriveRemovable}, {"B", fs::kDriveRemovable}, {"C", fs::kDriveFixed},
        {"D", fs::kDriveCdRom},     {"E", fs::kDriveRemovable}, {"R", fs::kDriveRamDisk},
        {"x", fs::kDriveFixed},     {"Z", fs::kDriveNetwork}};
    for (const auto& [letter, type] : drives) AddDrive(letter, type, true);
    SetReady("A", false);
    SetReady("D", false);
    for (const char* path :
         {"B:\\Backup", "C:\\Windows\\System32\\drivers", "C:\\Windows\\Fonts",
          "C:\\Program Files\\Lumaveil", "C:\\Users\\ana", "C:\\Users\\$Hidden by virus",
          "C:\\Empty", "E:\\DCIM", "x:\\data", "Z:\\Shared\\Reports"}) {
      AddFolder(path);
    }
  }
};

struct RecordingPathBox : tree::PathBox {
  void SetText(const std::string& text) override { text_ = text, ++writes_; }
  std::string text_;
  int writes_ = 0;
};

struct RecordingReporter : tree::ErrorReporter {
  void Report(int number, const std::string& description) override {
    reports_.emplace_back(number, description);
  }
  std::vector<std::pair<int, std::string>> reports_;
};

class TreeTest : public ::testing::Test {
 protected:
  StandardMachine machine_;
  MemoryTreeView view_;
  RecordingPathBox path_box_;
  RecordingReporter reporter_;
  tree::FolderTree tree_{machine_, view_, path_box_, reporter_};
};

}  // namespace lumaveil::testing
