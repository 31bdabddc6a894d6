// FrmUtama: the program's working window. The folder tree, the path box, the four attribute
// boxes, Scan and Stop, the file counter and the label of the file just counted, and the menus
// File (Quick Scan), Help (About) and Exit (Exit). The window is the attribute pass's host: the
// pass reads the boxes, writes the two labels and lets the window's events run through it.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/qt/about_window.h"
#include "attrib/browse_for_folder.h"
#include "attrib/pass_host.h"
#include "attrib/scan_commands.h"
#include "platform/fs/file_system.h"
#include "ui/common/event_pump_gate.h"
#include "ui/common/pass_closing.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace lumaveil::qt {
class FolderTreeWidget;
}

namespace lumaveil::app {


class PassLabel;

class FrmUtama : public QMainWindow, public attrib::ScanHost {
  Q_OBJECT

 public:
  // Ends the process at once, with no closing handler run (Exit, Exit).
  using EndProgram = std::function<void()>;

  // Builds the window and runs its load: the tree is filled with the drives before the window
  // is first shown. `fileSystem` and `picker` must outlive the window.
  FrmUtama(fs::FileSystem& fileSystem, attrib::FolderPicker& picker, EndProgram endProgram,
           QWidget* parent = nullptr);
  ~FrmUtama() override;

  // Shows the window at the centre of its screen with the focus on the tree.
  void ShowCentred();

  // Handlers of the controls and menus.
  void Command1_Click(int index);
  void MnQScan_Click();
  void MnAbout_Click();
  void MnExite_Click();

  // The pass's view of the window.
  bool IsTicked(attrib::Attribute attribute) override;
  void ShowCurrentFile(std::string_view folder, std::string_view name) override;
  void ShowFileCount(const std::string& text) override;
  void PumpEvents() override;
  bool StopRequested() override { return stopFlag_; }
  std::string EnteredPath() override;
  void ShowWarning(const std::string& text, const std::string& title) override;
  void SetScanEnabled(bool enabled) override;
  void SetBoxEnabled(attrib::Attribute attribute, bool enabled) override;
  void SetStopRequested(bool raised) override { stopFlag_ = raised; }

 protected:
  // Closing while a pass runs stops the pass first and closes once it has returned.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildMenus();
  void Form_Load();

  fs::FileSystem& fileSystem_;
  attrib::FolderPicker& picker_;
  EndProgram endProgram_;

  qt::FolderTreeWidget* tvFolders_ = nullptr;
  QLineEdit* txtDirPath_ = nullptr;
  std::array<QCheckBox*, 4> check1_{};
  std::array<QPushButton*, 2> command1_{};
  PassLabel* lblFileName_ = nullptr;
  PassLabel* lblvalue1_ = nullptr;
  QLabel* lblinfo3_ = nullptr;
  QLabel* lblDir_ = nullptr;
  QMenu* mnuFile_ = nullptr;
  QMenu* mnHelp_ = nullptr;
  QMenu* mnExit_ = nullptr;
  QPointer<About> about_;

  std::unique_ptr<attrib::ScanCommands> commands_;
  bool stopFlag_ = false;
  ui::PassClosing closing_;
  // The pass offers the events a turn after every file; they take it every 2 ms at most.
  ui::EventPumpGate pumpGate_{std::chrono::milliseconds(2)};
};

}  // namespace lumaveil::app
