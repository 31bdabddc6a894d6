// The machine's drives: letters from the system, each with its type code and readiness.
#pragma once

#include <string>
#include <vector>

#include "platform/fs/file_system.h"

namespace lumaveil::fs {

// The folder tree's type code for a GetDriveTypeW result.
int DriveTypeCodeOf(unsigned int driveType);

// The root folders ("C:\") in a GetLogicalDriveStringsW buffer: NUL-terminated strings, ended by
// an empty one.
std::vector<std::wstring> SplitDriveStrings(const std::wstring& buffer);

// The drive whose root folder is `root`.
Drive MakeDrive(const std::wstring& root, int typeCode, bool ready);

// Every drive of this machine, in drive-letter order.
std::vector<Drive> ListDrives();

}  // namespace lumaveil::fs
