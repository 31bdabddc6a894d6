#include "cli/cli_options.h"

namespace lumaveil::cli {
namespace {

struct Flag {
  const char* longName;
  const char* shortName;
  std::uint32_t bit;
};

constexpr Flag kAttributeFlags[] = {
    {"--archive", "-A", fs::attr::kArchive},
    {"--read-only", "-R", fs::attr::kReadOnly},
    {"--hidden", "-H", fs::attr::kHidden},
    {"--system", "-S", fs::attr::kSystem},
};

bool Is(const fs::NativeName& argument, const char* text) {
  return text && argument == fs::NativeName(text, text + std::char_traits<char>::length(text));
}

}  // namespace

const char kUsage[] =
    "usage: lumaveil-cli [--archive|-A] [--read-only|-R] [--hidden|-H] [--system|-S]\n"
    "                    [--dry-run|-n] [--verbose|-v] [--quiet|-q] FOLDER...\n"
    "       lumaveil-cli --undo [JOURNAL]\n"
    "       lumaveil-cli --list-journals\n"
    "       lumaveil-cli --version | --help\n"
    "\n"
    "Gives every file and folder beneath each FOLDER exactly the attributes named: an attribute\n"
    "that is not named is cleared. FOLDER itself keeps its attributes. FOLDER is a path of this\n"
    "system or a drive-form path (D:\\photos).\n"
    "\n"
    "  -A, --archive     Archive             -n, --dry-run   change nothing; list what would change\n"
    "  -R, --read-only   Read-Only           -v, --verbose   list every change\n"
    "  -H, --hidden      Hidden              -q, --quiet     no progress line, no summary\n"
    "  -S, --system      System\n"
    "  --undo [JOURNAL]  give back the attributes the latest pass (or that of JOURNAL) changed\n"
    "  --list-journals   the passes that can be undone, newest first\n"
    "\n"
    "Exit status: 0 when every entry has the attributes asked for, 1 when some could not be\n"
    "changed, 2 on bad usage or a FOLDER that cannot be opened.\n";

std::variant<Options, std::string> ParseOptions(const std::vector<fs::NativeName>& arguments) {
  Options options;
  bool onlyFolders = false;  // after "--"
  bool undo = false, list = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const fs::NativeName& argument = arguments[i];
    if (onlyFolders || argument.empty() || argument[0] != fs::NativeChar('-') || Is(argument, "-")) {
      if (undo) {
        if (options.journal) return std::string("--undo takes one journal");
        options.journal = argument;
      } else {
        options.folders.push_back(argument);
      }
      continue;
    }
    if (Is(argument, "--")) {
      onlyFolders = true;
      continue;
    }
    bool known = false;
    for (const Flag& flag : kAttributeFlags) {
      if (Is(argument, flag.longName) || Is(argument, flag.shortName)) {
        options.mask |= flag.bit;
        known = true;
      }
    }
    if (known) continue;
    if (Is(argument, "--dry-run") || Is(argument, "-n")) {
      options.dryRun = true;
    } else if (Is(argument, "--verbose") || Is(argument, "-v")) {
      options.verbose = true;
    } else if (Is(argument, "--quiet") || Is(argument, "-q")) {
      options.quiet = true;
    } else if (Is(argument, "--undo")) {
      undo = true;
    } else if (Is(argument, "--list-journals")) {
      list = true;
    } else if (Is(argument, "--version")) {
      options.command = Command::kVersion;
      return options;
    } else if (Is(argument, "--help") || Is(argument, "-h")) {
      options.command = Command::kHelp;
      return options;
    } else {
      return "unknown option " + fs::EscapedText(argument);
    }
  }
  if (undo && list) return std::string("--undo and --list-journals go alone");
  if (undo || list) {
    if (!options.folders.empty() || options.mask != 0 || options.dryRun) {
      return std::string(undo ? "--undo" : "--list-journals") + " takes no folder or attribute";
    }
    options.command = undo ? Command::kUndo : Command::kListJournals;
    return options;
  }
  if (options.folders.empty()) return std::string("no FOLDER given");
  if (options.verbose && options.quiet) return std::string("--verbose and --quiet exclude each other");
  return options;
}

}  // namespace lumaveil::cli
