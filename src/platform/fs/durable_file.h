// A file of the program's own state (the journal) written so that each piece reaches the
// operating system when Append returns (a crash or an exit that ends the process at once keeps
// it), and reaches the disk on Sync. While it is open, nobody else opens it for writing: an
// undo cannot start on a journal that a pass is still writing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace lumaveil::fs {

class DurableFile {
 public:
  // A new file at `path`, which must not exist yet; nullptr when it cannot be made.
  static std::unique_ptr<DurableFile> Create(const std::filesystem::path& path);
  // An existing file, for writing in place; nullptr when it cannot be opened, with `*busy`
  // (where given) true when that is because another DurableFile has it open.
  static std::unique_ptr<DurableFile> OpenExisting(const std::filesystem::path& path,
                                                   bool* busy = nullptr);
  ~DurableFile();
  DurableFile(const DurableFile&) = delete;
  DurableFile& operator=(const DurableFile&) = delete;

  // Adds `size` bytes at the end, in one system call. False when not all of them were written.
  bool Append(const void* data, std::size_t size);
  // Writes `size` bytes at `offset`.
  bool WriteAt(std::uint64_t offset, const void* data, std::size_t size);
  // Waits until what was written is on the disk. Space reserved ahead (a file may hold up to a
  // few MiB of zeros after its last piece until then) is given back.
  bool Sync();

 private:
  struct State;
  explicit DurableFile(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

// The folder for the program's state: $XDG_STATE_HOME/lumaveil (by default
// ~/.local/state/lumaveil) off Windows, %LOCALAPPDATA%\Lumaveil on Windows; nothing when the
// environment names no such place. It is not created here.
std::optional<std::filesystem::path> StateFolder();

}  // namespace lumaveil::fs
