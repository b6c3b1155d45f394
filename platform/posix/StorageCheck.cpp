#include "platform/posix/StorageCheck.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/FolderHandle.h"
#include "base/UniqueFd.h"
#include "platform/ErrorText.h"
#include "platform/PathString.h"
#include "platform/Texts.h"
#include "platform/posix/DeviceStack.h"
#include "platform/posix/MountTable.h"

namespace {

// Magic numbers <linux/magic.h> lacks: file systems kept outside the kernel tree, or whose
// drivers keep theirs private.
constexpr std::uint32_t kZfsMagic = 0x2FC12FC1;
constexpr std::uint32_t kBcachefsMagic = 0xCA451A4E;
constexpr std::uint32_t kJfsMagic = 0x3153464A;
constexpr std::uint32_t kNtfsMagic = 0x5346544E;   // the older ntfs driver
constexpr std::uint32_t kNtfs3Magic = 0x7366746E;  // ntfs3
constexpr std::uint32_t kHfsPlusMagic = 0x482B;
constexpr std::uint32_t kHfsMagic = 0x4244;
constexpr std::uint32_t kUdfMagic = 0x15013346;
constexpr std::uint32_t kUbifsMagic = 0x24051905;
constexpr std::uint32_t kGfs2Magic = 0x01161970;
constexpr std::uint32_t kExfatMagic = 0x2011BAB0;  // older <linux/magic.h> lack it

constexpr const char* kCopyOnWrite = TRANSLATABLE(
    "Storage", "copy-on-write: every pass goes to new blocks, and snapshots keep the old ones");
constexpr const char* kLogStructured = TRANSLATABLE(
    "Storage",
    "log-structured: every pass goes to new blocks, and the old ones stay until cleaned");
constexpr const char* kSwappableMemory = TRANSLATABLE(
    "Storage", "held in memory: nothing reaches a disk, though swap may hold some of its pages");
constexpr const char* kMemory = TRANSLATABLE("Storage", "held in memory: nothing reaches a disk");
constexpr const char* kNetwork =
    TRANSLATABLE("Storage", "network file system: the server decides where the passes go");
constexpr const char* kFuse =
    TRANSLATABLE("Storage", "FUSE: the program behind it decides where the passes go");
constexpr const char* kOverlay = TRANSLATABLE(
    "Storage",
    "overlay: a file from the lower layer is copied up when changed, and the lower layer "
    "keeps the original");
constexpr const char* kStacked =
    TRANSLATABLE("Storage", "stacked on another file system, which decides where the passes go");
constexpr const char* kReadOnly =
    TRANSLATABLE("Storage", "read-only image: nothing in it can be overwritten");
constexpr const char* kUnrecognised = TRANSLATABLE("Storage", "unrecognised file system");
constexpr const char* kNoDevice =
    TRANSLATABLE("Storage", "the device under it could not be identified");
constexpr const char* kJournal =
    TRANSLATABLE("Storage", "journaled data: the journal keeps copies of what was written");

enum class Kind {
    InPlace,  // the device under it decides
    CopyOnWrite,
    LogStructured,
    SwappableMemory,
    Memory,
    Network,
    Fuse,
    // Unknown rather than CannotReach: a file made in the upper layer is overwritten in place
    // there, and nothing cheap tells it apart from one copied up from below.
    Overlay,
    Stacked,
    ReadOnly,
};

// What the type alone says, for every kind but the in-place one.
struct KindVerdict {
    Kind kind;
    StorageReach reach;
    const char* reason;
};

constexpr KindVerdict kKindVerdicts[] = {
    {Kind::CopyOnWrite, StorageReach::CannotReach, kCopyOnWrite},
    {Kind::LogStructured, StorageReach::CannotReach, kLogStructured},
    {Kind::ReadOnly, StorageReach::CannotReach, kReadOnly},
    {Kind::SwappableMemory, StorageReach::NotNeeded, kSwappableMemory},
    {Kind::Memory, StorageReach::NotNeeded, kMemory},
    {Kind::Network, StorageReach::Unknown, kNetwork},
    {Kind::Fuse, StorageReach::Unknown, kFuse},
    {Kind::Overlay, StorageReach::Unknown, kOverlay},
    {Kind::Stacked, StorageReach::Unknown, kStacked},
};

struct KnownType {
    std::uint32_t magic;
    const char* name;
    Kind kind;
};

constexpr KnownType kKnownTypes[] = {
    {EXT4_SUPER_MAGIC, "ext4", Kind::InPlace},  // ext2 and ext3 share it
    {XFS_SUPER_MAGIC, "xfs", Kind::InPlace},
    {kJfsMagic, "jfs", Kind::InPlace},
    {REISERFS_SUPER_MAGIC, "reiserfs", Kind::InPlace},
    {MSDOS_SUPER_MAGIC, "vfat", Kind::InPlace},  // msdos too
    {kExfatMagic, "exfat", Kind::InPlace},
    {kNtfsMagic, "ntfs", Kind::InPlace},
    {kNtfs3Magic, "ntfs3", Kind::InPlace},
    {kHfsPlusMagic, "hfsplus", Kind::InPlace},
    {kHfsMagic, "hfs", Kind::InPlace},
    {kUdfMagic, "udf", Kind::InPlace},
    {MINIX_SUPER_MAGIC, "minix", Kind::InPlace},
    {MINIX_SUPER_MAGIC2, "minix", Kind::InPlace},
    {MINIX2_SUPER_MAGIC, "minix", Kind::InPlace},
    {MINIX2_SUPER_MAGIC2, "minix", Kind::InPlace},
    {MINIX3_SUPER_MAGIC, "minix", Kind::InPlace},
    {OCFS2_SUPER_MAGIC, "ocfs2", Kind::InPlace},
    {kGfs2Magic, "gfs2", Kind::InPlace},
    {BTRFS_SUPER_MAGIC, "btrfs", Kind::CopyOnWrite},
    {kZfsMagic, "zfs", Kind::CopyOnWrite},
    {kBcachefsMagic, "bcachefs", Kind::CopyOnWrite},
    {F2FS_SUPER_MAGIC, "f2fs", Kind::LogStructured},
    {NILFS_SUPER_MAGIC, "nilfs2", Kind::LogStructured},
    {JFFS2_SUPER_MAGIC, "jffs2", Kind::LogStructured},
    {kUbifsMagic, "ubifs", Kind::LogStructured},
    {TMPFS_MAGIC, "tmpfs", Kind::SwappableMemory},
    {RAMFS_MAGIC, "ramfs", Kind::Memory},
    {HUGETLBFS_MAGIC, "hugetlbfs", Kind::Memory},
    {NFS_SUPER_MAGIC, "nfs", Kind::Network},
    {SMB_SUPER_MAGIC, "smb", Kind::Network},
    {CIFS_SUPER_MAGIC, "cifs", Kind::Network},
    {SMB2_SUPER_MAGIC, "smb3", Kind::Network},
    {V9FS_MAGIC, "9p", Kind::Network},
    {CEPH_SUPER_MAGIC, "ceph", Kind::Network},
    {AFS_FS_MAGIC, "afs", Kind::Network},
    {AFS_SUPER_MAGIC, "afs", Kind::Network},
    {CODA_SUPER_MAGIC, "coda", Kind::Network},
    {FUSE_SUPER_MAGIC, "fuse", Kind::Fuse},
    {OVERLAYFS_SUPER_MAGIC, "overlay", Kind::Overlay},
    {ECRYPTFS_SUPER_MAGIC, "ecryptfs", Kind::Stacked},
    {SQUASHFS_MAGIC, "squashfs", Kind::ReadOnly},
    {EROFS_SUPER_MAGIC_V1, "erofs", Kind::ReadOnly},
    {ISOFS_SUPER_MAGIC, "iso9660", Kind::ReadOnly},
    {CRAMFS_MAGIC, "cramfs", Kind::ReadOnly},
};

const KnownType* knownType(std::uint32_t magic) {
    for (const KnownType& type : kKnownTypes) {
        if (type.magic == magic) {
            return &type;
        }
    }
    return nullptr;
}

std::string deviceName(unsigned major, unsigned minor) {
    return std::to_string(major) + ":" + std::to_string(minor);
}

// ext3 and ext4 journal a file's data as well as its metadata when the file or its folder
// carries the journal-data flag (chattr +j); new files inherit it from their folder.
bool hasJournalDataFlag(int fd) {
    int flags = 0;  // the kernel reads and writes an int, whatever the macro says
    return fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
           (flags & FS_JOURNAL_DATA_FL) != 0;
}

bool fileHasJournalDataFlag(int folderFd, const std::string& name) {
    struct stat st;
    if (name.empty() || ::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(st.st_mode)) {
        return false;
    }
    const UniqueFd fd(::openat(folderFd, name.c_str(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat opened;
    return fd.get() >= 0 && ::fstat(fd.get(), &opened) == 0 && S_ISREG(opened.st_mode) &&
           opened.st_ino == st.st_ino && hasJournalDataFlag(fd.get());
}

// Opens the folder whose file system holds the item: a folder itself, anything else (a link
// too, which lives where its name is) its parent. itemName is set in the second case.
int openHoldingFolder(const std::string& path, std::string& itemName) {
    const std::string trimmed = withoutTrailingSlashes(path);
    if (trimmed.empty()) {
        errno = ENOENT;
        return -1;
    }
    // Only a folder opens here, never through a link; O_PATH where it may not be read.
    int fd = ::open(trimmed.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        fd = ::open(trimmed.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    }
    if (fd >= 0) {
        return fd;
    }
    itemName = lastPathComponent(trimmed);
    std::string parent = stringByDeletingLastPathComponent(trimmed);
    if (parent.empty()) {
        parent = ".";
    }
    fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) {
        fd = ::open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    return fd;
}

bool hasOption(const MountEntry& mount, const char* option) {
    for (const std::string& each : mount.options) {
        if (each == option) {
            return true;
        }
    }
    return false;
}

// The device a folder's file system is on, and the mount's id where statx gives one.
// The device a folder's file system is on, and the mount's id where statx gives one.
struct MountedOn {
    unsigned major = 0, minor = 0;
    std::string mountId;
};

MountedOn mountedOn(int folderFd) {
    MountedOn on;
    struct statx stx;
    if (::statx(folderFd, "", AT_EMPTY_PATH | AT_NO_AUTOMOUNT, STATX_BASIC_STATS | STATX_MNT_ID,
                &stx) == 0) {
        on.major = stx.stx_dev_major;
        on.minor = stx.stx_dev_minor;
        if ((stx.stx_mask & STATX_MNT_ID) != 0) {
            on.mountId = std::to_string(stx.stx_mnt_id);
        }
        return on;
    }
    struct stat st;
    if (::fstat(folderFd, &st) == 0) {
        on.major = ::major(st.st_dev);
        on.minor = ::minor(st.st_dev);
    }
    return on;
}

// The mount's own name for its type tells ext2 from ext3 and names the FUSE program; else
// the type's, else its magic number.
std::string typeName(std::uint32_t magic, const KnownType* type, const std::string& mountType) {
    if (!mountType.empty()) {
        return mountType;
    }
    if (type != nullptr) {
        return type->name;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08x", static_cast<unsigned>(magic));
    return hex;
}

// What udev recorded of a block device: "ID_FS_UUID", "ID_MODEL", "ID_SERIAL_SHORT", ...
std::string udevProperty(unsigned major, unsigned minor, const std::string& key) {
    std::FILE* data = std::fopen(("/run/udev/data/b" + deviceName(major, minor)).c_str(), "re");
    if (data == nullptr) {
        return {};
    }
    const std::string prefix = "E:" + key + "=";
    std::string value;
    char line[512];
    while (value.empty() && std::fgets(line, sizeof line, data) != nullptr) {
        const std::string text = line;
        if (text.rfind(prefix, 0) == 0) {
            value = text.substr(prefix.size(), text.find_first_of("\r\n") - prefix.size());
        }
    }
    std::fclose(data);
    return value;
}

// The device's model and serial from sysfs, where udev has nothing: a partition's are its
// disk's.
std::string sysfsDeviceFact(unsigned major, unsigned minor, const char* fact) {
    const std::string base = "/sys/dev/block/" + deviceName(major, minor);
    for (const std::string& at : {base + "/device/", base + "/../device/", base + "/"}) {
        const std::string value = trimmedSpaces(readSysfsLine(at + fact));
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

// The file system's UUID as /dev/disk/by-uuid names it.
std::string uuidByLink(unsigned major, unsigned minor) {
    const FolderHandle links(::opendir("/dev/disk/by-uuid"));
    if (links.stream() == nullptr) {
        return {};
    }
    std::string uuid;
    while (const dirent* entry = ::readdir(links.stream())) {
        struct stat st;
        const std::string link = std::string("/dev/disk/by-uuid/") + entry->d_name;
        if (uuid.empty() && entry->d_name[0] != '.' && ::stat(link.c_str(), &st) == 0 &&
            S_ISBLK(st.st_mode) && ::major(st.st_rdev) == major && ::minor(st.st_rdev) == minor) {
            uuid = entry->d_name;
        }
    }
    return uuid;
}

void identify(StorageVerdict& verdict, const MountedOn& on, const MountEntry* mount) {
    if (mount != nullptr) {
        verdict.mountPoint = mount->mountPoint;
        verdict.device = mount->source;
    }
    verdict.uuid = udevProperty(on.major, on.minor, "ID_FS_UUID");
    if (verdict.uuid.empty()) {
        verdict.uuid = uuidByLink(on.major, on.minor);
    }
    verdict.model = udevProperty(on.major, on.minor, "ID_MODEL");
    if (verdict.model.empty()) {
        verdict.model = sysfsDeviceFact(on.major, on.minor, "model");
    }
    verdict.serial = udevProperty(on.major, on.minor, "ID_SERIAL_SHORT");
    if (verdict.serial.empty()) {
        verdict.serial = sysfsDeviceFact(on.major, on.minor, "serial");
    }
}

std::string kernelRelease() {
    struct utsname names;
    return ::uname(&names) == 0 ? names.release : "";
}

// What the storage check finds of the file system holding an item, before any judgement.
struct Holder {
    int folder = -1;       // held by the caller
    std::string itemName;  // the item inside folder, or empty when it is the folder itself
    std::uint32_t magic = 0;
    const KnownType* type = nullptr;
    MountedOn on;
    std::optional<MountEntry> mount;
};

// The folder open as folderFd, or the entry itemName in it when that is not empty; nothing,
// with errno set, when it cannot be examined.
std::optional<Holder> findHolder(int folderFd, const std::string& itemName) {
    Holder holder{folderFd, itemName};
    struct statfs fs;
    if (folderFd < 0 || ::fstatfs(folderFd, &fs) != 0) {
        return std::nullopt;
    }
    // f_type is a signed word on some architectures: only its low 32 bits are the magic.
    holder.magic = static_cast<std::uint32_t>(fs.f_type);
    holder.type = knownType(holder.magic);
    holder.on = mountedOn(folderFd);
    holder.mount = findMount(holder.on.mountId, deviceName(holder.on.major, holder.on.minor));
    return holder;
}

bool isJournaled(const Holder& holder) {
    return holder.magic == EXT4_SUPER_MAGIC &&
           ((holder.mount && hasOption(*holder.mount, "data=journal")) ||
            hasJournalDataFlag(holder.folder) ||
            fileHasJournalDataFlag(holder.folder, holder.itemName));
}

// The block device under the file system: its own number, or for one that has none of its
// own (btrfs, and others that span devices) the device it was mounted from.
std::string blockDeviceUnder(const Holder& holder, const std::string& sysfsRoot) {
    if (holder.on.major != 0) {
        return deviceName(holder.on.major, holder.on.minor);
    }
    if (holder.mount && holder.mount->source.rfind("/dev/", 0) == 0) {
        return blockDeviceNumber(sysfsRoot, holder.mount->source);
    }
    return {};
}

// The type decides, but for a file system that writes in place: then the devices beneath it
// do, and the journal when it keeps the data too. Whatever the type, what lies beneath is said,
// and whether it is encrypted.
DeviceJudgement judgeFileSystem(const DeviceWalk& walk, const KnownType* type,
                                const std::string& number, bool journaled) {
    DeviceJudgement device{StorageReach::Unknown, translated("Storage", kNoDevice), {}, false};
    if (!number.empty()) {
        device = judgeDevice(walk, number);
    }
    if (type == nullptr) {
        return {StorageReach::Unknown, translated("Storage", kUnrecognised), device.seen,
                device.encrypted};
    }
    for (const KindVerdict& judged : kKindVerdicts) {
        if (judged.kind == type->kind) {
            return {judged.reach, translated("Storage", judged.reason), device.seen,
                    device.encrypted};
        }
    }
    if (journaled && device.reach != StorageReach::NotNeeded) {
        device.reach = worseReach(device.reach, StorageReach::MayNotReachAll);
        device.words = translated("Storage", kJournal) + "; " + device.words;
    }
    return device;
}

}  // namespace

std::optional<DeviceJudgement> judgeFileHolder(const DeviceWalk& walk, const std::string& path) {
    std::string itemName;
    const UniqueFd folder{openHoldingFolder(path, itemName)};
    const std::optional<Holder> holder = findHolder(folder.get(), itemName);
    if (!holder) {
        return std::nullopt;
    }
    DeviceJudgement judgement = judgeFileSystem(
        walk, holder->type, blockDeviceUnder(*holder, walk.sysfsRoot), isJournaled(*holder));
    const std::string type =
        typeName(holder->magic, holder->type, holder->mount ? holder->mount->type : "");
    judgement.seen = judgement.seen.empty()
                         ? type
                         : withArgs(translated("Storage", "%1 on %2"), {type, judgement.seen});
    return judgement;
}

StorageVerdict fileSystemVerdict(const std::string& sysfsRoot, std::uint32_t magic, unsigned major,
                                 unsigned minor, bool journaled) {
    int devicesLeft = kDevicesAWalkVisits;
    const DeviceJudgement judgement = judgeFileSystem(
        {sysfsRoot, 0, &devicesLeft}, knownType(magic), deviceName(major, minor), journaled);
    StorageVerdict verdict;
    verdict.reach = judgement.reach;
    verdict.reason = judgement.reason();
    verdict.encrypted = judgement.encrypted;
    return verdict;
}

namespace {

// The verdict for the file system the holder found.
StorageVerdict verdictOf(const Holder& holder) {
    StorageVerdict verdict;
    const MountEntry* mount = holder.mount ? &*holder.mount : nullptr;
    verdict.fileSystem = typeName(holder.magic, holder.type, mount ? mount->type : "");
    identify(verdict, holder.on, mount);
    int devicesLeft = kDevicesAWalkVisits;
    const DeviceJudgement judgement =
        judgeFileSystem({"/sys", 0, &devicesLeft}, holder.type, blockDeviceUnder(holder, "/sys"),
                        isJournaled(holder));
    verdict.reach = judgement.reach;
    verdict.reason = judgement.reason();
    verdict.encrypted = judgement.encrypted;
    verdict.removedNamesWiped = removedNamesWiped(mount ? mount->type : "", kernelRelease());
    return verdict;
}

StorageVerdict couldNotExamine(int error) {
    StorageVerdict verdict;
    verdict.reason = error != 0 ? withArgs(translated("Storage", "could not be examined (%1)"),
                                           {errorInWords(error)})
                                : translated("Storage", "could not be examined");
    return verdict;
}

}  // namespace

bool removedNamesWiped(const std::string& mountType, const std::string& kernelRelease) {
    unsigned major = 0, minor = 0;
    return mountType == "ext4" &&
           std::sscanf(kernelRelease.c_str(), "%u.%u", &major, &minor) == 2 &&
           (major > 5 || (major == 5 && minor >= 13));
}

bool removedNamesWipedIn(int folderFd) {
    try {
        const std::optional<Holder> holder = findHolder(folderFd, "");
        return holder && holder->magic == EXT4_SUPER_MAGIC && holder->mount &&
               removedNamesWiped(holder->mount->type, kernelRelease());
    } catch (...) {  // out of memory: it cannot be told
        return false;
    }
}

StorageVerdict checkStorageIn(int folderFd, const std::string& itemName) {
    try {
        const std::optional<Holder> holder = findHolder(folderFd, itemName);
        return holder ? verdictOf(*holder) : couldNotExamine(errno);
    } catch (...) {  // out of memory: a verdict that says nothing rather than none
        return couldNotExamine(0);
    }
}

StorageVerdict checkStorage(const std::string& path) {
    std::string itemName;
    const UniqueFd folder{openHoldingFolder(path, itemName)};
    return checkStorageIn(folder.get(), itemName);
}

std::optional<FileSystemFacts> fileSystemFacts(const std::string& folder, int& errorNumber) {
    const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0) {
        errorNumber = errno;
        return std::nullopt;
    }
    return fileSystemFactsOf(fd.get(), folder, errorNumber);
}

std::optional<FileSystemFacts> fileSystemFactsOf(int folderFd, const std::string& shownPath,
                                                 int& errorNumber) {
    struct statvfs vfs;
    const std::optional<Holder> holder = findHolder(folderFd, "");
    if (!holder || ::fstatvfs(folderFd, &vfs) != 0) {
        errorNumber = errno;
        return std::nullopt;
    }
    FileSystemFacts facts;
    const MountEntry* mount = holder->mount ? &*holder->mount : nullptr;
    facts.type = typeName(holder->magic, holder->type, mount ? mount->type : "");
    facts.mountPoint = mount ? mount->mountPoint : shownPath;
    facts.device = mount ? mount->source : deviceName(holder->on.major, holder->on.minor);
    facts.blockSize = vfs.f_frsize;
    // Root may fill the reserve as well; anyone else stops short of it.
    const bool root = ::geteuid() == 0;
    facts.freeBytes = static_cast<std::uint64_t>(root ? vfs.f_bfree : vfs.f_bavail) * vfs.f_frsize;
    facts.reservedBytes =
        root ? 0 : static_cast<std::uint64_t>(vfs.f_bfree - vfs.f_bavail) * vfs.f_frsize;
    facts.freeInodes = vfs.f_favail;
    facts.readOnly = (vfs.f_flag & ST_RDONLY) != 0;
    facts.writable = ::faccessat(folderFd, ".", W_OK | X_OK, 0) == 0;
    facts.network = holder->type != nullptr && holder->type->kind == Kind::Network;
    // Judged where the fill will write: the folder held open, whatever its path says now.
    try {
        facts.storage = verdictOf(*holder);
    } catch (...) {
        facts.storage = couldNotExamine(0);
    }
    return facts;
}
