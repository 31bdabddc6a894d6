// What the window tests share: the one QApplication, a fixture machine whose drive D: is a
// scratch folder (C: is never ready, so this machine's own folders stay out of every test), a
// folder picker that answers as told, and a watcher that reads and dismisses message boxes.
#pragma once

#include <QMessageBox>
#include <QTimer>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Reads and closes every message box that opens while it lives. Boxes are modal: each is found
// from a zero-delay timer that runs inside the box's own event loop.
class MessageBoxWatcher : public QObject {
 public:
  MessageBoxWatcher() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Dismiss(); });
    timer_.start();
  }
  const std::vector<SeenBox>& Seen() const { return seen_; }

 private:
  void Dismiss() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen_.push_back({box->windowTitle(), box->text(), box->icon()});
    box->done(QMessageBox::Ok);
  }
  QTimer timer_;
  std::vector<SeenBox> seen_;
};

}  // namespace lumaveil::app::testing
