// A window for the pass's tests: boxes and StopFlag to set, labels to read, and a log of what
// the pass did to the window, interleaved with the file system's log when both share one.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "attrib/pass_host.h"
#include "common/run_time_error.h"

namespace lumaveil::attrib::testing {

class RecordingHost : public ScanHost {
 public:
  explicit RecordingHost(std::vector<std::string>& log) : log_(log) {}

  std::array<bool, 4> ticked{};
  bool stopFlag = false;
  std::string pathBox;
  std::string fileNameLabel = "Label2";
  std::string valueLabel = ": 0";
  std::array<bool, 2> commandEnabled{true, true};
  std::array<bool, 4> boxEnabled{true, true, true, true};
  std::vector<std::string> messages;  // "prompt|title|style"
  int eventRuns = 0;
  // Runs inside DoEvents, as a click handled there would.
  std::function<void()> onEvents;
  // Makes every call whose log word is given throw, e.g. "lblFileName" or "Check1".
  std::vector<std::string> failing;

  bool IsCheck1Ticked(int index) override {
    Call("box");
    return ticked.at(index);
  }
  void SetLblFileName(std::string_view folder, std::string_view name) override {
    Call("lblFileName");
    fileNameLabel = std::string(folder) + std::string(name);
    log_.push_back("label " + fileNameLabel);
  }
  void SetLblValue1(const std::string& text) override {
    Call("lblvalue");
    valueLabel = text;
    log_.push_back("count " + text);
  }
  void DoEvents() override {
    Call("events");
    ++eventRuns;
    log_.push_back("events");
    if (onEvents) onEvents();
  }
  bool StopFlag() override {
    Call("stop");
    return stopFlag;
  }
  std::string TxtDirPathText() override {
    Call("path");
    return pathBox;
  }
  void MsgBox(const std::string& prompt, int style, const std::string& title) override {
    Call("msgbox");
    messages.push_back(prompt + "|" + title + "|" + std::to_string(style));
  }
  void SetCommand1Enabled(int index, bool enabled) override {
    Call("Command1");
    commandEnabled.at(index) = enabled;
    log_.push_back(std::string(enabled ? "enable" : "disable") + " Command1(" +
                   std::to_string(index) + ")");
  }
  void SetCheck1Enabled(int index, bool enabled) override {
    Call("Check1");
    boxEnabled.at(index) = enabled;
    log_.push_back(std::string(enabled ? "enable" : "disable") + " Check1(" +
                   std::to_string(index) + ")");
  }
  void SetStopFlag(bool raised) override {
    Call("stopflag");
    stopFlag = raised;
    log_.push_back(raised ? "raise StopFlag" : "clear StopFlag");
  }

 private:
  void Call(const std::string& word) {
    for (const std::string& failure : failing) {
      if (failure == word) throw RunTimeError(error::kPathFileAccess, word + " failed");
    }
  }

  std::vector<std::string>& log_;
};

}  // namespace lumaveil::attrib::testing
