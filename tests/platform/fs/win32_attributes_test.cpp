#include <gtest/gtest.h>

#include "platform/fs/file_system.h"
#include "platform/fs/win32_attributes.h"

namespace lumaveil::fs {
namespace {

constexpr std::uint32_t kReparse = 0x400;
constexpr std::uint32_t kCompressed = 0x800;
constexpr std::uint32_t kEncrypted = 0x4000;
constexpr std::uint32_t kPinned = 0x80000;

TEST(Win32Attributes, EveryMaskReplacesTheSettableBitsAndKeepsTheRest) {
  const std::uint32_t currents[] = {attr::kNormal, attr::kDirectory, 0x27,
                                    attr::kDirectory | 0x07 | kCompressed,
                                    0x3127 | kEncrypted | kPinned};
  for (std::uint32_t current : currents) {
    const std::uint32_t kept = current & ~(attr::kSettable | attr::kNormal);
    for (std::uint32_t mask = 0; mask <= 0x27; ++mask) {
      SCOPED_TRACE(::testing::Message() << "current 0x" << std::hex << current << " mask 0x" << mask);
      const std::uint32_t written = AttributesToWrite(current, mask);
      // The directory (0x10) and volume (0x08) bits within 0..0x27 are not the mask's to give.
      const std::uint32_t given = mask & ~(attr::kDirectory | 0x08u);
      EXPECT_EQ(written, (kept | given) == 0 ? attr::kNormal : kept | given);
    }
  }
}

TEST(Win32Attributes, AnEntryWithoutBitsReadsAsNormal) {
  EXPECT_EQ(AttributesAsRead(0), attr::kNormal);
  EXPECT_EQ(AttributesAsRead(attr::kNormal), attr::kNormal);
  EXPECT_EQ(AttributesAsRead(attr::kDirectory), attr::kDirectory);
  EXPECT_EQ(AttributesAsRead(0x27), 0x27u);
}

TEST(Win32Attributes, OnlyNameSurrogateReparsePointsAreLinks) {
  constexpr std::uint32_t kMountPoint = 0xA0000003;
  constexpr std::uint32_t kSymlink = 0xA000000C;
  constexpr std::uint32_t kCloudFile = 0x9000001A;
  constexpr std::uint32_t kDedup = 0x80000013;
  EXPECT_TRUE(IsLinkEntry(attr::kDirectory | kReparse, kMountPoint));
  EXPECT_TRUE(IsLinkEntry(attr::kDirectory | kReparse, kSymlink));
  EXPECT_TRUE(IsLinkEntry(attr::kArchive | kReparse, kSymlink));
  EXPECT_FALSE(IsLinkEntry(attr::kDirectory | kReparse, kCloudFile));
  EXPECT_FALSE(IsLinkEntry(attr::kArchive | kReparse, kDedup));
  // Without the reparse-point bit the tag field means nothing.
  EXPECT_FALSE(IsLinkEntry(attr::kDirectory, kMountPoint));
}

}  // namespace
}  // namespace lumaveil::fs
