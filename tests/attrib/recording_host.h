// A window for the pass's tests: boxes and Stop to set, labels to read, and a log of what
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

  std::array<bool, 4> ticked{};  // by box: Archive, Read-Only, Hidden, System
  bool stopRequested = false;
  std::string pathBox;
  std::string fileNameLabel = "Label2";
  std::string valueLabel = ": 0";
  bool scanEnabled = true;
  std::array<bool, 4> boxEnabled{true, true, true, true};
  std::vector<std::string> warnings;  // "text|title"
  int eventRuns = 0;
  // Runs inside PumpEvents, as a click handled there would.
  std::function<void()> onEvents;
  // Makes every call whose log word is given throw, e.g. "file label" or "box enabling".
  std::vector<std::string> failing;

  bool IsTicked(Attribute attribute) override {
    Call("box");
    return ticked.at(BoxIndex(attribute));
  }
  void ShowCurrentFile(std::string_view folder, std::string_view name) override {
    Call("file label");
    fileNameLabel = std::string(folder) + std::string(name);
    log_.push_back("label " + fileNameLabel);
  }
  void ShowFileCount(const std::string& text) override {
    Call("count label");
    valueLabel = text;
    log_.push_back("count " + text);
  }
  void PumpEvents() override {
    Call("events");
    ++eventRuns;
    log_.push_back("events");
    if (onEvents) onEvents();
  }
  bool StopRequested() override {
    Call("stop");
    return stopRequested;
  }
  std::string EnteredPath() override {
    Call("path");
    return pathBox;
  }
  void ShowWarning(const std::string& text, const std::string& title) override {
    Call("warning");
    warnings.push_back(text + "|" + title);
  }
  void SetScanEnabled(bool enabled) override {
    Call("scan enabling");
    scanEnabled = enabled;
    log_.push_back(enabled ? "enable Scan" : "disable Scan");
  }
  void SetBoxEnabled(Attribute attribute, bool enabled) override {
    Call("box enabling");
    boxEnabled.at(BoxIndex(attribute)) = enabled;
    log_.push_back(std::string(enabled ? "enable" : "disable") + " box " +
                   std::to_string(BoxIndex(attribute)));
  }
  void SetStopRequested(bool raised) override {
    Call("stop flag");
    stopRequested = raised;
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
