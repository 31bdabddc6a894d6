// Windows asks the user to "insert a disk" when a call touches an empty removable drive; the
// file-system layer wants the error code instead, so those dialogs are off while it works.
#pragma once

#include <windows.h>

namespace lumaveil::fs {

class NoCriticalErrorDialogs {
 public:
  NoCriticalErrorDialogs() {
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_);
  }
  ~NoCriticalErrorDialogs() { SetThreadErrorMode(previous_, nullptr); }
  NoCriticalErrorDialogs(const NoCriticalErrorDialogs&) = delete;
  NoCriticalErrorDialogs& operator=(const NoCriticalErrorDialogs&) = delete;

 private:
  DWORD previous_ = 0;
};

}  // namespace lumaveil::fs
