// lumaveil-cli: see cli_commands.h and `lumaveil-cli --help`.
#include <csignal>
#include <iostream>
#include <variant>

#include "cli/cli_commands.h"
#include "cli/console.h"

namespace {

volatile std::sig_atomic_t stopAsked = 0;

extern "C" void AskToStop(int) { stopAsked = 1; }

}  // namespace

int main(int argc, char** argv) {
  using namespace lumaveil::cli;
  PrepareConsole();
  std::ios::sync_with_stdio(false);
  const auto parsed = ParseOptions(NativeArguments(argc, argv));
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    std::cerr << "lumaveil-cli: " << *problem << '\n' << kUsage;
    return kExitUsage;
  }
  // An interrupt ends the pass as Stop does: the journal is synced and the report written.
  std::signal(SIGINT, AskToStop);
  Console console{std::cout, std::cerr, StderrIsTerminal(), stopAsked};
  const int status = RunCommand(std::get<Options>(parsed), console);
  std::cout.flush();
  return status;
}
