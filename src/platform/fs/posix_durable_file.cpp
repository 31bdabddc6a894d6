#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/fs/durable_file.h"

namespace lumaveil::fs {

std::unique_ptr<DurableFile> DurableFile::Create(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return nullptr;
  return std::unique_ptr<DurableFile>(new DurableFile(fd));
}

std::unique_ptr<DurableFile> DurableFile::OpenExisting(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return nullptr;
  return std::unique_ptr<DurableFile>(new DurableFile(fd));
}

DurableFile::~DurableFile() { ::close(static_cast<int>(handle_)); }

bool DurableFile::Append(const void* data, std::size_t size) {
  ssize_t written;
  do {
    written = ::write(static_cast<int>(handle_), data, size);
  } while (written < 0 && errno == EINTR);
  return written == static_cast<ssize_t>(size);
}

bool DurableFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  return ::pwrite(static_cast<int>(handle_), data, size, static_cast<off_t>(offset)) ==
         static_cast<ssize_t>(size);
}

bool DurableFile::Sync() { return ::fsync(static_cast<int>(handle_)) == 0; }

std::optional<std::filesystem::path> StateFolder() {
  // Relative values are to be ignored, as the base-directory convention says.
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/') return std::filesystem::path(state) / "lumaveil";
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') {
    return std::filesystem::path(home) / ".local" / "state" / "lumaveil";
  }
  return std::nullopt;
}

}  // namespace lumaveil::fs
