#include "attrib/scan_commands.h"

#include <cstdint>

#include "attrib/attempt.h"
#include "common/text_encoding.h"

namespace lumaveil::attrib {

namespace {

constexpr int kScanIndex = 0;
constexpr int kStopIndex = 1;

}  // namespace

bool PassesPathTest(const std::string& path) {
  if (path.empty()) return false;
  // A byte that starts no character counts as one, as it shows as one U+FFFD.
  std::size_t second = 0;
  text::NextFromUtf8(path, second);
  return second < path.size() && path[second] == ':';
}

ScanCommands::ScanCommands(fs::DirectoryOpener& fileSystem, ScanHost& host,
                           std::optional<JournalStore> journals)
    : host_(host), pass_(fileSystem, host), journals_(std::move(journals)) {}

void ScanCommands::Command1_Click(int Index) {
  if (Index == kScanIndex) {
    Scan();
  } else if (Index == kStopIndex) {
    Attempt([&] { host_.SetStopRequested(true); });
  }
}

void ScanCommands::Scan() {
  Attempt([&] { TargetPath = host_.EnteredPath(); });
  if (!PassesPathTest(TargetPath)) {
    Attempt([&] { host_.ShowWarning("Path not found !", "LMV "); });
    return;
  }
  Attempt([&] { host_.SetScanEnabled(false); });
  Attempt([&] { host_.SetStopRequested(false); });
  for (const Attribute box : kAttributes) {
    Attempt([&] { host_.SetBoxEnabled(box, false); });
  }
  Attempt([&] { MulaiCari(); });
  Attempt([&] { host_.SetStopRequested(true); });
  Attempt([&] { host_.SetScanEnabled(true); });
  for (const Attribute box : kAttributes) {
    Attempt([&] { host_.SetBoxEnabled(box, true); });
  }
}

void ScanCommands::MulaiCari() {
  const std::string target = TargetPath;
  std::int32_t FileCount = 0;
  // The window has no word for a journal that could not be written; the pass runs all the same.
  std::unique_ptr<JournalWriter> journal;
  if (journals_) Attempt([&] { journal = journals_->BeginOnDriveForm(target); });
  pass_.SetObserver(journal.get());
  pass_.ScanFolder(target, FileCount);
  pass_.SetObserver(nullptr);
  if (journal) Attempt([&] { journal->Finish(); });
  Attempt([&] { host_.PumpEvents(); });
}

}  // namespace lumaveil::attrib
