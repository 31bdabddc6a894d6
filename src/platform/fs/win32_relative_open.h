// Opening an entry by its name inside an open folder, the Windows counterpart of openat: the
// folder is not looked up again by path, so swapping it for a junction cannot redirect the open,
// and no path length limit applies.
#pragma once

#include <string>

#include "platform/fs/win32_handle.h"

namespace lumaveil::fs {

// Whether `name` is one entry of a folder: not empty, not "." or "..", and free of separators,
// stream markers and NULs, so it cannot reach outside the folder.
bool IsPlainName(const std::wstring& name);

// Opens the entry `name` of `folder` with `access`. A reparse point at `name` is opened itself,
// never followed. `options` are NtCreateFile options (FILE_DIRECTORY_FILE, ...). An invalid
// handle on failure, with GetLastError() saying why.
UniqueHandle OpenInFolder(HANDLE folder, const std::wstring& name, ACCESS_MASK access,
                          ULONG options);

}  // namespace lumaveil::fs
