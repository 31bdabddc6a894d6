// What the pass returns and tells its observer: each entry counted once under what became of
// it, the observer asked before each write, and the journal written ahead and read back.
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "attrib/attribute_pass.h"
#include "attrib/journal_format.h"
#include "attrib/journal_store.h"
#include "attrib/journal_undo.h"
#include "fake_file_system.h"
#include "recording_host.h"
#include "silent_undo.h"

namespace lumaveil::attrib {
namespace {

using testing::FakeFileSystem;
using testing::Native;
using testing::RecordingHost;
using testing::SilentUndo;

// Writes what it is told, and holds back writes when asked to.
class ListeningObserver : public PassObserver {
 public:
  bool holdBack = false;
  std::vector<std::string> heard;

  bool BeforeWrite(const EntryPlace& place, bool isFolder, const fs::EntryAttributes& before,
                   std::uint32_t mask) override {
    heard.push_back("before " + Path(place) + (isFolder ? "/ " : " ") +
                    std::to_string(before.bits) + "->" + std::to_string(mask));
    return !holdBack;
  }
  void EntryDone(const EntryPlace& place, bool, const fs::AttributeChange& change,
                 std::uint32_t) override {
    heard.push_back("done " + Path(place) + " " + std::to_string(static_cast<int>(change.result)));
  }
  void ListingFailed(const EntryPlace& place, int) override {
    heard.push_back("unlisted " + Path(place));
  }

 private:
  static std::string Path(const EntryPlace& place) {
    std::string path;
    for (const auto& folder : place.folders) path += fs::DisplayText(folder) + "/";
    return path + fs::DisplayText(place.name);
  }
};

class PassOutcomeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs_.AddFolder("T");
    fs_.AddFolder("T/sub", 0x02);
    fs_.AddFile("T/sub/hidden", 0x02);
    fs_.AddFile("T/right", 0x00);
    fs_.AddFile("T/locked", 0x04)->locked = true;
    fs_.AddLink("T/link");
    fs_.AddFolder("T/closed", 0x02)->readable = false;
    pass_.SetObserver(&observer_);
  }

  FakeFileSystem fs_;
  RecordingHost host_{fs_.Log()};
  AttributePass pass_{fs_, host_};
  ListeningObserver observer_;
  std::int32_t count_ = 0;
};

TEST_F(PassOutcomeTest, EveryEntryIsCountedOnceUnderWhatBecameOfIt) {
  const PassOutcome outcome = pass_.ScanFolder("C:\\T", count_);

  EXPECT_TRUE(outcome.targetOpened);
  EXPECT_FALSE(outcome.stopped);
  EXPECT_EQ(outcome.files.changed, 1u);       // sub/hidden
  EXPECT_EQ(outcome.files.alreadyRight, 1u);  // right
  EXPECT_EQ(outcome.files.failed, 1u);        // locked
  EXPECT_EQ(outcome.files.leftAlone, 1u);     // link
  EXPECT_EQ(outcome.folders.changed, 2u);     // sub, and closed itself
  EXPECT_EQ(outcome.failedListings, 1u);      // what closed holds
  EXPECT_FALSE(outcome.AllRight());
  EXPECT_EQ(fs_.Attributes("T/link"), 0u);
  EXPECT_EQ(fs_.Log().end(), std::find(fs_.Log().begin(), fs_.Log().end(), "set T/link 0"))
      << "a link is never handed to the attribute call";
}

TEST_F(PassOutcomeTest, TheObserverIsAskedBeforeEachWriteAndHearsEveryEntryAfterIt) {
  pass_.ScanFolder("C:\\T", count_);

  const std::vector<std::string> expected = {
      "before sub/hidden 2->0", "done sub/hidden 0", "before sub/ 2->0", "done sub 0",
      "done right 1",           "before locked 4->0", "done locked 3",    "done link 4",
      "before closed/ 2->0",    "unlisted closed",    "done closed 0"};
  EXPECT_EQ(observer_.heard, expected);
}

TEST_F(PassOutcomeTest, AWriteHeldBackChangesNothingAndCountsAsAChange) {
  observer_.holdBack = true;

  const PassOutcome outcome = pass_.ScanFolder("C:\\T", count_);

  EXPECT_EQ(fs_.Attributes("T/sub/hidden"), 0x02u);
  EXPECT_EQ(fs_.Attributes("T/sub"), 0x02u);
  EXPECT_EQ(outcome.files.changed, 2u);  // sub/hidden, and locked, whose write never came
  EXPECT_EQ(outcome.files.failed, 0u);
}

TEST_F(PassOutcomeTest, AFolderOfAnotherVolumeIsLeftAloneAndNotAFailedListing) {
  fs_.AddFolder("T/mounted", 0x02)->otherVolume = true;
  fs_.AddFile("T/mounted/inside", 0x02);

  const PassOutcome outcome = pass_.ScanFolder("C:\\T", count_);

  EXPECT_EQ(outcome.folders.leftAlone, 1u);
  EXPECT_EQ(outcome.failedListings, 1u) << "only what closed holds";
  EXPECT_EQ(outcome.files.changed, 1u) << "sub/hidden, not mounted/inside";
  EXPECT_EQ(fs_.Attributes("T/mounted"), 0x02u);
  EXPECT_EQ(fs_.Attributes("T/mounted/inside"), 0x02u);
  EXPECT_EQ(std::count(observer_.heard.begin(), observer_.heard.end(), "unlisted mounted"), 0);
}

TEST_F(PassOutcomeTest, AMissingTargetOpensNothing) {
  const PassOutcome outcome = pass_.ScanFolder("C:\\missing", count_);
  EXPECT_FALSE(outcome.targetOpened);
  EXPECT_FALSE(outcome.AllRight());
  EXPECT_EQ(outcome.files.Total() + outcome.folders.Total(), 0u);
}

// A record as a test writes it: its folders by name and by number.
struct TestRecord {
  std::vector<fs::NativeName> folders;
  std::vector<std::uint64_t> ids;
  fs::NativeName name;
  bool isFolder = false;
  fs::EntryAttributes before;
  std::uint32_t mask = 0;
};

std::string Encoded(RecordEncoder& encoder, const TestRecord& record) {
  std::string out;
  EXPECT_TRUE(encoder.EncodeInto(out, {record.folders, record.name, record.ids}, record.isFolder,
                                 record.before, record.mask));
  return out;
}

std::vector<fs::NativeName> NamesOf(const JournalContents& contents, std::size_t folder) {
  std::vector<fs::NativeName> names;
  for (; contents.folders[folder].depth > 0; folder = contents.folders[folder].parent) {
    names.insert(names.begin(), contents.folders[folder].name);
  }
  return names;
}

TEST(JournalFormat, RecordsComeBackWhole) {
  JournalHeader header;
  header.nativeTarget = Native("/media/stick");
  header.time = 1700000000;
  header.mask = 0x20;
  std::string bytes = EncodeHeader(header);
  RecordEncoder encoder;
  const std::vector<TestRecord> records = {
      {{Native("a"), Native("b")}, {1, 2}, Native("x\n\x7f"), false, {0x07, 0640}, 0x20},
      {{Native("a"), Native("b")}, {1, 2}, Native("y"), false, {0x02, 0}, 0x20},
      {{Native("a")}, {1}, Native("b"), true, {0x12, 0755}, 0x20},
      {{Native("c")}, {3}, Native("z"), false, {0x80, 0444}, 0x20},
  };
  for (const auto& record : records) bytes += Encoded(encoder, record);

  const JournalReadResult read = DecodeJournal(bytes);

  ASSERT_TRUE(read.contents);
  EXPECT_FALSE(read.contents->cutShort);
  EXPECT_EQ(read.contents->header.nativeTarget, header.nativeTarget);
  EXPECT_EQ(read.contents->header.time, header.time);
  EXPECT_EQ(read.contents->header.state, JournalState::kWriting);
  ASSERT_EQ(read.contents->records.size(), records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    const JournalRecord& got = read.contents->records[i];
    EXPECT_EQ(NamesOf(*read.contents, got.folder), records[i].folders) << i;
    EXPECT_EQ(got.name, records[i].name) << i;
    EXPECT_EQ(got.isFolder, records[i].isFolder) << i;
    EXPECT_EQ(got.before, records[i].before) << i;
    EXPECT_EQ(got.mask, records[i].mask) << i;
  }
}

TEST(JournalFormat, ARecordNamesAtMost65535Folders) {
  RecordEncoder encoder;
  std::vector<fs::NativeName> folders(kJournalMostFolders, Native("d"));
  std::vector<std::uint64_t> ids(folders.size());
  for (std::size_t i = 0; i < ids.size(); ++i) ids[i] = i + 1;
  const fs::NativeName name = Native("f");
  std::string out;
  EXPECT_TRUE(encoder.EncodeInto(out, {folders, name, ids}, false, {2, 0}, 0));
  folders.push_back(Native("d"));
  ids.push_back(ids.size() + 1);
  EXPECT_FALSE(encoder.EncodeInto(out, {folders, name, ids}, false, {2, 0}, 0));
}

TEST(JournalFormat, AJournalCutAnywhereKeepsEveryRecordBeforeTheCut) {
  JournalHeader header;
  header.driveFormTarget = "E:\\";
  const std::string head = EncodeHeader(header);
  RecordEncoder encoder;
  const std::string first = Encoded(encoder, {{Native("d")}, {1}, Native("one"), false, {2, 0}, 0});
  const std::string second = Encoded(encoder, {{Native("d")}, {1}, Native("two"), false, {4, 0}, 0});
  const std::string whole = head + first + second;

  for (std::size_t cut = head.size(); cut < whole.size(); ++cut) {
    const JournalReadResult read = DecodeJournal(std::string_view(whole).substr(0, cut));
    ASSERT_TRUE(read.contents) << cut;
    const std::size_t complete = cut >= head.size() + first.size() ? 1 : 0;
    EXPECT_EQ(read.contents->records.size(), complete) << cut;
    EXPECT_EQ(read.contents->cutShort, cut != head.size() + first.size() && cut != head.size())
        << cut;
  }
  // Zeros after the last record are space reserved ahead, unless something follows them.
  const JournalReadResult reserved = DecodeJournal(whole + std::string(4096, '\0'));
  EXPECT_EQ(reserved.contents->records.size(), 2u);
  EXPECT_FALSE(reserved.contents->cutShort);
  const JournalReadResult junk = DecodeJournal(whole + std::string(8, '\0') + "x");
  EXPECT_EQ(junk.contents->records.size(), 2u);
  EXPECT_TRUE(junk.contents->cutShort);
  std::string damaged = whole;
  damaged[damaged.size() - 6] ^= 0x01;  // inside the second record's payload
  EXPECT_EQ(DecodeJournal(damaged).contents->records.size(), 1u);
  EXPECT_FALSE(DecodeJournal("not a journal").contents);
}

class JournalStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() /
              ("lumaveil-journal-test-" + std::to_string(random()));
  }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
  }
  // One pass's journal with `records` records.
  void Write(const JournalStore& store, int records) {
    auto writer = store.BeginOnDriveForm("C:\\");
    std::vector<fs::NativeName> none;
    std::vector<std::uint64_t> noIds;
    const fs::NativeName name = Native("entry");
    for (int i = 0; i < records; ++i) writer->BeforeWrite({none, name, noIds}, false, {2, 0}, 0);
    writer->Finish();
  }
  std::filesystem::path folder_;
};

TEST_F(JournalStoreTest, APassThatChangesNothingLeavesNoJournal) {
  JournalStore store(folder_);
  Write(store, 0);
  EXPECT_TRUE(store.Journals().empty());
}

TEST_F(JournalStoreTest, TheNewestTwentyAreKeptNewestFirst) {
  JournalStore store(folder_);
  for (int pass = 1; pass <= 22; ++pass) Write(store, pass);

  const std::vector<JournalListing> listings = store.List();

  ASSERT_EQ(listings.size(), kJournalsKept);
  EXPECT_EQ(listings.front().records, 22u);
  EXPECT_EQ(listings.back().records, 3u);
  EXPECT_EQ(listings.front().header.state, JournalState::kFinished);
}

TEST_F(JournalStoreTest, AJournalStopsAtTheCapAndSaysItIsIncomplete) {
  JournalStore store(folder_, 4096);
  auto writer = store.BeginOnDriveForm("C:\\");
  std::vector<fs::NativeName> none;
  std::vector<std::uint64_t> noIds;
  const fs::NativeName name = Native("entry");
  for (int i = 0; i < 1000; ++i) {
    // Writes go on whatever becomes of the journal.
    EXPECT_TRUE(writer->BeforeWrite({none, name, noIds}, false, {2, 0}, 0));
  }
  writer->Finish();

  EXPECT_FALSE(writer->Complete());
  EXPECT_GT(writer->Records(), 0u);
  EXPECT_LT(writer->Records(), 1000u);
  EXPECT_LE(std::filesystem::file_size(*writer->Path()), 4096u);
  EXPECT_EQ(store.List().front().header.state, JournalState::kWriting);
}

TEST_F(JournalStoreTest, EachRecordIsInTheFileAsItIsWrittenAndNoUndoStartsBeforeTheEnd) {
  JournalStore store(folder_);
  auto writer = store.BeginOnDriveForm("C:\\");
  std::vector<fs::NativeName> none;
  std::vector<std::uint64_t> noIds;
  for (int i = 0; i < 3000; ++i) {
    writer->BeforeWrite({none, Native("entry" + std::to_string(i)), noIds}, false, {2, 0}, 0);
  }
  // What another process would read now, the pass still running.
  const auto during = ReadWholeFile(*writer->Path());
  ASSERT_TRUE(during);
  const JournalReadResult read = DecodeJournal(*during);
  ASSERT_TRUE(read.contents);
  EXPECT_EQ(read.contents->records.size(), 3000u);
  EXPECT_EQ(read.contents->records.back().name, Native("entry2999"));
  EXPECT_FALSE(read.contents->cutShort);
  ASSERT_EQ(store.List().size(), 1u);
  EXPECT_TRUE(store.List().front().beingWritten);
  auto fileSystem = fs::CreateFileSystem();
  SilentUndo silent;
  EXPECT_EQ(UndoJournal(*writer->Path(), *fileSystem, silent).status, UndoStatus::kBeingWritten);

  writer->Finish();
  EXPECT_FALSE(store.List().front().beingWritten);
  EXPECT_EQ(store.List().front().header.state, JournalState::kFinished);
  // Nothing reserved ahead is left behind: the file ends with its last record.
  const auto after = ReadWholeFile(*writer->Path());
  ASSERT_TRUE(after);
  const JournalReadResult finished = DecodeJournal(*after);
  ASSERT_TRUE(finished.contents);
  std::size_t size = EncodeHeader(finished.contents->header).size();
  RecordEncoder encoder;
  for (const JournalRecord& record : finished.contents->records) {
    size += Encoded(encoder, {{}, {}, record.name, record.isFolder, record.before, record.mask})
                .size();
  }
  EXPECT_EQ(finished.contents->records.size(), 3000u);
  EXPECT_EQ(after->size(), size);
}

TEST_F(JournalStoreTest, AJournalThatCannotBeMadeLetsThePassGoOn) {
  std::filesystem::create_directories(folder_);
  std::ofstream(folder_ / "file") << "x";
  JournalStore store(folder_ / "file" / "journal");  // below a file: never a folder
  auto writer = store.BeginOnDriveForm("C:\\");
  std::vector<fs::NativeName> none;
  std::vector<std::uint64_t> noIds;
  const fs::NativeName name = Native("entry");
  EXPECT_TRUE(writer->BeforeWrite({none, name, noIds}, false, {2, 0}, 0));
  writer->Finish();
  EXPECT_FALSE(writer->Complete());
  EXPECT_EQ(writer->Records(), 0u);
}

}  // namespace
}  // namespace lumaveil::attrib
