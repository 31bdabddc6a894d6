// Appends go into a shared mapping of space reserved ahead with fallocate: a store into it is a
// store into the system's page cache, so each piece reaches the operating system as surely as
// with write(2), without a system call per piece. The space is really allocated, so a full disk
// shows as a failed reservation and never as SIGBUS on a store. Where a file system cannot
// reserve space, appends fall back to write(2).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/fs/durable_file.h"

namespace lumaveil::fs {
namespace {

// The first reservation, and the largest step by which it grows: a pass that ends at once
// leaves a small file, and one cut short by a crash at most this much unused space.
constexpr std::uint64_t kFirstReserve = 64u << 10;
constexpr std::uint64_t kLargestStep = 4u << 20;

bool WriteAll(int fd, const void* data, std::size_t size, off_t offset) {
  ssize_t written;
  do {
    written = offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
  } while (written < 0 && errno == EINTR);
  return written == static_cast<ssize_t>(size);
}

// Opened for writing and locked, so that an undo cannot start on a journal that a pass is
// still writing; the lock goes with the process, so a pass that crashed does not keep it.
int OpenLocked(const std::filesystem::path& path, int flags, bool* busy) {
  const int fd = ::open(path.c_str(), flags | O_RDWR | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return -1;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (busy) *busy = error == EWOULDBLOCK;
    errno = error;
    return -1;
  }
  return fd;
}

}  // namespace

struct DurableFile::State {
  int fd = -1;
  std::uint64_t size = 0;      // what was written, as the file will end
  char* map = nullptr;         // [0, reserved) mapped, while appends go there
  std::uint64_t reserved = 0;
  bool mapping = true;         // false once the file system refused to reserve space

  ~State() {
    if (map) ::munmap(map, reserved);
    if (fd >= 0) ::close(fd);
  }

  void Unmap() {
    if (map) ::munmap(map, reserved);
    map = nullptr;
    reserved = 0;
  }

  // Room for `more` bytes after `size` in the mapping; false when there is none to be had
  // (and `mapping` false when write(2) is to serve instead).
  bool Reserve(std::uint64_t more) {
    const std::uint64_t need = size + more;
    if (map && need <= reserved) return true;
    if (!mapping) return false;
    const std::uint64_t step = std::clamp<std::uint64_t>(reserved, kFirstReserve, kLargestStep);
    const long page = ::sysconf(_SC_PAGESIZE);
    std::uint64_t wanted = std::max(need, reserved + step);
    wanted = (wanted + page - 1) / page * page;
    if (::fallocate(fd, 0, 0, static_cast<off_t>(wanted)) != 0) {
      if (errno == EOPNOTSUPP || errno == ENOSYS) {
        // From now on write(2) serves; the bytes written so far end the file.
        Unmap();
        mapping = false;
        ::ftruncate(fd, static_cast<off_t>(size));
      }
      return false;
    }
    void* grown = map ? ::mremap(map, reserved, wanted, MREMAP_MAYMOVE)
                      : ::mmap(nullptr, wanted, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (grown == MAP_FAILED) {
      // The old mapping stays valid when mremap fails; without any, write(2) serves.
      if (!map) mapping = false;
      return false;
    }
    map = static_cast<char*>(grown);
    reserved = wanted;
    return true;
  }
};

DurableFile::DurableFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
DurableFile::~DurableFile() = default;

std::unique_ptr<DurableFile> DurableFile::Create(const std::filesystem::path& path) {
  auto state = std::make_unique<State>();
  state->fd = OpenLocked(path, O_CREAT | O_EXCL, nullptr);
  if (state->fd < 0) return nullptr;
  return std::unique_ptr<DurableFile>(new DurableFile(std::move(state)));
}

std::unique_ptr<DurableFile> DurableFile::OpenExisting(const std::filesystem::path& path,
                                                       bool* busy) {
  if (busy) *busy = false;
  auto state = std::make_unique<State>();
  state->fd = OpenLocked(path, 0, busy);
  if (state->fd < 0) return nullptr;
  const off_t end = ::lseek(state->fd, 0, SEEK_END);
  if (end < 0) return nullptr;
  state->size = static_cast<std::uint64_t>(end);
  // An existing file is only written in place.
  state->mapping = false;
  return std::unique_ptr<DurableFile>(new DurableFile(std::move(state)));
}

bool DurableFile::Append(const void* data, std::size_t size) {
  State& s = *state_;
  if (s.mapping && s.Reserve(size)) {
    std::memcpy(s.map + s.size, data, size);
  } else if (s.mapping || !WriteAll(s.fd, data, size, static_cast<off_t>(s.size))) {
    return false;
  }
  s.size += size;
  return true;
}

bool DurableFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  State& s = *state_;
  if (s.map && offset + size <= s.size) {
    std::memcpy(s.map + offset, data, size);
    return true;
  }
  return WriteAll(s.fd, data, size, static_cast<off_t>(offset));
}

bool DurableFile::Sync() {
  State& s = *state_;
  bool synced = true;
  if (s.map) {
    synced = ::msync(s.map, s.reserved, MS_SYNC) == 0;
    // The space reserved beyond the last piece is given back; the file ends where it was
    // written, and the next append reserves again.
    s.Unmap();
    synced = ::ftruncate(s.fd, static_cast<off_t>(s.size)) == 0 && synced;
  }
  return ::fsync(s.fd) == 0 && synced;
}

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
