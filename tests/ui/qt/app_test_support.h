// What the window tests share: the one QApplication, a fixture machine whose drive D: is a
// scratch folder (C: is never ready, so this machine's own folders stay out of every test), a
// folder picker that answers as told, the main window's controls found by name, and a watcher
// that reads and dismisses message boxes.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/qt/about_window.h"
#include "ui/qt/folder_tree_widget.h"
#include "ui/qt/pass_label.h"
#include "ui/qt/program.h"
#include "attrib/browse_for_folder.h"
#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_directory.h"
#include "platform/fs/posix_file_system.h"
#include "platform/fs/posix_fs_test_support.h"
#include "ui/qt/tree_qt_application.h"

namespace lumaveil::app::testing {

using fs::testing::ScratchFolder;
using fs::testing::WriteFile;

inline void EnsureApplication() {
  lumaveil::testing::EnsureApplication();
  static const bool installed = (InstallDesktopDrawing(), true);
  (void)installed;
}

// A machine with a root drive C: that is not ready and a fixed disk D: over a scratch folder.
class FixtureMachine {
 public:
  FixtureMachine() {
    std::filesystem::create_directories(sys_.path() + "/block/fixdata");
    WriteFile(sys_.path() + "/block/fixdata/removable", "0\n");
    const std::string mountInfo = "1 0 8:1 / / rw - ext4 /dev/fixroot rw\n"
                                  "2 1 8:2 / " + data_.path() + " rw - ext4 /dev/fixdata rw\n";
    fileSystem_ = std::make_unique<fs::PosixFileSystem>(
        mountInfo, sys_.path(),
        [](const std::string& native) { return native != "/" && fs::CanReadFolder(native); });
  }

  fs::FileSystem& FileSystem() { return *fileSystem_; }
  // The native path of D:\ + `relative` ("a/b").
  std::string Native(const std::string& relative = "") const {
    return relative.empty() ? data_.path() : data_.path() + "/" + relative;
  }
  void Folder(const std::string& relative) {
    std::filesystem::create_directories(Native(relative));
  }
  void File(const std::string& relative) { WriteFile(Native(relative), "data"); }

  // The four DOS bits of an entry, read without following a link.
  std::optional<std::uint32_t> Attributes(const std::string& relative) const {
    const std::filesystem::path path(Native(relative));
    auto parent = fs::OpenNativeDirectory(path.parent_path());
    if (!parent) return std::nullopt;
    const auto bits = fs::testing::AttributesOf(*parent, path.filename().string());
    if (!bits) return std::nullopt;
    return *bits & 0x27u;
  }

 private:
  ScratchFolder data_;
  ScratchFolder sys_;
  std::unique_ptr<fs::PosixFileSystem> fileSystem_;
};

// A picker that returns what the test told it to and remembers how it was asked.
class ScriptedPicker : public attrib::FolderPicker {
 public:
  std::string answer;
  std::vector<std::string> prompts;
  std::string Pick(attrib::WindowHandle, const std::string& prompt) override {
    prompts.push_back(prompt);
    return answer;
  }
};

// The main window's controls, found by the object names they carry.
class WindowControls {
 public:
  WindowControls() = default;
  explicit WindowControls(QWidget* window) : window_(window) {}

  qt::FolderTreeWidget* tvFolders() const { return Find<qt::FolderTreeWidget>("tvFolders"); }
  QLineEdit* txtDirPath() const { return Find<QLineEdit>("txtDirPath"); }
  QCheckBox* Check1(int index) const { return Find<QCheckBox>(QString("Check1_%1").arg(index)); }
  QPushButton* Command1(int index) const {
    return Find<QPushButton>(QString("Command1_%1").arg(index));
  }
  PassLabel* lblFileName() const { return Find<PassLabel>("lblFileName"); }
  PassLabel* lblvalue1() const { return Find<PassLabel>("lblvalue1"); }
  QLabel* lblinfo3() const { return Find<QLabel>("lblinfo3"); }
  QLabel* lblDir() const { return Find<QLabel>("lblDir"); }
  QMenu* MnuFile() const { return Find<QMenu>("MnuFile"); }
  QMenu* MnHelp() const { return Find<QMenu>("MnHelp"); }
  QMenu* MnExit() const { return Find<QMenu>("MnExit"); }

 private:
  template <typename Widget>
  Widget* Find(const QString& name) const {
    auto* found = window_->findChild<Widget*>(name);
    if (found == nullptr) ADD_FAILURE() << "the window has no " << name.toStdString();
    return found;
  }
  QWidget* window_ = nullptr;
};

// The About window, while one exists.
inline About* OpenAbout() {
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* about = qobject_cast<About*>(top)) return about;
  }
  return nullptr;
}

using lumaveil::testing::MessageBoxWatcher;
using lumaveil::testing::SeenBox;

}  // namespace lumaveil::app::testing
