// What the attribute pass and the Scan and Stop commands need of the main window, so that both
// run (and are tested) without a window. FrmUtama implements ScanHost.
//
// Every call happens on the user-interface thread. Any of them may throw (a control that cannot
// be changed, for instance): the pass and the Scan handler skip the failing step and go on with
// the next one, so an exception never leaves them. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace lumaveil::attrib {

// The window as the pass sees it.
class PassHost {
 public:
  virtual ~PassHost() = default;

  // Whether the attribute box Check1(index) is ticked (anything but unticked), index 0 to 3:
  // 0 Archive, 1 Read-Only, 2 Hidden, 3 System.
  virtual bool IsCheck1Ticked(int index) = 0;
  // The text of lblFileName: the path of the file just counted, `folder` (its folder's path with
  // the trailing backslash) followed by `name`. In a deep tree the folder's path runs to
  // megabytes, so a host copies only what it shows; both views end with the call.
  virtual void SetLblFileName(std::string_view folder, std::string_view name) = 0;
  // The text of lblvalue(1): ": " and the running file count.
  virtual void SetLblValue1(const std::string& text) = 0;
  // Lets pending window events run once (a Stop click is handled here), then returns.
  virtual void DoEvents() = 0;
  // Whether Stop has been asked for.
  virtual bool StopFlag() = 0;
};

// The window as the Scan and Stop commands see it, on top of what the pass needs.
class ScanHost : public PassHost {
 public:
  // The text of the path box txtDirPath, unchanged.
  virtual std::string TxtDirPathText() = 0;
  // An application-modal message box; returns when it is closed. Scan uses it for
  // "Path not found !" with title "LMV " and style 48 (OK button, exclamation icon).
  virtual void MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
  // Enables or disables the button Command1(index): 0 Scan, 1 Stop.
  virtual void SetCommand1Enabled(int index, bool enabled) = 0;
  // Enables or disables the attribute box Check1(index), index 0 to 3.
  virtual void SetCheck1Enabled(int index, bool enabled) = 0;
  // Raises (true) or clears (false) StopFlag.
  virtual void SetStopFlag(bool raised) = 0;
};

}  // namespace lumaveil::attrib
