#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "common/run_time_error.h"
#include "platform/fs/file_system.h"
#include "win32_fs_test_support.h"

namespace lumaveil::fs {
namespace {

using testing::AttributesOf;
using testing::SetAttributes;
using testing::ExpectedFileAttributes;
using testing::ExpectedFolderAttributes;
using testing::ScratchFolder;

std::map<std::wstring, EntryKind> KindsOf(const std::vector<DirEntry>& entries) {
  std::map<std::wstring, EntryKind> kinds;
  for (const DirEntry& e : entries) EXPECT_TRUE(kinds.emplace(e.name, e.kind).second) << DisplayText(e.name);
  return kinds;
}

// The entries of a listing that are not folders.
std::map<std::wstring, EntryKind> FileKindsOf(const std::vector<DirEntry>& entries) {
  std::map<std::wstring, EntryKind> kinds = KindsOf(entries);
  std::erase_if(kinds, [](const auto& entry) { return entry.second == EntryKind::Folder; });
  return kinds;
}

class Win32DirectoryTest : public ::testing::Test {
 protected:
  std::unique_ptr<Directory> Open(const std::wstring& relative = L"") {
    return fs_->OpenDirectory(scratch_.Path(relative));
  }

  ScratchFolder scratch_;
  std::unique_ptr<FileSystem> fs_ = CreateFileSystem();
};

TEST_F(Win32DirectoryTest, ListsEveryEntryWithDotsAndTheFilesAlone) {
  ASSERT_TRUE(scratch_.MakeFolder(L"sub"));
  ASSERT_TRUE(scratch_.MakeFolder(L"hidden folder"));
  ASSERT_TRUE(scratch_.MakeFile(L"plain.txt"));
  ASSERT_TRUE(scratch_.MakeFile(L"hidden.txt"));
  ASSERT_TRUE(scratch_.MakeFile(L"system.sys"));
  ASSERT_TRUE(scratch_.MakeFile(L".profile"));
  ASSERT_TRUE(scratch_.SetRaw(L"hidden folder", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(scratch_.SetRaw(L"hidden.txt", FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(scratch_.SetRaw(L"system.sys", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));

  auto dir = Open();
  ASSERT_NE(dir, nullptr);
  const std::map<std::wstring, EntryKind> all = KindsOf(dir->ListAll());
  const std::map<std::wstring, EntryKind> expectedAll = {
      {L".", EntryKind::Folder},         {L"..", EntryKind::Folder},
      {L"sub", EntryKind::Folder},       {L"hidden folder", EntryKind::Folder},
      {L"plain.txt", EntryKind::File},   {L"hidden.txt", EntryKind::File},
      {L"system.sys", EntryKind::File},  {L".profile", EntryKind::File}};
  EXPECT_EQ(all, expectedAll);

  // Each listing starts over from the folder's first entry.
  EXPECT_EQ(KindsOf(dir->ListAll()), expectedAll);
}

TEST_F(Win32DirectoryTest, AnEmptyFolderListsOnlyItsDots) {
  auto dir = Open();
  ASSERT_NE(dir, nullptr);
  const auto all = dir->ListAll();
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].name, L".");
  EXPECT_EQ(all[1].name, L"..");
}

TEST_F(Win32DirectoryTest, OpensOnlyRealSubFolders) {
  ASSERT_TRUE(scratch_.MakeFolder(L"sub"));
  ASSERT_TRUE(scratch_.MakeFile(L"sub\\inner.txt"));
  ASSERT_TRUE(scratch_.MakeFile(L"file.txt"));
  auto dir = Open();
  ASSERT_NE(dir, nullptr);

  auto sub = dir->OpenFolder(L"sub");
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(FileKindsOf(sub->ListAll()), (std::map<std::wstring, EntryKind>{{L"inner.txt", EntryKind::File}}));
  EXPECT_EQ(dir->OpenFolder(L"file.txt"), nullptr);
  // Nothing but one entry of this folder is reachable by name.
  for (const wchar_t* name : {L"missing", L".", L"..", L"", L"sub\\inner.txt", L"sub\\..",
                              L"sub/inner.txt", L"file.txt:stream"}) {
    SCOPED_TRACE(DisplayText(name));
    EXPECT_EQ(dir->OpenFolder(name), nullptr);
    EXPECT_FALSE(AttributesOf(*dir, name).has_value());
    EXPECT_FALSE(SetAttributes(*dir, name, attr::kHidden));
  }
  EXPECT_EQ(scratch_.Raw(L"sub\\inner.txt"), testing::ExpectedFileAttributes(0));
}

TEST_F(Win32DirectoryTest, OpenDirectoryNeedsAnExistingFolder) {
  ASSERT_TRUE(scratch_.MakeFile(L"file.txt"));
  EXPECT_EQ(Open(L"missing"), nullptr);
  EXPECT_EQ(Open(L"file.txt"), nullptr);
  EXPECT_EQ(fs_->OpenDirectory("not\\absolute"), nullptr);
  EXPECT_NE(Open(), nullptr);
  EXPECT_NE(fs_->OpenDirectory(scratch_.Path() + "\\"), nullptr);
}

TEST_F(Win32DirectoryTest, EveryMaskRoundTripsOnFilesAndFolders) {
  ASSERT_TRUE(scratch_.MakeFile(L"file.txt"));
  ASSERT_TRUE(scratch_.MakeFolder(L"folder"));
  auto dir = Open();
  ASSERT_NE(dir, nullptr);
  // Upwards through every mask, then from all four bits back to none: each mask replaces the
  // one before it, Read-Only included.
  std::vector<std::uint32_t> masks;
  for (std::uint32_t mask = 0; mask <= 0x27; ++mask) masks.push_back(mask);
  masks.push_back(0);
  for (std::uint32_t mask : masks) {
    SCOPED_TRACE(::testing::Message() << "mask 0x" << std::hex << mask);
    ASSERT_TRUE(SetAttributes(*dir, L"file.txt", mask));
    ASSERT_TRUE(SetAttributes(*dir, L"folder", mask));
    EXPECT_EQ(AttributesOf(*dir, L"file.txt"), ExpectedFileAttributes(mask));
    EXPECT_EQ(AttributesOf(*dir, L"folder"), ExpectedFolderAttributes(mask));
    // What the system itself reports, past this layer.
    EXPECT_EQ(scratch_.Raw(L"file.txt"), ExpectedFileAttributes(mask));
    EXPECT_EQ(scratch_.Raw(L"folder"), ExpectedFolderAttributes(mask));
  }
}

TEST_F(Win32DirectoryTest, WorksPastThe260CharacterLimit) {
  std::wstring relative;
  for (int i = 0; i < 12; ++i) {
    relative += (i ? L"\\" : L"") + std::wstring(30, static_cast<wchar_t>(L'k' + i));
    ASSERT_TRUE(scratch_.MakeFolder(relative));
  }
  ASSERT_TRUE(scratch_.MakeFile(relative + L"\\deep.txt"));
  ASSERT_GT(scratch_.Display(relative).size(), 300u);

  // Down through the handles, one name at a time...
  auto dir = Open();
  ASSERT_NE(dir, nullptr);
  for (int i = 0; i < 12 && dir; ++i) {
    dir = dir->OpenFolder(std::wstring(30, static_cast<wchar_t>(L'k' + i)));
  }
  ASSERT_NE(dir, nullptr);
  ASSERT_TRUE(SetAttributes(*dir, L"deep.txt", attr::kHidden | attr::kSystem));
  EXPECT_EQ(scratch_.Raw(relative + L"\\deep.txt"),
            ExpectedFileAttributes(attr::kHidden | attr::kSystem));

  // ...and straight to the deep folder by its path.
  auto direct = Open(relative);
  ASSERT_NE(direct, nullptr);
  EXPECT_EQ(FileKindsOf(direct->ListAll()), (std::map<std::wstring, EntryKind>{{L"deep.txt", EntryKind::File}}));
}

TEST_F(Win32DirectoryTest, NamesOutsideTheCodePageAreListedAndChanged) {
  const std::wstring cyrillic = L"\u0424\u0430\u0439\u043B";
  const std::wstring cjk = L"\u6587\u4EF6.txt";
  ASSERT_TRUE(scratch_.MakeFolder(cyrillic));
  ASSERT_TRUE(scratch_.MakeFile(cyrillic + L"\\" + cjk));
  auto dir = Open();
  ASSERT_NE(dir, nullptr);
  auto sub = dir->OpenFolder(cyrillic);
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(FileKindsOf(sub->ListAll()), (std::map<std::wstring, EntryKind>{{cjk, EntryKind::File}}));
  ASSERT_TRUE(SetAttributes(*sub, cjk, attr::kHidden));
  ASSERT_TRUE(SetAttributes(*dir, cyrillic, attr::kSystem));
  EXPECT_EQ(scratch_.Raw(cyrillic + L"\\" + cjk), ExpectedFileAttributes(attr::kHidden));
  EXPECT_EQ(scratch_.Raw(cyrillic), ExpectedFolderAttributes(attr::kSystem));
}

TEST_F(Win32DirectoryTest, NamesThatPathCallsWouldAlterAreReachedExactly) {
  ASSERT_TRUE(scratch_.MakeFolder(L"hidden."));
  ASSERT_TRUE(scratch_.MakeFolder(L"hidden"));
  ASSERT_TRUE(scratch_.MakeFile(L"hidden.\\inner.txt"));
  ASSERT_TRUE(scratch_.MakeFile(L"spaced "));
  auto dir = Open();
  ASSERT_NE(dir, nullptr);
  const auto kinds = KindsOf(dir->ListAll());
  EXPECT_EQ(kinds.count(L"hidden."), 1u);
  EXPECT_EQ(kinds.count(L"spaced "), 1u);

  auto dotted = dir->OpenFolder(L"hidden.");
  ASSERT_NE(dotted, nullptr);
  EXPECT_EQ(FileKindsOf(dotted->ListAll()),
            (std::map<std::wstring, EntryKind>{{L"inner.txt", EntryKind::File}}));
  ASSERT_TRUE(SetAttributes(*dir, L"hidden.", attr::kSystem));
  ASSERT_TRUE(SetAttributes(*dir, L"spaced ", attr::kHidden));
  EXPECT_EQ(scratch_.Raw(L"hidden."), ExpectedFolderAttributes(attr::kSystem));
  EXPECT_EQ(scratch_.Raw(L"hidden"), ExpectedFolderAttributes(0));
  EXPECT_EQ(AttributesOf(*dir, L"spaced "), ExpectedFileAttributes(attr::kHidden));
}

// The pass holds its folders open: renaming one and putting another in its place must not
// move the pass over to the newcomer.
TEST_F(Win32DirectoryTest, AnOpenFolderStaysTheSameFolderWhenItIsSwapped) {
  ASSERT_TRUE(scratch_.MakeFolder(L"target"));
  ASSERT_TRUE(scratch_.MakeFile(L"target\\mine.txt"));
  auto dir = Open();
  ASSERT_NE(dir, nullptr);
  auto target = dir->OpenFolder(L"target");
  ASSERT_NE(target, nullptr);

  ASSERT_TRUE(MoveFileW(scratch_.Extended(L"target").c_str(), scratch_.Extended(L"moved").c_str()));
  ASSERT_TRUE(scratch_.MakeFolder(L"target"));
  ASSERT_TRUE(scratch_.MakeFile(L"target\\mine.txt"));

  ASSERT_TRUE(SetAttributes(*target, L"mine.txt", attr::kHidden));
  EXPECT_EQ(scratch_.Raw(L"moved\\mine.txt"), ExpectedFileAttributes(attr::kHidden));
  EXPECT_EQ(scratch_.Raw(L"target\\mine.txt"), ExpectedFileAttributes(0));
}

// Where a process's handles show: their count on Windows; on Wine, which counts none, the slot
// a new handle lands in, since it takes the lowest free one.
struct HandleProbe {
  DWORD count = 0;
  HANDLE next = nullptr;
  bool operator==(const HandleProbe&) const = default;
};

HandleProbe ProbeHandles() {
  HandleProbe probe;
  GetProcessHandleCount(GetCurrentProcess(), &probe.count);
  probe.next = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(probe.next);
  return probe;
}

TEST_F(Win32DirectoryTest, HandlesAreClosedOnEveryPath) {
  ASSERT_TRUE(scratch_.MakeFolder(L"sub"));
  ASSERT_TRUE(scratch_.MakeFile(L"file.txt"));
  const auto exercise = [&] {
    auto dir = Open();
    ASSERT_NE(dir, nullptr);
    dir->ListAll();
    EXPECT_NE(dir->OpenFolder(L"sub"), nullptr);
    EXPECT_EQ(dir->OpenFolder(L"file.txt"), nullptr);
    EXPECT_EQ(dir->OpenFolder(L"missing"), nullptr);
    EXPECT_TRUE(SetAttributes(*dir, L"file.txt", attr::kArchive));
    EXPECT_FALSE(SetAttributes(*dir, L"missing", attr::kArchive));
    EXPECT_TRUE(AttributesOf(*dir, L"sub").has_value());
    EXPECT_FALSE(AttributesOf(*dir, L"missing").has_value());
    EXPECT_EQ(Open(L"file.txt"), nullptr);
    fs_->SubFolders(fs_->GetFolder(scratch_.Path()));
    fs_->Files(fs_->GetFolder(scratch_.Path()));
    EXPECT_THROW(fs_->GetFolder(scratch_.Path(L"missing")), RunTimeError);
    EXPECT_THROW(fs_->SubFolders(Folder{scratch_.Path(L"missing"), "missing"}), RunTimeError);
  };
  exercise();  // whatever the runtime opens once for good is open before the count

  const HandleProbe before = ProbeHandles();
  {
    // The probe must see a handle that is left open, or it proves nothing.
    HANDLE held = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    const bool seen = !(ProbeHandles() == before);
    CloseHandle(held);
    if (!seen) GTEST_SKIP() << "this system shows no trace of an open handle";
  }
  for (int round = 0; round < 20; ++round) exercise();
  const HandleProbe after = ProbeHandles();
  EXPECT_EQ(after.count, before.count);
  EXPECT_EQ(after.next, before.next);
}

class Win32LinkTest : public Win32DirectoryTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.MakeFolder(L"outside"));
    ASSERT_TRUE(scratch_.MakeFile(L"outside\\precious.txt"));
    ASSERT_TRUE(scratch_.MakeFolder(L"inside"));
    if (!scratch_.MakeFolderLink(L"inside\\link", L"outside")) {
      GTEST_SKIP() << "this file system makes neither junctions nor symbolic links "
                      "(Wine 8 cannot), so links cannot be checked here";
    }
  }
};

TEST_F(Win32LinkTest, ALinkedFolderIsListedAsALinkAndNeverEntered) {
  auto inside = Open(L"inside");
  ASSERT_NE(inside, nullptr);
  const auto kinds = KindsOf(inside->ListAll());
  ASSERT_TRUE(kinds.count(L"link"));
  EXPECT_EQ(kinds.at(L"link"), EntryKind::Link);
  EXPECT_EQ(inside->OpenFolder(L"link"), nullptr);
  EXPECT_TRUE(fs_->SubFolders(fs_->GetFolder(scratch_.Path(L"inside"))).empty());
}

TEST_F(Win32LinkTest, ALinkAndItsTargetAreLeftAlone) {
  ASSERT_TRUE(scratch_.SetRaw(L"outside", FILE_ATTRIBUTE_DIRECTORY));
  const DWORD linkBefore = scratch_.Raw(L"inside\\link");
  auto inside = Open(L"inside");
  ASSERT_NE(inside, nullptr);
  EXPECT_EQ(inside->ChangeAttributes(L"link", {attr::kHidden | attr::kSystem, std::nullopt},
                                     nullptr)
                .result,
            AttributeChange::Result::kLeftAlone);
  EXPECT_EQ(scratch_.Raw(L"inside\\link"), linkBefore);
  EXPECT_EQ(scratch_.Raw(L"outside"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace
}  // namespace lumaveil::fs
