// A Samba server of the test's own on 127.0.0.1: its configuration, user, state folders and share
// live in a scratch folder, it listens on a port that was free when it started, and it is stopped
// by its process ID when the object goes. smbclient talks to it through Run().
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "posix_fs_test_support.h"

namespace lumaveil::fs::testing {

class SambaServer {
 public:
  static constexpr const char* kUser = "root";
  static constexpr const char* kPassword = "lumaveil";

  SambaServer() { problem_ = Start(); }
  ~SambaServer() { Stop(); }
  SambaServer(const SambaServer&) = delete;
  SambaServer& operator=(const SambaServer&) = delete;

  // Empty when the server runs; otherwise why it does not.
  const std::string& Problem() const { return problem_; }
  // The shared folder, on the local disk.
  std::string Share() const { return folder_ / "share"; }
  // What smbclient prints for `commands` run on the share (stdout and stderr).
  std::string Run(const std::string& commands) const {
    return Output("smbclient -s " + folder_ / "smb.conf" + " -p " + std::to_string(port_) +
                  " -U " + kUser + "%" + kPassword + " //127.0.0.1/share -c '" + commands +
                  "' 2>&1");
  }

 private:
  static std::string Output(const std::string& command) {
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
      char buffer[4096];
      std::size_t got;
      while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
      pclose(pipe);
    }
    return text;
  }

  static bool Installed(const std::string& program) {
    return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
  }

  // A port nobody listens on now; another suite may still take it before smbd does, and then
  // smbd fails to start and says so in the problem.
  static int FreePort() {
    const int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (probe >= 0 && bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port = ntohs(address.sin_port);
    }
    if (probe >= 0) close(probe);
    return port;
  }

  bool Accepts() const {
    const int client = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port_));
    const bool accepted =
        client >= 0 && connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (client >= 0) close(client);
    return accepted;
  }

  std::string Start() {
    if (!Installed("smbd") || !Installed("smbclient") || !Installed("smbpasswd")) {
      return "smbd, smbclient or smbpasswd is missing (scripts/packages/samba.txt installs them)";
    }
    if (geteuid() != 0) return "smbd needs root to serve files as a user";
    if (folder_.path().empty()) return "no scratch folder";
    const std::string root = folder_.path();
    for (const char* sub : {"share", "lock", "state", "cache", "pid", "private", "ncalrpc"}) {
      if (mkdir((folder_ / sub).c_str(), 0755) != 0) return "cannot make " + folder_ / sub;
    }
    port_ = FreePort();
    if (port_ == 0) return "no free port on 127.0.0.1";
    std::ofstream(folder_ / "smb.conf")
        << "[global]\n"
        << "  server role = standalone server\n"
        << "  interfaces = 127.0.0.1\n"
        << "  bind interfaces only = yes\n"
        << "  smb ports = " << port_ << "\n"
        << "  disable netbios = yes\n"
        << "  lock directory = " << root << "/lock\n"
        << "  state directory = " << root << "/state\n"
        << "  cache directory = " << root << "/cache\n"
        << "  pid directory = " << root << "/pid\n"
        << "  private dir = " << root << "/private\n"
        << "  ncalrpc dir = " << root << "/ncalrpc\n"
        << "  passdb backend = tdbsam:" << root << "/private/passdb.tdb\n"
        << "  log file = " << root << "/log\n"
        << "  load printers = no\n"
        << "  printcap name = /dev/null\n"
        << "  disable spoolss = yes\n"
        << "[share]\n"
        << "  path = " << root << "/share\n"
        << "  read only = no\n"
        << "  store dos attributes = yes\n"
        << "  map archive = no\n"
        << "  map hidden = no\n"
        << "  map system = no\n"
        << "  map readonly = no\n";
    const std::string added =
        Output(std::string("printf '") + kPassword + "\\n" + kPassword + "\\n' | smbpasswd -c " +
               folder_ / "smb.conf" + " -s -a " + kUser + " 2>&1");
    if (added.find("Added user") == std::string::npos) return "smbpasswd: " + added;

    pid_ = fork();
    if (pid_ < 0) return "fork failed";
    if (pid_ == 0) {
      const std::string conf = folder_ / "smb.conf";
      const std::string out = folder_ / "smbd.out";
      std::freopen(out.c_str(), "w", stdout);
      std::freopen(out.c_str(), "a", stderr);
      execlp("smbd", "smbd", "--foreground", "-s", conf.c_str(),
             static_cast<char*>(nullptr));
      _exit(127);
    }
    // Ready when it accepts a connection; gone when it exited (a port taken meanwhile, say).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!Accepts()) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        std::ifstream log(folder_ / "smbd.out");
        return "smbd exited: " + std::string(std::istreambuf_iterator<char>(log), {});
      }
      if (std::chrono::steady_clock::now() > deadline) return "smbd did not start listening";
      const timespec pause{0, 20 * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
    return "";
  }

  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
  }

  ScratchFolder folder_;
  int port_ = 0;
  pid_t pid_ = -1;
  std::string problem_;
};

}  // namespace lumaveil::fs::testing
