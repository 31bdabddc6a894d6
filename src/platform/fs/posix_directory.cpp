// Open folder handles on POSIX: everything below the folder the user chose goes through openat()
// and friends on a descriptor that is already open, with no link ever followed, so a folder
// swapped for a link during the pass cannot send it outside the target, and depth is no limit.
#include "platform/fs/posix_directory.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/fs/posix_dos_attributes.h"
#include "platform/fs/posix_entry.h"
#include "platform/fs/posix_fs_type.h"
#include "platform/fs/posix_listing.h"
#include "platform/fs/posix_unique_fd.h"

namespace lumaveil::fs {
namespace {

// Only a plain name of this folder may be used: a slash or a dot-dot would reach elsewhere.
bool IsPlainName(const NativeName& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find('/') == NativeName::npos && name.find('\0') == NativeName::npos;
}

// Gives a regular file exactly `mode` once its attributes are written, where they left it
// otherwise. The name must still lead to the entry that was looked up.
bool WriteMode(const Entry& entry, std::optional<std::uint32_t> mode) {
  if (!mode) return true;
  struct stat now {};
  if (fstatat(entry.dirFd, entry.name.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0) return false;
  if (now.st_dev != entry.st.st_dev || now.st_ino != entry.st.st_ino) {
    errno = ESTALE;
    return false;
  }
  if ((now.st_mode & 07777) == *mode) return true;
  return ChmodEntry(entry, static_cast<mode_t>(*mode)) == 0;
}

// A folder of the pass. The pass stays on the mount it started on: a folder mounted below it is
// another drive, or a pseudo file system such as /proc, and is neither entered nor changed. Mounts
// are told apart by mount ID rather than device, so that btrfs subvolumes, which are folders of
// the same mount, are still walked.
class PosixDirectory final : public Directory {
 public:
  PosixDirectory(UniqueFd fd, std::optional<std::uint64_t> mountId,
                 std::shared_ptr<MechanismCache> mechanisms)
      : fd_(std::move(fd)), mountId_(mountId), mechanisms_(std::move(mechanisms)) {
    if (fstat(fd_.get(), &st_) != 0) st_ = {};
  }

  std::vector<DirEntry> ListAll() override { return ListOpenFolder(fd_.get()).entries; }

  std::unique_ptr<Directory> OpenFolder(const NativeName& name) override {
    if (!IsPlainName(name)) return nullptr;
    UniqueFd sub(openat(fd_.get(), name.c_str(),
                        O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!sub) return nullptr;
    const std::optional<std::uint64_t> mountId = MountIdOf(sub.get());
    if (!SameMount(mountId, sub.get())) {
      errno = EXDEV;
      return nullptr;
    }
    return std::make_unique<PosixDirectory>(std::move(sub), mountId, mechanisms_);
  }

  // One look-up serves the read, the hook and the write, so the entry written is the one read.
  AttributeChange ChangeAttributes(const NativeName& name, const AttributeTarget& target,
                                   const BeforeWrite& beforeWrite) override {
    AttributeChange change;
    if (!IsPlainName(name)) {
      change.error = EINVAL;
      return change;
    }
    const AttributeMechanism mechanism = Mechanism();
    errno = 0;
    auto entry = OpenEntry(fd_.get(), name, FreshnessFor(mechanism));
    if (!entry) {
      change.error = errno;
      return change;
    }
    // Links, special files and whatever is mounted here from another volume are never changed.
    if (entry->IsSpecial() || !OnThisMount(*entry)) {
      change.result = AttributeChange::Result::kLeftAlone;
      return change;
    }
    errno = 0;
    const auto reading = ReadForChange(mechanism, *entry);
    if (!reading) {
      change.error = errno;
      return change;
    }
    change.before = {reading->reported, static_cast<std::uint32_t>(entry->st.st_mode & 07777)};
    // A folder's mode is never the pass's to change, so no mode is asked of one.
    AttributeTarget wanted = target;
    if (!entry->IsRegularFile()) wanted.mode.reset();
    // A value that could not be read may still be written, so it is not taken as right.
    if (reading->complete && AlreadyMatches(change.before, wanted)) {
      change.result = AttributeChange::Result::kAlreadyRight;
      return change;
    }
    if (beforeWrite && !beforeWrite(change.before)) {
      change.result = AttributeChange::Result::kHeldBack;
      return change;
    }
    errno = 0;
    if (!WriteAfterRead(mechanism, *entry, *reading, wanted.bits) ||
        !WriteMode(*entry, wanted.mode)) {
      change.error = errno;
      return change;
    }
    change.result = AttributeChange::Result::kChanged;
    return change;
  }

  std::optional<FolderIdentity> Identity() override {
    if (st_.st_ino == 0) return std::nullopt;
    return FolderIdentity{static_cast<std::uint64_t>(st_.st_dev), st_.st_ino};
  }

 private:
  // Everything the pass changes is on this folder's mount, so this folder's way of keeping the
  // attribute is every such entry's.
  AttributeMechanism Mechanism() {
    if (!mechanism_) {
      Entry self;
      self.dirFd = fd_.get();
      self.name = ".";
      self.st = st_;
      self.mountId = mountId_;
      mechanism_ = mechanisms_->For(self);
    }
    return *mechanism_;
  }

  // Where Read-Only is kept in the attribute itself (FAT, NTFS, an SMB client mount), the entry's
  // mode is never read and the kernel's copy of its status serves; where Read-Only is the mode's
  // write bit, the mode must be the file system's own.
  static Freshness FreshnessFor(AttributeMechanism mechanism) {
    switch (mechanism) {
      case AttributeMechanism::kFatIoctl:
      case AttributeMechanism::kNtfsXattr:
      case AttributeMechanism::kCifsXattr: return Freshness::kKernelCopyWillDo;
      case AttributeMechanism::kDosAttribText:
      case AttributeMechanism::kNone:
      case AttributeMechanism::kProbeFuse: break;
    }
    return Freshness::kFromFileSystem;
  }

  // Whether a folder open as `fd`, of mount `mountId`, is on this folder's mount. Where the mount
  // cannot be asked, another device still means another mount.
  bool SameMount(const std::optional<std::uint64_t>& mountId, int fd) const {
    if (mountId && mountId_) return *mountId == *mountId_;
    struct stat st {};
    return fstat(fd, &st) == 0 && st.st_dev == st_.st_dev;
  }

  bool OnThisMount(const Entry& entry) const {
    if (entry.mountId && mountId_) return *entry.mountId == *mountId_;
    // statx without mount IDs (before Linux 5.8): only a folder can be a mount point worth
    // asking about, and its open descriptor tells.
    if (entry.st.st_dev != st_.st_dev) return false;
    if (!entry.IsFolder()) return true;
    UniqueFd folder(openat(fd_.get(), entry.name.c_str(),
                           O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return folder && SameMount(MountIdOf(folder.get()), folder.get());
  }

  UniqueFd fd_;
  struct stat st_ {};
  std::optional<std::uint64_t> mountId_;
  std::shared_ptr<MechanismCache> mechanisms_;
  std::optional<AttributeMechanism> mechanism_;  // this folder's, once asked
};

// A path longer than PATH_MAX cannot be opened in one call; walk it a component at a time,
// following links on the way as open() would.
UniqueFd OpenLongPath(const std::string& path) {
  UniqueFd current(open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  std::size_t pos = 0;
  while (current && pos < path.size()) {
    std::size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    if (end > pos) {
      std::string component = path.substr(pos, end - pos);
      current = UniqueFd(openat(current.get(), component.c_str(),
                                O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    }
    pos = end + 1;
  }
  return current;
}

}  // namespace

std::unique_ptr<Directory> OpenNativeDirectory(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.front() != '/' ||
      nativePath.find('\0') != std::string::npos) {
    return nullptr;
  }
  UniqueFd fd(open(nativePath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd && errno == ENAMETOOLONG) fd = OpenLongPath(nativePath);
  if (!fd) return nullptr;
  const std::optional<std::uint64_t> mountId = MountIdOf(fd.get());
  return std::make_unique<PosixDirectory>(std::move(fd), mountId,
                                          std::make_shared<MechanismCache>());
}

}  // namespace lumaveil::fs
