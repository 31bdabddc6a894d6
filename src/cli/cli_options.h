// What the command line asks for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::cli {

enum class Command { kPass, kUndo, kListJournals, kVersion, kHelp };

struct Options {
  Command command = Command::kPass;
  std::uint32_t mask = 0;  // the complete new attribute set
  bool dryRun = false;
  bool verbose = false;
  bool quiet = false;
  std::vector<fs::NativeName> folders;    // for a pass
  std::optional<fs::NativeName> journal;  // for --undo: the journal, or the latest
};

// The arguments after the program's name. A string is the plain-words reason for bad usage.
std::variant<Options, std::string> ParseOptions(const std::vector<fs::NativeName>& arguments);

extern const char kUsage[];

}  // namespace lumaveil::cli
