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

// A: floppy without a disk, B: a removable drive the system letters B, C: the fixed disk,
// D: an empty CD-ROM drive, E: a USB stick, R: a RAM disk, x: a fixed disk reported in lower
// case, Z: a connected network drive.
inline void BuildStandardMachine(FakeMachine& m) {
  m.AddDrive("A", fs::kDriveRemovable, false);
  m.AddDrive("B", fs::kDriveRemovable, true);
  m.AddDrive("C", fs::kDriveFixed, true);
  m.AddDrive("D", fs::kDriveCdRom, false);
  m.AddDrive("E", fs::kDriveRemovable, true);
  m.AddDrive("R", fs::kDriveRamDisk, true);
  m.AddDrive("x", fs::kDriveFixed, true);
  m.AddDrive("Z", fs::kDriveNetwork, true);

  m.AddFolder("B:\\Backup");
  m.AddFolder("C:\\Windows\\System32\\drivers");
  m.AddFolder("C:\\Windows\\Fonts");
  m.AddFolder("C:\\Program Files\\Lumaveil");
  m.AddFolder("C:\\Users\\ana\\Documents");
  m.AddFolder("C:\\Users\\$Hidden by virus");  // hidden and system on a real disk
  m.AddFolder("C:\\Empty");
  m.AddFile("C:\\Windows", "win.ini");
  m.AddFolder("E:\\DCIM\\100CANON");
  m.AddFolder("x:\\data");
  m.AddFolder("Z:\\Shared\\Reports");
}

class RecordingPathBox : public tree::PathBox {
 public:
  void SetText(const std::string& text) override {
    text_ = text;
    ++writes_;
  }
  std::string text_;
  int writes_ = 0;
};

class RecordingReporter : public tree::ErrorReporter {
 public:
  void Report(int number, const std::string& description) override {
    reports_.emplace_back(number, description);
  }
  std::vector<std::pair<int, std::string>> reports_;
};

class TreeTest : public ::testing::Test {
 protected:
  TreeTest() { BuildStandardMachine(machine_); }

  FakeMachine machine_;
  MemoryTreeView view_;
  RecordingPathBox path_box_;
  RecordingReporter reporter_;
  tree::FolderTree tree_{machine_, view_, path_box_, reporter_};
};

}  // namespace lumaveil::testing
