// What the attribute pass and the Scan and Stop commands need of the main window, so that both
// run (and are tested) without a window. FrmUtama implements ScanHost.
//
// Every call happens on the user-interface thread. Any of them may throw (a control that cannot
// be changed, for instance): the pass and the Scan handler skip the failing step and go on with
// the next one, so an exception never leaves them. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

#include "attrib/attribute.h"

namespace lumaveil::attrib {

// The window as the pass sees it.
class PassHost {
 public:
  virtual ~PassHost() = default;

  // Whether the box of `attribute` is ticked (anything but unticked).
  virtual bool IsTicked(Attribute attribute) = 0;
  // Shows the path of the file just counted (lblFileName): `folder` (its folder's path with the
  // trailing backslash) followed by `name`. In a deep tree the folder's path runs to megabytes,
  // so a host copies only what it shows; both views end with the call.
  virtual void ShowCurrentFile(std::string_view folder, std::string_view name) = 0;
  // Shows the running file count (lblvalue(1)); `text` is ": " and the count.
  virtual void ShowFileCount(const std::string& text) = 0;
  // Offers pending window events a turn (a Stop click is handled there), then returns. A window
  // may take only some of the offers.
  virtual void PumpEvents() = 0;
  // Whether Stop has been asked for (StopFlag).
  virtual bool StopRequested() = 0;
};

// The window as the Scan and Stop commands see it, on top of what the pass needs.
class ScanHost : public PassHost {
 public:
  // The text of the path box (txtDirPath), unchanged.
  virtual std::string EnteredPath() = 0;
  // An application-modal warning box (an OK button and the exclamation icon); returns when it
  // is closed. Scan uses it for "Path not found !".
  virtual void ShowWarning(const std::string& text, const std::string& title) = 0;
  // Enables or disables the Scan button, Command1(0).
  virtual void SetScanEnabled(bool enabled) = 0;
  // Enables or disables the box of `attribute`.
  virtual void SetBoxEnabled(Attribute attribute, bool enabled) = 0;
  // Raises (true) or clears (false) StopFlag, which StopRequested reads.
  virtual void SetStopRequested(bool raised) = 0;
};

}  // namespace lumaveil::attrib
