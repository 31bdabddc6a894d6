// Runs the built lumaveil-cli as a user would, in a scratch folder of its own: the journal
// folder is inside it, and what the program writes is read back from files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace lumaveil::cli::testing {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string cleaned;
  for (char c : text) {
    if (c != '\r') cleaned += c;  // the Windows console's line ends
  }
  return cleaned;
}

class Scratch {
 public:
  Scratch() {
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            ("lumaveil-cli-test-" + std::to_string(random()));
    std::filesystem::create_directories(root_ / "state");
#ifdef _WIN32
    SetEnvironmentVariableW(L"LOCALAPPDATA", (root_ / "state").c_str());
#else
    setenv("XDG_STATE_HOME", (root_ / "state").c_str(), 1);
#endif
  }
  ~Scratch() {
    std::error_code error;
    std::filesystem::remove_all(root_, error);
  }
  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path JournalFolder() const {
#ifdef _WIN32
    return root_ / "state" / "Lumaveil" / "journal";
#else
    return root_ / "state" / "lumaveil" / "journal";
#endif
  }

  // `arguments` as a shell would take them; paths are quoted with Quote().
  CliRun Cli(const std::string& arguments) const {
    const auto out = root_ / "out.txt";
    const auto err = root_ / "err.txt";
    CliRun run;
#ifdef _WIN32
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const auto program = std::filesystem::path(self).parent_path() / "lumaveil-cli.exe";
    // cmd takes off the outer quotes and keeps the rest as it is.
    const std::string command = "\"" + Quote(program) + " " + arguments + " >" + Quote(out) +
                                " 2>" + Quote(err) + "\"";
    run.status = std::system(command.c_str());
#else
    const std::string command = Quote(LUMAVEIL_CLI) + " " + arguments + " >" + Quote(out) +
                                " 2>" + Quote(err);
    const int status = std::system(command.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    run.out = ReadText(out);
    run.err = ReadText(err);
    return run;
  }

  static std::string Quote(const std::filesystem::path& path) {
#ifdef _WIN32
    return "\"" + path.string() + "\"";
#else
    std::string quoted = "'";
    for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
  }

 private:
  std::filesystem::path root_;
};

}  // namespace lumaveil::cli::testing
