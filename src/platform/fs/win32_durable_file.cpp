#include <windows.h>

#include <cstdlib>

#include "platform/fs/durable_file.h"

namespace lumaveil::fs {
namespace {

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::intptr_t Open(const std::filesystem::path& path, DWORD disposition) {
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  return handle == INVALID_HANDLE_VALUE ? 0 : reinterpret_cast<std::intptr_t>(handle);
}

}  // namespace

std::unique_ptr<DurableFile> DurableFile::Create(const std::filesystem::path& path) {
  const std::intptr_t handle = Open(path, CREATE_NEW);
  if (!handle) return nullptr;
  // Appends go to the end without a seek of their own.
  SetFilePointer(Handle(handle), 0, nullptr, FILE_END);
  return std::unique_ptr<DurableFile>(new DurableFile(handle));
}

std::unique_ptr<DurableFile> DurableFile::OpenExisting(const std::filesystem::path& path) {
  const std::intptr_t handle = Open(path, OPEN_EXISTING);
  if (!handle) return nullptr;
  return std::unique_ptr<DurableFile>(new DurableFile(handle));
}

DurableFile::~DurableFile() { CloseHandle(Handle(handle_)); }

bool DurableFile::Append(const void* data, std::size_t size) {
  LARGE_INTEGER end{};
  if (!SetFilePointerEx(Handle(handle_), end, nullptr, FILE_END)) return false;
  DWORD written = 0;
  return WriteFile(Handle(handle_), data, static_cast<DWORD>(size), &written, nullptr) &&
         written == size;
}

bool DurableFile::WriteAt(std::uint64_t offset, const void* data, std::size_t size) {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD written = 0;
  return WriteFile(Handle(handle_), data, static_cast<DWORD>(size), &written, &at) &&
         written == size;
}

bool DurableFile::Sync() { return FlushFileBuffers(Handle(handle_)) != FALSE; }

std::optional<std::filesystem::path> StateFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  if (!local || !local[0]) return std::nullopt;
  return std::filesystem::path(local) / L"Lumaveil";
}

}  // namespace lumaveil::fs
