#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/fs/durable_file.h"

namespace lumaveil::fs {
namespace {

// Others may read the file while it is open, never write it: an undo cannot start on a journal
// that a pass is still writing. The handle goes with the process, so a pass that crashed does
// not keep it.
HANDLE Open(const std::filesystem::path& path, DWORD disposition) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool WriteAllAt(HANDLE handle, std::uint64_t offset, const void* data, std::size_t size) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD written = 0;
  return WriteFile(handle, data, static_cast<DWORD>(size), &written, &at) && written == size;
}

}  // namespace

struct DurableFile::State {
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::uint64_t size = 0;  // where the next piece goes

  ~State() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
};

DurableFile::DurableFile(std::unique_ptr<State> state) : state_(std::move(state)) {}
DurableFile::~DurableFile() = default;

std::unique_ptr<DurableFile> DurableFile::Create(const std::filesystem::path& path) {
  auto state = std::make_unique<State>();
  state->handle = Open(path, CREATE_NEW);
  if (state->handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<DurableFile>(new DurableFile(std::move(state)));
}

std::unique_ptr<DurableFile> DurableFile::OpenExisting(const std::filesystem::path& path,
                                                       bool* busy) {
  if (busy) *busy = false;
  auto state = std::make_unique<State>();
  state->handle = Open(path, OPEN_EXISTING);
  if (state->handle == INVALID_HANDLE_VALUE) {
    if (busy) *busy = GetLastError() == ERROR_SHARING_VIOLATION;
    return nullptr;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(state->handle, &size)) return nullptr;
  state->size = static_cast<std::uint64_t>(size.QuadPart);
  return std::unique_ptr<DurableFile>(new DurableFile(std::move(state)));
}

bool DurableFile::Append(const void* data, std::size_t size) {
  if (!WriteAllAt(state_->handle, state_->size, data, size)) return false;
  state_->size += size;
  return true;
}

bool DurableFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  return WriteAllAt(state_->handle, offset, data, size);
}

bool DurableFile::Sync() { return FlushFileBuffers(state_->handle) != FALSE; }

std::optional<std::filesystem::path> StateFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (!local || !local[0]) return std::nullopt;
  return std::filesystem::path(local) / L"Lumaveil";
}

}  // namespace lumaveil::fs
