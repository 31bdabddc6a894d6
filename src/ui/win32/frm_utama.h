// FrmUtama: the program's working window. The folder tree, the path box, the four attribute
// boxes, Scan and Stop, the file counter and the label of the file just counted, and the menus
// File (Quick Scan), Help (About) and Exit (Exit). The window is the attribute pass's host: the
// pass reads the boxes, writes the two labels and lets the window's messages run through it.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "attrib/browse_for_folder.h"
#include "attrib/pass_host.h"
#include "attrib/scan_commands.h"
#include "platform/fs/file_system.h"
#include "tree/error_reporter.h"
#include "tree/folder_tree.h"
#include "tree/path_box.h"
#include "ui/common/event_pump_gate.h"
#include "ui/common/pass_closing.h"
#include "ui/win32/about_window.h"
#include "ui/win32/gdi_objects.h"
#include "ui/win32/label.h"
#include "ui/win32/top_level_windows.h"
#include "ui/win32/win32_tree_view.h"
#include "ui/win32/window.h"

namespace lumaveil::win32 {

class FrmUtama : public BackgroundWindow,
                 public attrib::ScanHost,
                 public tree::PathBox,
                 public tree::ErrorReporter {
 public:
  // Ends the process at once, with no closing handler run (Exit, Exit).
  using EndProgram = std::function<void()>;

  // Control and menu identifiers (never IDOK or IDCANCEL: neither button answers Enter or
  // Escape by itself).
  enum : int {
    kTreeId = 101,
    kPathBoxId = 102,
    kCheck1Id = 110,    // + index 0 to 3
    kCommand1Id = 120,  // + index 0 to 1
    kLblFileNameId = 130,
    kLblValue1Id,
    kLblInfo3Id,
    kLabel1Id,
    kLabel2Id,
    kLblDirId,
    kMnQScanId = 140,
    kMnAboutId,
    kMnExiteId,
  };

  // Builds the window and runs its load: the tree is filled with the drives before the window
  // is first shown. `file_system`, `picker` and `windows` must outlive the window.
  FrmUtama(fs::FileSystem& file_system, attrib::FolderPicker& picker, EndProgram end_program,
           TopLevelWindows& windows);
  ~FrmUtama() override;

  // Shows the window at the centre of its screen with the focus on the tree.
  void ShowCentred();

  // Handlers of the controls and menus.
  void Command1_Click(int index);
  void MnQScan_Click();
  void MnAbout_Click();
  void MnExite_Click();

  bool PassRunning() const { return closing_.PassRunning(); }
  Win32TreeView& Nodes() { return *nodes_; }
  HWND Control(int id) const { return GetDlgItem(hwnd(), id); }

  // The pass's view of the window.
  bool IsTicked(attrib::Attribute attribute) override;
  void ShowCurrentFile(std::string_view folder, std::string_view name) override;
  void ShowFileCount(const std::string& text) override;
  void PumpEvents() override;
  bool StopRequested() override { return stop_flag_; }
  std::string EnteredPath() override;
  void ShowWarning(const std::string& text, const std::string& title) override;
  void SetScanEnabled(bool enabled) override;
  void SetBoxEnabled(attrib::Attribute attribute, bool enabled) override;
  void SetStopRequested(bool raised) override { stop_flag_ = raised; }

  // The tree's path box and error box.
  void SetText(const std::string& text) override;
  void Report(int number, const std::string& description) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void Destroyed() override;
  void PaintBackground(HDC dc) override;

 private:
  void BuildControls();
  void BuildMenus();
  void Layout();
  LRESULT TreeNotification(const NMHDR& header);

  fs::FileSystem& file_system_;
  attrib::FolderPicker& picker_;
  EndProgram end_program_;
  TopLevelWindows& windows_;
  UINT dpi_;

  Font tahoma_;
  Font arial_title_;
  Font button_font_;
  Bitmap banner_;
  HIMAGELIST images_ = nullptr;
  HMENU menu_ = nullptr;
  HWND tree_ = nullptr;
  HWND path_box_ = nullptr;
  std::array<HWND, 4> check1_{};
  std::array<HWND, 2> command1_{};
  std::unique_ptr<Label> lbl_dir_;
  std::unique_ptr<Label> lbl_file_name_;
  std::unique_ptr<Label> label1_;
  std::unique_ptr<Label> lbl_value1_;
  std::unique_ptr<Label> lbl_info3_;
  std::unique_ptr<Label> label2_;
  std::unique_ptr<Win32TreeView> nodes_;
  std::unique_ptr<tree::FolderTree> tree_handlers_;
  TopLevel<About> about_;

  std::unique_ptr<attrib::ScanCommands> commands_;
  bool stop_flag_ = false;
  ui::PassClosing closing_;
  // The pass offers the events a turn after every file; they take it every 2 ms at most.
  ui::EventPumpGate pump_gate_{std::chrono::milliseconds(2)};
};

}  // namespace lumaveil::win32
