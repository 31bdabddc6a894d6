// The journal's bytes: a header saying which pass it belongs to, then one record per entry the
// pass changed, each with the entry's place and its attributes before the change. Every record
// carries its own length and checksum, so a journal cut short (a crash, a full disk) is read up
// to its last complete record. Names are kept exactly as the system stores them: bytes off
// Windows, UTF-16 on Windows. Numbers are little-endian.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "attrib/pass_observer.h"
#include "platform/fs/file_system.h"

namespace lumaveil::attrib {

enum class JournalState : std::uint8_t {
  kWriting = 0,   // a pass is writing it, or was ended before it could say it was done
  kFinished = 1,  // the pass ended and the journal was synced
  kUndone = 2,    // the pass was undone; it is not undone again
};

struct JournalHeader {
  JournalState state = JournalState::kWriting;
  std::uint64_t records = 0;     // set when the pass ends; 0 while it is being written
  std::int64_t time = 0;         // when the pass began, in seconds since 1970 (UTC)
  std::uint32_t mask = 0;        // the attributes the pass gave
  // The folder the pass walked: a drive-form path (UTF-8), or else a native path.
  std::string driveFormTarget;
  fs::NativeName nativeTarget;
};

// A folder that records name, kept once for all of them: in a deep tree a record's path runs
// to megabytes, and every record holding its own copy would take memory by the square of the
// depth.
struct JournalFolder {
  std::size_t parent = 0;  // its folder's index in JournalContents::folders
  fs::NativeName name;     // empty for the target
  std::size_t depth = 0;   // levels below the target
};

struct JournalRecord {
  std::size_t folder = 0;  // the entry's folder: an index in JournalContents::folders
  fs::NativeName name;
  bool isFolder = false;
  fs::EntryAttributes before;
  std::uint32_t mask = 0;  // what the pass gave it
};

// Where the state byte and the record count sit, for changing them in place.
inline constexpr std::uint64_t kJournalStateOffset = 5;
inline constexpr std::uint64_t kJournalRecordsOffset = 8;

std::string EncodeHeader(const JournalHeader& header);

// The most folders a record can name (the counts are 16 bits wide).
inline constexpr std::size_t kJournalMostFolders = 0xFFFF;

// Records one after the other; each names only the folders it does not share with the one
// before it.
class RecordEncoder {
 public:
  // The record of the entry at `place` into `out`, in place of what it held, so that its storage
  // serves every record. False, with nothing encoded, for an entry deeper than a record can say.
  bool EncodeInto(std::string& out, const EntryPlace& place, bool isFolder,
                  const fs::EntryAttributes& before, std::uint32_t mask);

 private:
  std::vector<std::uint64_t> previous_;  // the previous record's folder numbers
};

struct JournalContents {
  JournalHeader header;
  std::vector<JournalFolder> folders{JournalFolder{}};  // the target first
  std::vector<JournalRecord> records;  // every complete record, in the order written
  bool cutShort = false;               // bytes after the last complete record
};

enum class JournalReadError { kNotAJournal, kOtherSystem };

// Reads a whole journal; the error when it is no journal, or one of a system whose names are
// of another width.
struct JournalReadResult {
  std::optional<JournalContents> contents;
  JournalReadError error = JournalReadError::kNotAJournal;
};
JournalReadResult DecodeJournal(std::string_view bytes);

}  // namespace lumaveil::attrib
