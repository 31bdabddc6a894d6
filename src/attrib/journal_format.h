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

struct JournalRecord {
  std::vector<fs::NativeName> folders;  // from the target down to the entry's folder
  fs::NativeName name;
  bool isFolder = false;
  fs::EntryAttributes before;
  std::uint32_t mask = 0;  // what the pass gave it
};

// Where the state byte and the record count sit, for changing them in place.
inline constexpr std::uint64_t kJournalStateOffset = 5;
inline constexpr std::uint64_t kJournalRecordsOffset = 8;

std::string EncodeHeader(const JournalHeader& header);

// Records one after the other; each names only the folders it does not share with the one
// before it.
class RecordEncoder {
 public:
  std::string Encode(const JournalRecord& record);
  // The same into `out`, in place of what it held, so that its storage serves every record.
  void EncodeInto(std::string& out, const std::vector<fs::NativeName>& folders,
                  const fs::NativeName& name, bool isFolder, const fs::EntryAttributes& before,
                  std::uint32_t mask);
  // Forgets the previous record, after one could not be written.
  void Reset() { previous_.clear(); }

 private:
  std::vector<fs::NativeName> previous_;
};

struct JournalContents {
  JournalHeader header;
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
