// The Scan and Stop buttons (Command1(0) and Command1(1)) and the pass they start.
#pragma once

#include <optional>
#include <string>

#include "attrib/attribute_pass.h"
#include "attrib/journal_store.h"
#include "attrib/pass_host.h"
#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

// Whether a target path looks like a drive path: its second character is ":". Nothing else is
// checked, not even whether the path exists.
bool PassesPathTest(const std::string& path);

class ScanCommands {
 public:
  // Every pass that changes something is journaled in `journals` (nothing: not journaled).
  ScanCommands(fs::DirectoryOpener& fileSystem, ScanHost& host,
               std::optional<JournalStore> journals = JournalStore::AtDefaultPlace());

  // The click handler of Command1: 0 Scan, 1 Stop, any other index nothing.
  void Command1_Click(int Index);
  // Runs one attribute pass on a private copy of TargetPath with a fresh file count.
  void MulaiCari();

  // The target of the next pass; Scan and Quick Scan write it.
  std::string TargetPath;

 private:
  void Scan();

  ScanHost& host_;
  AttributePass pass_;
  std::optional<JournalStore> journals_;
};

}  // namespace lumaveil::attrib
