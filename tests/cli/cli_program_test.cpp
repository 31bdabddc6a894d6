// The built lumaveil-cli on real folders: exit statuses, the dry run, the undo and the journal,
// on Linux and (through the mingw-w64 build) under Wine. Archive is left out of the checks: under
// Wine every file reads Archive and no folder does, and neither can be changed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_run.h"
#include "platform/fs/attributes_of.h"
#include "platform/fs/native_folder.h"

namespace lumaveil::cli::testing {
namespace {

namespace attr = fs::attr;
using fs::testing::SetAttributes;
using std::filesystem::path;

constexpr std::uint32_t kRHS = attr::kReadOnly | attr::kHidden | attr::kSystem;

class CliProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    target_ = scratch_.Root() / "target";
    std::filesystem::create_directories(target_ / "sub");
    for (const char* name : {"a.txt", "b.txt", "sub/c.txt"}) std::ofstream(target_ / name) << "x";
  }

  std::unique_ptr<fs::Directory> FolderOf(const path& entry) {
    return fs::OpenNativeFolder(entry.parent_path().native());
  }
  void Give(const path& entry, std::uint32_t bits) {
    auto folder = FolderOf(entry);
    ASSERT_TRUE(folder && SetAttributes(*folder, entry.filename().native(), bits)) << entry;
  }
  // Read-Only, Hidden and System of `entry`.
  std::uint32_t Bits(const path& entry) {
    auto folder = FolderOf(entry);
    const auto bits =
        folder ? fs::testing::AttributesOf(*folder, entry.filename().native()) : std::nullopt;
    return bits.value_or(0xFFFFFFFF) & kRHS;
  }
  std::vector<path> Journals() {
    std::vector<path> journals;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(scratch_.JournalFolder(), error)) {
      journals.push_back(entry.path());
    }
    return journals;
  }

  Scratch scratch_;
  path target_;
};

TEST_F(CliProgramTest, ExitStatusesSayWhatHappened) {
  EXPECT_EQ(scratch_.Cli("").status, 2);
  EXPECT_EQ(scratch_.Cli("--no-such-option " + Scratch::Quote(target_)).status, 2);

  const CliRun missing = scratch_.Cli(Scratch::Quote(scratch_.Root() / "missing"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;
  EXPECT_NE(missing.err.find("no such folder"), std::string::npos) << missing.err;

  Give(target_ / "a.txt", attr::kSystem);
  const CliRun done = scratch_.Cli("-H " + Scratch::Quote(target_));
  EXPECT_EQ(done.status, 0) << done.err;
  EXPECT_EQ(Bits(target_ / "a.txt"), attr::kHidden);
  EXPECT_EQ(Bits(target_ / "sub"), attr::kHidden);
  EXPECT_NE(done.out.find("files: 3 changed"), std::string::npos) << done.out;

  const CliRun again = scratch_.Cli("--hidden --quiet " + Scratch::Quote(target_));
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.out, "");
}

TEST_F(CliProgramTest, ADryRunListsWhatWouldChangeAndChangesNothing) {
  Give(target_ / "a.txt", attr::kHidden | attr::kSystem);
  Give(target_ / "sub", attr::kHidden);

  const CliRun run = scratch_.Cli("-n -R " + Scratch::Quote(target_));

  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(Bits(target_ / "a.txt"), attr::kHidden | attr::kSystem);
  EXPECT_EQ(Bits(target_ / "sub"), attr::kHidden);
  EXPECT_EQ(Bits(target_ / "b.txt") & attr::kReadOnly, 0u);
  EXPECT_NE(run.out.find("a.txt: -HS"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find(" -> R---\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("files: 3 would change"), std::string::npos) << run.out;
  EXPECT_TRUE(Journals().empty());
}

TEST_F(CliProgramTest, UndoRestoresEveryEntryLeavesOneChangedSinceAndIsNotRepeated) {
  Give(target_ / "a.txt", attr::kReadOnly | attr::kHidden);
  Give(target_ / "b.txt", attr::kHidden | attr::kSystem);
  Give(target_ / "sub", attr::kHidden);
  ASSERT_EQ(scratch_.Cli("-S " + Scratch::Quote(target_)).status, 0);
  ASSERT_EQ(Journals().size(), 1u);
  // Someone else changes one entry after the pass.
  Give(target_ / "sub" / "c.txt", attr::kHidden);

  const CliRun undo = scratch_.Cli("--undo");

  EXPECT_EQ(undo.status, 1) << undo.err;
  EXPECT_EQ(Bits(target_ / "a.txt"), attr::kReadOnly | attr::kHidden);
  EXPECT_EQ(Bits(target_ / "b.txt"), attr::kHidden | attr::kSystem);
  EXPECT_EQ(Bits(target_ / "sub"), attr::kHidden);
  EXPECT_EQ(Bits(target_ / "sub" / "c.txt"), attr::kHidden);
  EXPECT_NE(undo.err.find("changed since the pass"), std::string::npos) << undo.err;
  EXPECT_NE(undo.err.find("c.txt"), std::string::npos) << undo.err;

  const CliRun second = scratch_.Cli("--undo " + Scratch::Quote(Journals().front()));
  EXPECT_EQ(second.status, 2);
  EXPECT_NE(second.err.find("undone already"), std::string::npos) << second.err;
  EXPECT_NE(scratch_.Cli("--list-journals").out.find("undone"), std::string::npos);
}

TEST_F(CliProgramTest, AJournalCutShortIsUndoneUpToItsLastCompleteRecord) {
  constexpr std::uint32_t kHS = attr::kHidden | attr::kSystem;
  for (const char* name : {"a.txt", "b.txt", "sub/c.txt", "sub"}) Give(target_ / name, kHS);
  ASSERT_EQ(scratch_.Cli("-q " + Scratch::Quote(target_)).status, 0);
  ASSERT_EQ(Journals().size(), 1u);
  const path journal = Journals().front();
  // As if the program had ended in the middle of writing its last record.
  std::filesystem::resize_file(journal, std::filesystem::file_size(journal) - 3);

  const CliRun undo = scratch_.Cli("--undo");

  EXPECT_EQ(undo.status, 0) << undo.err;
  EXPECT_NE(undo.err.find("middle of a record"), std::string::npos) << undo.err;
  EXPECT_NE(undo.out.find("restored 3"), std::string::npos) << undo.out;
  int restored = 0;
  for (const char* name : {"a.txt", "b.txt", "sub/c.txt", "sub"}) {
    restored += Bits(target_ / name) == kHS;
  }
  EXPECT_EQ(restored, 3);
}

}  // namespace
}  // namespace lumaveil::cli::testing
