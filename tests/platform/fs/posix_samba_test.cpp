// user.DOSATTRIB against a real Samba server on 127.0.0.1: what Lumaveil stores, Samba's clients
// see; what Samba stores (its binary value with the creation time), Lumaveil reads and keeps.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "platform/fs/file_system.h"
#include "platform/fs/posix_directory.h"
#include "posix_fs_test_support.h"
#include "posix_samba_server.h"

namespace lumaveil::fs {
namespace {

using testing::AttributesOf;
using testing::SetAttributes;
using testing::DosAttribValue;
using testing::ModeOf;
using testing::SambaServer;
using testing::WriteFile;

// The attributes and creation time smbclient's allinfo shows for a name of the share.
struct SambaView {
  std::optional<std::uint32_t> attributes;  // "attributes: HA (22)"
  std::string created;                      // "create_time:    Mon Dec  7 16:55:43 2026 UTC"
};

std::string LineValue(const std::string& text, const std::string& key) {
  const std::size_t at = text.find(key);
  if (at == std::string::npos) return "";
  const std::size_t end = text.find('\n', at);
  return text.substr(at + key.size(), end == std::string::npos ? end : end - at - key.size());
}

SambaView AllInfo(const SambaServer& samba, const std::string& name) {
  const std::string text = samba.Run("allinfo " + name);
  SambaView view;
  const std::string attributes = LineValue(text, "attributes:");
  const std::size_t open = attributes.find('(');
  if (open != std::string::npos) {
    view.attributes = static_cast<std::uint32_t>(std::strtoul(&attributes[open + 1], nullptr, 16));
  }
  view.created = LineValue(text, "create_time:");
  return view;
}

class SambaTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!samba_.Problem().empty()) GTEST_SKIP() << "no Samba server: " << samba_.Problem();
    ASSERT_TRUE(WriteFile(Path("file"), "data"));
    ASSERT_EQ(mkdir(Path("folder").c_str(), 0755), 0);
    share_ = OpenNativeDirectory(samba_.Share());
    ASSERT_NE(share_, nullptr);
  }
  std::string Path(const std::string& name) const { return samba_.Share() + "/" + name; }

  SambaServer samba_;
  std::unique_ptr<Directory> share_;
};

TEST_F(SambaTest, WhatLumaveilSetsSambasClientsSee) {
  for (std::uint32_t mask : {0x0u, 0x2u, 0x6u, 0x24u, 0x27u}) {
    ASSERT_TRUE(SetAttributes(*share_, "file", mask));
    ASSERT_TRUE(SetAttributes(*share_, "folder", mask));
    EXPECT_EQ(AllInfo(samba_, "file").attributes, mask == 0 ? attr::kNormal : mask) << mask;
    EXPECT_EQ(AllInfo(samba_, "folder").attributes, mask | attr::kDirectory) << mask;
  }
}

TEST_F(SambaTest, WhatSambaStoresIsReadAndKeptWithItsCreationTime) {
  samba_.Run("setmode file +hr");
  const SambaView before = AllInfo(samba_, "file");
  ASSERT_EQ(before.attributes, attr::kReadOnly | attr::kHidden);
  ASSERT_FALSE(before.created.empty());
  const std::optional<std::string> stored = DosAttribValue(Path("file"));
  ASSERT_TRUE(stored && stored->front() == '\0') << "Samba 4 writes its binary value";

  // Samba leaves the mode writable; Lumaveil still sees Read-Only.
  EXPECT_EQ(ModeOf(Path("file")) & 0200, 0200u);
  EXPECT_EQ(AttributesOf(*share_, "file"), attr::kReadOnly | attr::kHidden);

  // Bits already right: nothing is written.
  ASSERT_TRUE(SetAttributes(*share_, "file", attr::kReadOnly | attr::kHidden));
  EXPECT_EQ(DosAttribValue(Path("file")), stored);

  // New bits: Samba reads them, and its creation time is the one it stored.
  ASSERT_TRUE(SetAttributes(*share_, "file", attr::kHidden | attr::kSystem));
  const SambaView after = AllInfo(samba_, "file");
  EXPECT_EQ(after.attributes, attr::kHidden | attr::kSystem);
  EXPECT_EQ(after.created, before.created);
  const std::optional<std::string> rewritten = DosAttribValue(Path("file"));
  ASSERT_TRUE(rewritten);
  ASSERT_GE(stored->size(), 24u);
  EXPECT_EQ(rewritten->substr(0, 4), std::string("0x6\0", 4)) << "the text Wine reads";
  EXPECT_EQ(rewritten->substr(rewritten->size() - 8), stored->substr(stored->size() - 8))
      << "the creation time, byte for byte";

  // And Samba, changing them again, reads Lumaveil's value as its own.
  samba_.Run("setmode file -s");
  EXPECT_EQ(AllInfo(samba_, "file").attributes, attr::kHidden);
  EXPECT_EQ(AttributesOf(*share_, "file"), attr::kHidden);
  EXPECT_EQ(AllInfo(samba_, "file").created, before.created);
}

TEST_F(SambaTest, AFolderSetThroughSambaKeepsItsValueForm) {
  samba_.Run("setmode folder +s");
  ASSERT_EQ(AllInfo(samba_, "folder").attributes, attr::kSystem | attr::kDirectory);
  const std::string created = AllInfo(samba_, "folder").created;
  ASSERT_TRUE(SetAttributes(*share_, "folder", attr::kHidden));
  EXPECT_EQ(AttributesOf(*share_, "folder"), attr::kHidden | attr::kDirectory);
  EXPECT_EQ(AllInfo(samba_, "folder").attributes, attr::kHidden | attr::kDirectory);
  EXPECT_EQ(AllInfo(samba_, "folder").created, created);
}

}  // namespace
}  // namespace lumaveil::fs
