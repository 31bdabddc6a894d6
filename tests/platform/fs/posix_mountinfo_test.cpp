#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/fs/mountinfo.h"

namespace lumaveil::fs {
namespace {

TEST(MountInfoParse, ReadsEveryFieldOfATypicalLine) {
  const auto entries = ParseMountInfo(
      "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue\n");
  ASSERT_EQ(entries.size(), 1u);
  const MountEntry& e = entries[0];
  EXPECT_EQ(e.mountId, 36);
  EXPECT_EQ(e.parentId, 35);
  EXPECT_EQ(e.devMajor, 98u);
  EXPECT_EQ(e.devMinor, 0u);
  EXPECT_EQ(e.root, "/mnt1");
  EXPECT_EQ(e.mountPoint, "/mnt2");
  EXPECT_EQ(e.mountOptions, "rw,noatime");
  EXPECT_EQ(e.fsType, "ext3");
  EXPECT_EQ(e.source, "/dev/root");
  EXPECT_EQ(e.superOptions, "rw,errors=continue");
}

TEST(MountInfoParse, OptionalFieldsMayBeAbsentOrMany) {
  const auto entries = ParseMountInfo(
      "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
      "40 26 8:17 / /media/usb rw shared:7 master:3 propagate_from:2 unbindable - vfat "
      "/dev/sdb1 rw,fmask=0022\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].fsType, "proc");
  EXPECT_EQ(entries[1].mountPoint, "/media/usb");
  EXPECT_EQ(entries[1].fsType, "vfat");
  EXPECT_EQ(entries[1].source, "/dev/sdb1");
  EXPECT_EQ(entries[1].superOptions, "rw,fmask=0022");
}

TEST(MountInfoParse, UnescapesOctalSequencesInPathsAndSource) {
  const auto entries = ParseMountInfo(
      "50 26 8:33 /sub\\134dir /media/My\\040Disk\\011tab\\012line rw - ntfs3 "
      "/dev/my\\040dev rw\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].root, "/sub\\dir");
  EXPECT_EQ(entries[0].mountPoint, "/media/My Disk\ttab\nline");
  EXPECT_EQ(entries[0].source, "/dev/my dev");
}

TEST(MountInfoParse, BackslashesThatAreNotEscapesStayLiteral) {
  // Too few digits, a non-octal digit, a value above one byte, a backslash at the end.
  const auto entries = ParseMountInfo("1 0 8:1 / /a\\04\\09x\\777\\ rw - ext4 /dev/sda1 rw\n");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].mountPoint, "/a\\04\\09x\\777\\");
}

TEST(MountInfoParse, SkipsMalformedLinesAndKeepsTheRest) {
  const auto entries = ParseMountInfo(
      "\n"
      "garbage\n"
      "x 26 8:1 / /bad-id rw - ext4 /dev/sda1 rw\n"
      "30 26 8 / /bad-device rw - ext4 /dev/sda1 rw\n"
      "31 26 8:1 / /no-separator rw ext4 /dev/sda1 rw\n"
      "32 26 8:1 / /short-tail rw - ext4 /dev/sda1\n"
      "33 26 8:1 / /long-tail rw - ext4 /dev/sda1 rw extra\n"
      "34 26 8:1 / relative rw - ext4 /dev/sda1 rw\n"
      "35 26 8:-1 / /negative-minor rw - ext4 /dev/sda1 rw\n"
      "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
      "36 26 8:2 / /last-line-without-newline rw - ext4 /dev/sda2 rw");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].mountPoint, "/");
  EXPECT_EQ(entries[1].mountPoint, "/last-line-without-newline");
}

TEST(MountInfoRead, ReturnsTheFileTextOrNothing) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("lumaveil-mountinfo-" + std::to_string(::getpid()) + ".txt");
  {
    std::ofstream out(file, std::ios::binary);
    out << "26 1 254:0 / / rw - ext4 /dev/vda rw\n";
  }
  EXPECT_EQ(ReadMountInfo(file.string()), "26 1 254:0 / / rw - ext4 /dev/vda rw\n");
  std::filesystem::remove(file);
  EXPECT_EQ(ReadMountInfo(file.string()), "");
}

}  // namespace
}  // namespace lumaveil::fs
