// The folder of journals: one file per pass that changed something, the newest 20 kept, and
// all of them together kept under a size cap, so the journal can never fill a disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "attrib/journal_format.h"
#include "attrib/pass_observer.h"
#include "platform/fs/durable_file.h"

namespace lumaveil::attrib {

inline constexpr std::size_t kJournalsKept = 20;
inline constexpr std::uint64_t kJournalBytesCap = 256u << 20;

// Writes one pass's journal: each record reaches the system before its entry is written (as
// the pass's observer, it is asked just before each write). The file is made with the first
// record, so a pass that changes nothing leaves no journal. When a record cannot be written
// (no journal folder, a full disk, the cap), the pass goes on and the journal stops there.
class JournalWriter : public PassObserver {
 public:
  JournalWriter(std::filesystem::path folder, JournalHeader header, std::uint64_t byteCap);
  ~JournalWriter() override;

  bool BeforeWrite(const EntryPlace& place, bool isFolder, const fs::EntryAttributes& before,
                   std::uint32_t mask) override;
  void EntryDone(const EntryPlace&, bool, const fs::AttributeChange&, std::uint32_t) override {}
  void ListingFailed(const EntryPlace&, int) override {}

  // Says the pass is over, with the number of records, and syncs the journal to the disk.
  void Finish();
  // Whether every change so far was recorded.
  bool Complete() const { return !failed_; }
  std::uint64_t Records() const { return records_; }
  // The journal's file, once it has one.
  const std::optional<std::filesystem::path>& Path() const { return path_; }

 private:
  bool Open();

  std::filesystem::path folder_;
  JournalHeader header_;
  std::uint64_t byteCap_;
  std::uint64_t limit_ = 0;  // this journal's share of the cap
  std::uint64_t size_ = 0;
  std::unique_ptr<fs::DurableFile> file_;
  std::optional<std::filesystem::path> path_;
  RecordEncoder encoder_;
  std::string record_;  // the record being written, its storage kept from one to the next
  std::uint64_t records_ = 0;
  bool failed_ = false;
  bool finished_ = false;
};

struct JournalListing {
  std::filesystem::path path;
  JournalHeader header;
  std::uint64_t records = 0;  // complete records, counted when the header does not say
  bool beingWritten = false;  // a pass is writing it now
};

class JournalStore {
 public:
  explicit JournalStore(std::filesystem::path folder, std::uint64_t byteCap = kJournalBytesCap);
  // The store in the state folder (journal/ below it); nothing when there is no state folder.
  static std::optional<JournalStore> AtDefaultPlace();

  const std::filesystem::path& Folder() const { return folder_; }
  // A writer for a pass that begins now on the folder at a drive-form path...
  std::unique_ptr<JournalWriter> BeginOnDriveForm(const std::string& target) const;
  // ... or at a native path.
  std::unique_ptr<JournalWriter> BeginOnNative(const fs::NativeName& target) const;
  // Every journal's file, newest first.
  std::vector<std::filesystem::path> Journals() const;
  // Every readable journal, newest first.
  std::vector<JournalListing> List() const;

 private:
  std::unique_ptr<JournalWriter> Begin(JournalHeader header) const;

  std::filesystem::path folder_;
  std::uint64_t byteCap_;
};

// The whole file; nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

}  // namespace lumaveil::attrib
