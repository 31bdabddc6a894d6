#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "platform/fs/mountinfo.h"
#include "platform/fs/posix_drives.h"
#include "platform/fs/posix_file_system.h"

namespace lumaveil::fs {
namespace {

const std::string kData = LUMAVEIL_TEST_DATA;
const std::string kSys = kData + "/sys";

std::string Fixture(const std::string& name) {
  std::ifstream in(kData + "/mountinfo/" + name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<PosixDrive> DrivesOf(const std::string& mountInfo) {
  return FindDrives(ParseMountInfo(mountInfo), kSys);
}

// "C /=2" per drive: letter, mount point, type.
std::vector<std::string> Summary(const std::vector<PosixDrive>& drives) {
  std::vector<std::string> out;
  for (const PosixDrive& d : drives) {
    out.push_back(d.drive.DriveLetter + " " + d.mountPoint + "=" +
                  std::to_string(d.drive.DriveType));
  }
  return out;
}

TEST(PosixDrives, DesktopMachineGetsLettersAndTypesInMountOrder) {
  const std::vector<PosixDrive> drives = DrivesOf(Fixture("desktop.txt"));
  EXPECT_EQ(Summary(drives), (std::vector<std::string>{
                                 "C /=2",                         // ext4 on a fixed disk
                                 "D /media/user/USB STICK=1",     // vfat, removable flag
                                 "E /mnt/windows=2",              // NTFS disk through fuseblk
                                 "F /mnt/image=2",                // NTFS image through fuse
                                 "G /run/media/user/DVD=4",       // iso9660 on sr0
                                 "H /mnt/nfs=3",                  //
                                 "I /mnt/share=3",                // cifs
                                 "J /mnt/ramdisk=5",              // /dev/ram0
                                 "K /home=2",                     // device mapper, by number
                                 "L =4",                          // sr1: nothing mounted
                             }));
  EXPECT_EQ(drives[1].drive.DriveLetter, "D");
  EXPECT_EQ(drives[1].drive.Path, "D:");
  EXPECT_EQ(drives[1].drive.RootFolder, "D:\\");
}

TEST(PosixDrives, SystemLocationsAndPseudoFileSystemsGetNoLetter) {
  const std::vector<PosixDrive> drives = DrivesOf(
      "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "2 1 8:1 / /boot rw - ext4 /dev/sda1 rw\n"
      "3 1 8:17 / /bootstrap rw - vfat /dev/sdb1 rw\n"            // not under /boot
      "4 1 0:30 / /run/mount/x rw - ext4 /dev/sdc1 rw\n"
      "5 1 8:33 / /run/media/u/STICK rw - vfat /dev/sdc1 rw\n"
      "6 1 7:0 / /mnt/squash ro - squashfs /dev/loop0 ro\n"
      "7 1 0:40 / /mnt/over rw - overlay overlay rw\n"
      "8 1 0:41 / /mnt/cg rw - cgroup cgroup rw\n"
      "9 1 0:42 / /mnt/fuse-app rw - fuse.appimaged appimaged rw\n"
      "10 1 8:1 / /dev/disk rw - ext4 /dev/sda1 rw\n"
      "11 1 8:1 / /sys/x rw - ext4 /dev/sda1 rw\n"
      "12 1 8:1 / /proc/x rw - ext4 /dev/sda1 rw\n"
      "13 1 8:1 / /snap/x rw - ext4 /dev/sda1 rw\n");
  std::vector<std::string> expected = {"C /=2", "D /bootstrap=1", "E /run/media/u/STICK=1",
                                       "F =4", "G =4"};
  EXPECT_EQ(Summary(drives), expected);
}

TEST(PosixDrives, RootOnAnyFileSystemIsDriveC) {
  EXPECT_EQ(Summary(DrivesOf("1 0 0:40 / / rw - overlay overlay rw\n"))[0], "C /=2");
  EXPECT_EQ(Summary(DrivesOf("1 0 0:40 / / rw - tmpfs tmpfs rw\n"))[0], "C /=5");
  EXPECT_EQ(Summary(DrivesOf("1 0 0:40 / / rw - nfs4 srv:/root rw\n"))[0], "C /=3");
  // An unreadable mount table still leaves the root reachable.
  EXPECT_EQ(Summary(DrivesOf(""))[0], "C /=2");
}

TEST(PosixDrives, TypeComesFromDeviceFlagLocationOrFileSystem) {
  const std::vector<PosixDrive> drives = DrivesOf(
      "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "2 1 8:1 / /media/disk rw - ext4 /dev/sda1 rw\n"       // fixed disk, but under /media
      "3 1 259:9 / /mnt/card rw - ext4 /dev/nvme9n1p1 rw\n"  // a device sysfs does not know
      "4 1 7:0 / /mnt/udf ro - udf /dev/loop0 ro\n"          // optical file system on a loop
      "5 1 11:0 / /mnt/cd ro - iso9660 /dev/cdrom ro\n"      // a /dev link, found by number
      "6 1 0:50 / /mnt/ssh rw - fuse.sshfs u@h:/x rw\n"
      "7 1 0:51 / /mnt/vm rw - 9p share rw\n");
  EXPECT_EQ(Summary(drives),
            (std::vector<std::string>{"C /=2", "D /media/disk=1", "E /mnt/card=0", "F /mnt/udf=4",
                                      "G /mnt/cd=4", "H /mnt/ssh=3", "I /mnt/vm=3",
                                      "J =4"}));  // sr1 only: sr0 is mounted at /mnt/cd
}

TEST(PosixDrives, StackedMountsShowTheLastOne) {
  const std::vector<PosixDrive> drives = DrivesOf(
      "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "2 1 8:33 / /mnt/stack rw - ext4 /dev/sdc1 rw\n"
      "3 1 8:17 / /media/first rw - vfat /dev/sdb1 rw\n"
      "4 2 0:50 / /mnt/stack rw - nfs srv:/x rw\n"
      "5 0 0:40 / / rw - tmpfs tmpfs rw\n");
  EXPECT_EQ(Summary(drives), (std::vector<std::string>{"C /=5", "D /media/first=1",
                                                       "E /mnt/stack=3", "F =4", "G =4"}));
}

TEST(PosixDrives, AFileSystemMountedTwiceKeepsItsFirstLetterOnly) {
  const std::vector<PosixDrive> drives = DrivesOf(
      "1 0 8:2 / / rw - btrfs /dev/sda2 rw,subvol=/@\n"
      "2 1 0:31 /@home /home rw - btrfs /dev/sda2 rw,subvol=/@home\n"   // same device as C:
      "3 1 8:17 / /media/stick rw - vfat /dev/sdb1 rw\n"
      "4 1 8:17 /DCIM /home/u/DCIM rw - vfat /dev/sdb1 rw\n"           // bind of a folder
      "5 1 8:17 / /mnt/again rw - vfat /dev/sdb1 rw\n"                 // bind of the whole
      "6 1 0:50 / /mnt/nfs rw - nfs srv:/x rw\n"
      "7 1 0:51 / /mnt/nfs2 rw - nfs srv:/y rw\n");                     // another share
  EXPECT_EQ(Summary(drives),
            (std::vector<std::string>{"C /=2", "D /media/stick=1", "E /mnt/nfs=3",
                                      "F /mnt/nfs2=3", "G =4", "H =4"}));
}

TEST(PosixDrives, LettersStopAtZ) {
  std::string text = "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n";
  for (int i = 0; i < 30; ++i) {
    text += std::to_string(i + 2) + " 1 0:" + std::to_string(100 + i) + " / /mnt/n" +
            std::to_string(i) + " rw - nfs srv:/e" + std::to_string(i) + " rw\n";
  }
  const std::vector<PosixDrive> drives = DrivesOf(text);
  ASSERT_EQ(drives.size(), 24u);  // C: and D: to Z:; no room for the optical drives
  EXPECT_EQ(drives.back().drive.DriveLetter, "Z");
  EXPECT_EQ(drives.back().mountPoint, "/mnt/n22");
  std::set<std::string> letters;
  for (const PosixDrive& d : drives) letters.insert(d.drive.DriveLetter);
  EXPECT_EQ(letters.size(), drives.size());
}

TEST(PosixDrives, EscapedMountPointsAreKeptAsTheyAreOnDisk) {
  const std::vector<PosixDrive> drives = DrivesOf(
      "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n"
      "2 1 8:17 / /media/u/My\\040Disk\\011\\134x rw - vfat /dev/sdb1 rw\n");
  ASSERT_GE(drives.size(), 2u);
  EXPECT_EQ(drives[1].mountPoint, "/media/u/My Disk\t\\x");
}

TEST(PosixDrives, ReadinessIsAskedOfTheMountPointEachTime) {
  std::set<std::string> readable = {"/", "/media/user/USB STICK", "/mnt/nfs"};
  std::vector<std::string> asked;
  PosixFileSystem fs(Fixture("desktop.txt"), kSys, [&](const std::string& mountPoint) {
    asked.push_back(mountPoint);
    return readable.contains(mountPoint);
  });
  std::vector<Drive> drives = fs.Drives();
  ASSERT_EQ(drives.size(), 10u);
  EXPECT_TRUE(drives[0].IsReady);
  EXPECT_TRUE(drives[1].IsReady);
  EXPECT_FALSE(drives[2].IsReady);  // the NTFS disk's mount point cannot be read
  EXPECT_TRUE(drives[5].IsReady);
  EXPECT_FALSE(drives[9].IsReady);  // the empty optical drive
  EXPECT_EQ(asked.size(), 9u);       // nothing to ask of a drive with no mount point

  // The stick is pulled out: same letters, no longer ready.
  readable.erase("/media/user/USB STICK");
  drives = fs.Drives();
  EXPECT_EQ(drives[1].DriveLetter, "D");
  EXPECT_FALSE(drives[1].IsReady);
}

}  // namespace
}  // namespace lumaveil::fs
