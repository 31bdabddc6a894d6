// The file-system layer: what the program needs of drives, folders and DOS attributes, behind
// interfaces with a POSIX and a Win32 implementation.
//
// Two ways in:
//  - FolderBrowser: path strings in drive form ("C:\Windows"), UTF-8, for the folder tree and
//    the picker: Drives, GetFolder, SubFolders, Files. Failures are RunTimeError 76 "Path not
//    found", 70 "Permission denied", 71 "Disk not ready", 75 "Path/File access error".
//  - DirectoryOpener: open folder handles (Directory) for the attribute pass and the undo:
//    listings and attribute calls relative to a folder that is already open, never following a
//    link, so a folder swapped for a link mid-pass cannot lead anywhere outside the target and
//    path length is no limit.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/text_encoding.h"

namespace lumaveil::fs {

// Names as the platform stores them, and their text for labels, keys and terminals.
using text::DisplayText;
using text::EscapedText;
using text::NativeChar;
using text::NativeName;

// Windows file attribute bits.
namespace attr {
inline constexpr std::uint32_t kReadOnly = 0x1;
inline constexpr std::uint32_t kHidden = 0x2;
inline constexpr std::uint32_t kSystem = 0x4;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
// The bits a set call may change; every other bit of an entry is kept.
inline constexpr std::uint32_t kSettable = 0x3127;
}  // namespace attr

// Drive type codes, as the folder tree's picture table reads them.
enum DriveTypeCode : int {
  kDriveUnknown = 0,
  kDriveRemovable = 1,
  kDriveFixed = 2,
  kDriveNetwork = 3,
  kDriveCdRom = 4,
  kDriveRamDisk = 5,
};

struct Drive {
  std::string DriveLetter;  // "C"
  std::string Path;         // "C:"
  int DriveType = kDriveUnknown;
  bool IsReady = false;
  std::string RootFolder;   // "C:\"
};

// A folder as the tree sees it: Path is "C:\" for a drive root, "C:\Windows" otherwise;
// Name is the last component ("" for a root).
struct Folder {
  std::string Path;
  std::string Name;
};

enum class EntryKind { Folder, File, Link, Special, Unknown };

struct DirEntry {
  NativeName name;
  EntryKind kind = EntryKind::Unknown;
};

// One entry's attributes as a read reports them and, off Windows, its permission bits (07777),
// which hold a regular file's Read-Only on file systems without attributes of their own. On
// Windows `mode` is 0.
struct EntryAttributes {
  std::uint32_t bits = 0;
  std::uint32_t mode = 0;
  bool operator==(const EntryAttributes&) const = default;
};

// What one ChangeAttributes call found and did.
struct AttributeChange {
  enum class Result {
    kChanged,       // written
    kAlreadyRight,  // the entry had them already: nothing written
    kHeldBack,      // a write was needed, and the caller's hook declined it
    kFailed,        // it could not be read or written: `error` says why
    kLeftAlone,     // a link or special file, which is never changed
  };
  Result result = Result::kFailed;
  EntryAttributes before;  // as read before any write (when it could be read)
  int error = 0;           // errno, or the Win32 error code, when kFailed
};

// What ChangeAttributes wants of an entry: the four settable bits, and for the undo, the exact
// permission bits of a regular file (the pass itself never asks for a mode).
struct AttributeTarget {
  std::uint32_t bits = 0;
  std::optional<std::uint32_t> mode;
};

// Whether `current` already is what `target` asks for: the settable bits, and the mode when
// one is asked for.
bool AlreadyMatches(const EntryAttributes& current, const AttributeTarget& target);

// Called once a write is known to be needed, before anything is written; false holds it back.
// Exceptions from the hook pass through, with nothing written.
using BeforeWrite = std::function<bool(const EntryAttributes& before)>;

// The system's words for an error number from AttributeChange or LastErrorNumber().
std::string ErrorText(int error);
// The error number of the calling thread's last failed call of this layer (errno, or the last
// Win32 error), for the calls that only say that they failed.
int LastErrorNumber();

// What makes a folder the one it is, whatever it is called: the device and inode on POSIX, the
// volume serial number and file id on Windows. A folder renamed into another's place has
// another identity.
struct FolderIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FolderIdentity&) const = default;
};

// An open folder. Every call is relative to it and never follows a link in the last component.
class Directory {
 public:
  virtual ~Directory() = default;

  // Every entry, in the file system's order, "." and ".." included where the folder has them.
  virtual std::vector<DirEntry> ListAll() = 0;
  // The sub-folder `name`, or nullptr when it is missing, unreadable, not a folder or a link.
  virtual std::unique_ptr<Directory> OpenFolder(const NativeName& name) = 0;
  // Reads `name` once and, unless its settable bits (and the mode, when one is asked for)
  // already match `target`, calls `beforeWrite` and then writes. Links and special files are
  // left alone.
  virtual AttributeChange ChangeAttributes(const NativeName& name, const AttributeTarget& target,
                                           const BeforeWrite& beforeWrite) = 0;
  // Which folder this handle holds; nullopt when that cannot be asked.
  virtual std::optional<FolderIdentity> Identity() = 0;
};

// Browsing by drive-form path, for the folder tree and the folder picker.
class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;

  // Every drive, in drive-letter order.
  virtual std::vector<Drive> Drives() = 0;
  // The folder at a drive-form path (with or without a trailing separator). Throws RunTimeError.
  virtual Folder GetFolder(const std::string& path) = 0;
  // All sub-folders (hidden and system ones too), in the file system's order. Throws.
  virtual std::vector<Folder> SubFolders(const Folder& folder) = 0;
  // The names of all files (hidden and system ones too), in the file system's order. Throws.
  virtual std::vector<std::string> Files(const Folder& folder) = 0;
};

// Opening the folder a pass or an undo works through.
class DirectoryOpener {
 public:
  virtual ~DirectoryOpener() = default;

  // The folder at a drive-form path, open for the attribute pass; nullptr when it cannot be
  // listed (missing, not a folder, unreadable, not reachable in drive form).
  virtual std::unique_ptr<Directory> OpenDirectory(const std::string& path) = 0;
};

// Both ways in, as each platform offers them; the front ends hand each part to what needs it.
class FileSystem : public FolderBrowser, public DirectoryOpener {};

// This platform's file system.
std::unique_ptr<FileSystem> CreateFileSystem();

}  // namespace lumaveil::fs
