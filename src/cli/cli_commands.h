// The commands of lumaveil-cli, writing to the streams they are given and returning the exit
// status: 0 when everything asked for was done, 1 when some entries could not be, 2 on bad
// usage or when nothing could be begun (a FOLDER that cannot be opened, no journal to undo).
#pragma once

#include <csignal>
#include <ostream>

#include "cli/cli_options.h"

namespace lumaveil::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

struct Console {
  std::ostream& out;
  std::ostream& err;
  bool progress;  // draw the progress line on `err`
  // Raised (by an interrupt) to end the pass early, as Stop does in the window.
  const volatile std::sig_atomic_t& stop;
};

int RunCommand(const Options& options, Console& console);

}  // namespace lumaveil::cli
