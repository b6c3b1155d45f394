#include <gtest/gtest.h>

#include <linux/magic.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "PrivateMounts.h"
#include "TempDir.h"
#include "platform/PathString.h"
#include "platform/posix/StorageCheck.h"
#include "platform/posix/SwapCheck.h"

namespace {

constexpr auto npos = std::string::npos;
// A loop device, detached at the end.
struct Detach {
    std::string device;
    ~Detach() { sh("losetup --detach " + device); }
};

// Mounts inside the test's private mount namespace: the mount ends with the namespace, before
// the test goes on, so the next mount of the device starts afresh with its own options.
bool mountExt4(const std::string& device, const std::string& at, const char* options = nullptr) {
    return ::mount(device.c_str(), at.c_str(), "ext4", 0, options) == 0;
}

// Checks a folder inside the mount at top and a file in it: both get the same verdict.
void expectVerdict(const std::string& top, StorageReach reach, const std::string& fileSystem,
                   const std::string& reasonPart, bool encrypted = false) {
    const std::string folder = top + "/folder";
    if (!exists(folder)) {
        makeFolder(folder);
        writeFile(folder + "/file", "secret");
    }
    for (const std::string& path : {folder, folder + "/file"}) {
        const StorageVerdict verdict = checkStorage(path);
        EXPECT_EQ(verdict.reach, reach) << path << ": " << verdict.reason;
        EXPECT_EQ(verdict.fileSystem, fileSystem) << path;
        EXPECT_NE(verdict.reason.find(reasonPart), std::string::npos)
            << path << ": " << verdict.reason;
        EXPECT_EQ(verdict.encrypted, encrypted) << path;
    }
}

class StorageCheck : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "needs root: the checks attach loop devices and mount them";
    }
    TempDir dir;
};

// A machine as sysfs shows it, laid out as folders, small files and links in a folder of the
// test's own.
class FakeSysfs {
public:
    explicit FakeSysfs(const std::string& root) : root_(root) {}

    // A block device numbered `number` whose folder lies at `path` under devices/; a folder
    // of the path named with "[driver]" after it is served by that driver. Files are
    // "name=value", relative to the device's folder; a value "->target" makes a link. A disk
    // under a block/ folder has device/ lead to the folder above. slaves are devices added
    // before, by their names.
    void add(const std::string& path, const std::string& number,
             const std::vector<std::string>& files = {},
             const std::vector<std::string>& slaves = {}) {
        std::string folder = root_ + "/devices";
        for (const std::filesystem::path& each : std::filesystem::path(path)) {
            const std::string part = each.string();
            const std::size_t bracket = part.find('[');
            folder += "/" + part.substr(0, bracket);
            std::filesystem::create_directories(folder);
            // Only the driver's name is read: it need lead nowhere.
            if (bracket != std::string::npos && !exists(folder + "/driver")) {
                link("../bus/drivers/" + part.substr(bracket + 1, part.size() - bracket - 2),
                     folder + "/driver");
            }
        }
        const std::string name = lastPathComponent(folder);
        put(folder, "dev=" + number);
        if (path.find("/block/") != std::string::npos && path.rfind("virtual/", 0) != 0)
            link("../..", folder + "/device");
        for (const std::string& file : files) put(folder, file);
        for (const std::string& slave : slaves)
            put(folder, "slaves/" + slave + "=->" + root_ + "/class/block/" + slave);
        for (const char* index : {"/dev/block", "/class/block"})
            std::filesystem::create_directories(root_ + index);
        link(folder, root_ + "/dev/block/" + number);
        link(folder, root_ + "/class/block/" + name);
    }
    // A file of the machine's own, outside devices/: "power/resume=8:3".
    void put(const std::string& folder, const std::string& file) const {
        const std::size_t equals = file.find('=');
        const std::string path = folder + "/" + file.substr(0, equals);
        const std::string value = file.substr(equals + 1);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        if (value.rfind("->", 0) == 0) {
            link(value.substr(2), path);
        } else {
            writeFile(path, value + "\n");
        }
    }
    const std::string& root() const { return root_; }

private:
    static void link(const std::string& target, const std::string& at) {
        ASSERT_EQ(::symlink(target.c_str(), at.c_str()), 0) << at;
    }
    std::string root_;
};

// The device number of the file system holding path, as sysfs writes it: "254:0".
std::string deviceOf(const std::string& path) {
    struct stat st;
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return std::to_string(major(st.st_dev)) + ":" + std::to_string(minor(st.st_dev));
}

// Whether the file system really holding path is judged by the device beneath it, so that a
// fake disk laid out at its number decides.
bool judgedByItsDevice(const std::string& path) {
    const std::string type = checkStorage(path).fileSystem;
    return type.rfind("ext", 0) == 0 || type == "xfs";
}

StorageVerdict ext4On(const std::string& sysfs, const std::string& number, bool journaled = false) {
    unsigned major = 0, minor = 0;
    EXPECT_EQ(std::sscanf(number.c_str(), "%u:%u", &major, &minor), 2) << number;
    return fileSystemVerdict(sysfs, EXT4_SUPER_MAGIC, major, minor, journaled);
}

constexpr const char* kAta = "pci0000:00/0000:00:1f.2[ahci]/ata1/host0/target0:0:0/0:0:0:0[sd]";
constexpr const char* kUsb =
    "pci0000:00/0000:00:14.0[xhci_hcd]/usb1/1-1/1-1:1.0[usb-storage]/host2/target2:0:0/"
    "2:0:0:0[sd]";
const std::vector<std::string> kSpinningDisk = {"queue/rotational=1", "queue/discard_max_bytes=0"};
const std::string kSda = std::string(kAta) + "/block/sda";
const std::vector<std::string> kUsbStick = {"queue/rotational=1", "queue/discard_max_bytes=0",
                                            "removable=1"};

// A disk as sysfs shows it, and what is said of it.
struct FakeDisk {
    std::string path;  // its folder under devices/, as FakeSysfs::add takes it
    std::vector<std::string> files;
    StorageReach reach;
    const char* said;
};

using enum StorageReach;
const FakeDisk kDisks[] = {
    {kSda, kSpinningDisk, Reaches, "spinning disk: sda over ATA, driver ahci"},
    {kSda,
     {"queue/rotational=1", "queue/discard_max_bytes=512"},
     MayNotReachAll,
     "thin-provisioned"},
    {kSda, {"queue/rotational=0"}, MayNotReachAll, "solid-state"},
    {kSda, {"queue/discard_max_bytes=0"}, Unknown, "spins"},
    {kSda, kUsbStick, Unknown, "removable medium"},
    {"pci0000:00/0000:00:03.0[mpt3sas]/host0/port-0:0/end_device-0:0/target0:0:0/"
     "0:0:0:0[sd]/block/sda",
     kSpinningDisk, Reaches, "over SAS, driver mpt3sas"},
    {"pci0000:00/0000:00:03.0[megaraid_sas]/host0/target0:2:0/0:2:0:0[sd]/block/sda", kSpinningDisk,
     Unknown, "controller not known to write in place: sda, driver megaraid"},
    {"pci0000:00/0000:00:1d.0/0000:3d:00.0[nvme]/nvme/nvme0/nvme0n1",
     {"device=->..", "../transport=pcie", "queue/rotational=0"},
     MayNotReachAll,
     "solid-state or flash: the device may keep old copies in blocks it has remapped: "
     "nvme0n1 over NVMe, driver nvme"},
    {std::string(kUsb) + "/block/sdb", kUsbStick, Unknown,
     "attached over USB; a flash drive writes elsewhere than it is told: sdb over USB, "
     "driver usb-storage"},
    {"pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0[uas]/host3/target3:0:0/3:0:0:0[sd]/block/sdc",
     kSpinningDisk, Unknown, "attached over USB; a flash drive"},
    {"pci0000:00/0000:00:1a.0[sdhci-pci]/mmc_host/mmc0/mmc0:aaaa[mmcblk]/block/mmcblk0",
     {"queue/rotational=0"},
     MayNotReachAll,
     "flash memory card: mmcblk0 over MMC"},
    {"pci0000:00/0000:00:1e.0[firewire_ohci]/fw1/fw1.0[firewire_sbp2]/host6/target6:0:0/"
     "6:0:0:0[sd]/block/sde",
     kSpinningDisk, Unknown, "attached over FireWire"},
    {"pci0000:00/0000:00:07.0/0000:05:00.0[ahci]/ata7/host7/target7:0:0/7:0:0:0[sd]/block/sdf",
     {"queue/rotational=1", "queue/discard_max_bytes=0", "../../../../../../removable=removable"},
     Unknown,
     "attached over Thunderbolt"},
    {"pci0000:00/0000:00:02.0/virtio1[virtio_blk]/block/vda", kSpinningDisk, Unknown,
     "a virtual disk (virtio_blk)"},
    {"vbd-51712[vbd]/block/xvda", kSpinningDisk, Unknown, "(xen-blkfront)"},
    {"pci0000:00/0000:00:04.0/virtio2/host2/target2:0:0/2:0:0:0[sd]/block/sdb",
     {"device/vendor=QEMU    ", "queue/rotational=1"},
     Unknown,
     "(QEMU)"},
    {"platform/host3/session1/target3:0:0/3:0:0:0[sd]/block/sdc",
     {"device/vendor=LIO-ORG ", "queue/rotational=1"},
     Unknown,
     "network disk (iSCSI)"},
    {"virtual/block/nbd0", kSpinningDisk, Unknown, "network disk (nbd)"},
    {"virtual/nvme-fabrics/ctl/nvme1/nvme1n1",
     {"device=->..", "../transport=tcp"},
     Unknown,
     "(NVMe over tcp)"},
    {"virtual/block/zram0", {"queue/rotational=0"}, NotNeeded, "nothing of it reaches a disk"},
    {"virtual/block/ram0", kSpinningDisk, NotNeeded, "held in memory"},
};

// Only a spinning disk hanging directly from an ATA or SAS host, that cannot discard, is
// said to be reached; every other disk says what it was seen to be. Each is judged the same
// through a partition, a dm-crypt mapping of that (encrypted), and a loop device whose
// backing file lies on it (the fake disk stands where the test's folder really is).
TEST(StorageDevice, OnlyADirectlyAttachedSpinningDiskIsSaidToBeReached) {
    TempDir folder;
    const std::string backing = folder / "disk.img";
    writeFile(backing, "blocks");
    const std::string disk = deviceOf(backing);
    const bool loopJudgedByDisk = judgedByItsDevice(backing);
    for (const FakeDisk& c : kDisks) {
        TempDir sysfs;
        FakeSysfs machine(sysfs.path());
        machine.add(c.path, disk, c.files);
        const std::string name = lastPathComponent(c.path);
        machine.add(c.path + "/" + name + "1", "240:1", {"partition=1"});
        machine.add("virtual/block/dm-0", "241:0", {"dm/uuid=CRYPT-LUKS2-0123"}, {name + "1"});
        machine.add("virtual/block/loop0", "242:0", {"loop/backing_file=" + backing});
        for (const std::string& number :
             {disk, std::string("240:1"), std::string("241:0"), std::string("242:0")}) {
            if (number == "242:0" && !loopJudgedByDisk)
                continue;
            SCOPED_TRACE(c.path + " as " + number);
            const StorageVerdict verdict = ext4On(sysfs.path(), number);
            EXPECT_EQ(verdict.reach, c.reach) << verdict.reason;
            EXPECT_NE(verdict.reason.find(number == disk ? c.said : name), npos) << verdict.reason;
            EXPECT_EQ(verdict.encrypted, number == "241:0");
            EXPECT_TRUE(number != "242:0" ||
                        verdict.reason.find("loop0 backed by " + backing) != npos);
        }
    }
    if (!loopJudgedByDisk) {
        std::printf("note: the loop rows were left out: %s holds the test's folder\n",
                    checkStorage(backing).fileSystem.c_str());
    }
}

// Layers: the worst of what a layer is made of wins, and each is named in what was seen.
TEST(StorageDevice, TheWorstOfTheLayersBeneathWins) {
    TempDir sysfs;
    FakeSysfs machine(sysfs.path());
    machine.add(kSda, "8:0", kSpinningDisk);
    machine.add("pci0000:00/0000:00:1f.2/ata2/host1/target1:0:0/1:0:0:0/block/sdc", "8:32",
                kSpinningDisk);
    machine.add(std::string(kUsb) + "/block/sdb", "8:16", kUsbStick);
    machine.add("virtual/block/md0", "9:0", {"md/level=raid1"}, {"sda", "sdb"});
    machine.add("virtual/block/md1", "9:1", {"md/level=raid1"}, {"sda", "sdc"});
    machine.add("virtual/block/dm-0", "253:0", {"dm/uuid=CRYPT-LUKS2-0123"}, {"sdc"});
    machine.add("virtual/block/dm-1", "253:1", {"dm/uuid=LVM-abc"}, {"dm-0"});
    machine.add("virtual/block/dm-2", "253:2", {"dm/uuid=LVM-def"}, {"md0"});
    machine.add("virtual/block/dm-3", "253:3", {"dm/uuid="});
    machine.add("virtual/block/zram1", "252:1", {"backing_dev=/dev/sdc"});
    machine.add("virtual/block/loop1", "7:1", {"loop/backing_file=/gone/disk.img (deleted)"});
    machine.add("virtual/block/loop2", "7:2", {"loop/backing_file=" + (sysfs / "no-such.img")});
    const struct {
        const char* number;
        StorageReach reach;
        bool encrypted;
        const char* said;
    } cases[] = {
        {"9:0", Unknown, false,
         "a flash drive writes elsewhere than it is told: raid1 md0 on sda over ATA, driver ahci "
         "and sdb over USB"},
        {"9:1", Reaches, false, "spinning disk: raid1 md1 on sda over ATA, driver ahci and sdc"},
        {"253:1", Reaches, true, "LVM dm-1 on dm-crypt dm-0 on sdc"},
        {"253:2", Unknown, false, "LVM dm-2 on raid1 md0"},
        {"253:3", Unknown, false, "mapped device with nothing beneath"},
        {"252:1", MayNotReachAll, false, "zram1 writing back to sdc"},
        {"7:1", Unknown, false, "its backing file is gone: loop1 backed by /gone/disk.img"},
        {"7:2", Unknown, false, "its backing file is gone"},
        {"8:48", Unknown, false, "could not be found: 8:48"},
    };
    for (const auto& c : cases) {
        const StorageVerdict verdict = ext4On(sysfs.path(), c.number);
        EXPECT_EQ(verdict.reach, c.reach) << c.number << ": " << verdict.reason;
        EXPECT_EQ(verdict.encrypted, c.encrypted) << c.number;
        EXPECT_NE(verdict.reason.find(c.said), npos) << c.number << ": " << verdict.reason;
    }
    // A loop over a whole device (a node made here for sdb, where mknod is allowed).
    if (::mknod((sysfs / "sdb").c_str(), S_IFBLK | 0600, makedev(8, 16)) == 0) {
        machine.add("virtual/block/loop3", "7:3", {"loop/backing_file=" + (sysfs / "sdb")});
        const StorageVerdict verdict = ext4On(sysfs.path(), "7:3");
        EXPECT_EQ(verdict.reach, Unknown) << verdict.reason;
        EXPECT_NE(verdict.reason.find("loop3 backed by the device sdb over USB"), npos)
            << verdict.reason;
    }
}

// The type decides before the device: over a disk that would be reached, a file system that
// writes elsewhere never is, nor one that journals the data.
TEST(StorageDevice, FileSystemsThatWriteElsewhereNeverReach) {
    TempDir sysfs;
    FakeSysfs(sysfs.path()).add(kSda, "8:0", kSpinningDisk);
    const struct {
        std::uint32_t magic;
        bool journaled;
        StorageReach reach;
    } cases[] = {
        {EXT4_SUPER_MAGIC, false, Reaches},       {XFS_SUPER_MAGIC, false, Reaches},
        {EXT4_SUPER_MAGIC, true, MayNotReachAll}, {BTRFS_SUPER_MAGIC, false, CannotReach},
        {0x2FC12FC1, false, CannotReach},  // zfs
        {0xCA451A4E, false, CannotReach},  // bcachefs
        {F2FS_SUPER_MAGIC, false, CannotReach},   {NILFS_SUPER_MAGIC, false, CannotReach},
        {TMPFS_MAGIC, false, NotNeeded},          {0x12345678, false, Unknown},
    };
    for (const auto& c : cases) {
        const StorageVerdict verdict = fileSystemVerdict(sysfs.path(), c.magic, 8, 0, c.journaled);
        EXPECT_EQ(verdict.reach, c.reach) << std::hex << c.magic << ": " << verdict.reason;
    }
}

// Only ext4, mounted as ext4, under Linux 5.13 or later, wipes a removed entry's name; a
// release that cannot be read is older.
TEST(StorageDevice, OnlyExt4SinceLinux513WipesRemovedNames) {
    const struct {
        const char* type;
        const char* release;
        bool wiped;
    } cases[] = {
        {"ext4", "5.13.0", true},      {"ext4", "6.1.0-18-amd64", true},   {"ext4", "10.0", true},
        {"ext4", "5.12.19-rt", false}, {"ext4", "4.19.0-26-amd64", false}, {"ext4", "", false},
        {"ext4", "unknown", false},    {"ext3", "6.1.0", false},           {"ext2", "6.1.0", false},
        {"xfs", "6.1.0", false},       {"btrfs", "6.1.0", false},          {"", "6.1.0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(removedNamesWiped(c.type, c.release), c.wiped) << c.type << " " << c.release;
}

// Swap areas and the hibernation image count as encrypted only with dm-crypt beneath them;
// zram is no disk, and a swap file is judged by the device holding its file system.
TEST(StorageDevice, SwapAndHibernationOnUnencryptedDevicesAreFound) {
    TempDir folder;
    const std::string swapFile = folder / "swap file";
    writeFile(swapFile, "");
    const std::string holding = deviceOf(swapFile);
    const bool swapFileListed = judgedByItsDevice(swapFile);
    for (const bool encryptedHolder : {false, true}) {
        TempDir sysfs;
        FakeSysfs machine(sysfs.path());
        machine.add(kSda, encryptedHolder ? "8:0" : holding, kSpinningDisk);
        for (const char* partition : {"sda1", "sda2", "sda3"}) {
            machine.add(kSda + "/" + partition, std::string("8:") + partition[3], {"partition=1"});
        }
        machine.add("virtual/block/dm-0", encryptedHolder ? holding : "253:0",
                    {"dm/uuid=CRYPT-LUKS2-0123"}, {"sda1"});
        machine.add("virtual/block/zram0", "252:0");
        machine.put(sysfs.path(), "power/resume=8:3");
        const std::string swaps = sysfs / "swaps";
        writeFile(swaps,
                  "Filename\tType\tSize\tUsed\tPriority\n"
                  "/dev/sda2  partition\t1024\t0\t-2\n/dev/dm-0  partition\t1024\t0\t-3\n"
                  "/dev/zram0  partition\t1024\t0\t100\n" +
                      (swapFileListed ? folder / "swap\\040file  file\t1024\t0\t-4\n" : ""));
        const MemoryOnDisk found = unencryptedMemoryCopies(sysfs.path(), swaps);
        std::vector<std::string> expected{"/dev/sda2"};
        if (!encryptedHolder && swapFileListed)
            expected.push_back(swapFile);
        EXPECT_EQ(found.swapAreas, expected);
        EXPECT_EQ(found.hibernationDevice, "/dev/sda3");
        machine.put(sysfs.path(), "power/resume=8:2");  // one of the swap areas: said once
        EXPECT_EQ(unencryptedMemoryCopies(sysfs.path(), swaps).hibernationDevice, "");
    }
}

// An ext4 image mounted through a loop device is a file's blocks on another file system: it
// is judged as that one, never by the loop device's own flags (set here to those of a
// spinning disk that cannot discard), and says which file backs it. A folder whose files have
// their data journaled, memory, and a link to a folder elsewhere, beside it.
TEST_F(StorageCheck, ALoopMountedImageIsJudgedByTheFileSystemHoldingIt) {
    const StorageVerdict holder = checkStorage(dir.path());
    if (holder.reach == StorageReach::NotNeeded || holder.reach == StorageReach::CannotReach) {
        GTEST_SKIP() << "the test's folder is on " << holder.fileSystem
                     << ", whose type alone decides for an image in it";
    }
    // Attached, and made to call itself a spinning disk that takes no discard.
    std::string ext4;
    if (!sh("truncate -s 16M '" + (dir / "disk.img") + "' && losetup --find --show '" +
                (dir / "disk.img") + "'",
            &ext4))
        GTEST_SKIP() << "no loop device could be attached";
    const Detach detach{ext4};
    const std::string queue = "/sys/block/" + lastPathComponent(ext4) + "/queue/";
    if (!sh("echo 1 >" + queue + "rotational && echo 0 >" + queue + "discard_max_bytes"))
        GTEST_SKIP() << "the loop device's queue/rotational cannot be written here";
    for (const char* folder : {"spinning", "tmpfs"}) makeFolder(dir / folder);
    ASSERT_TRUE(sh("mkfs.ext4 -q -F " + ext4));
    // Set offline: setting it on a mounted file system needs CAP_SYS_RESOURCE. 0x80000 is
    // the extents flag mkfs gave the folder, 0x4000 the journal-data flag.
    ASSERT_TRUE(
        sh("debugfs -w -R 'mkdir journaled' " + ext4 + " 2>/dev/null") &&
        sh("debugfs -w -R 'set_inode_field journaled flags 0x84000' " + ext4 + " 2>/dev/null"));
    const std::string backed = "backed by " + (dir / "disk.img");
    const auto byDevice = [&] {
        ASSERT_TRUE(mountExt4(ext4, dir / "spinning")) << std::strerror(errno);
        expectVerdict(dir / "spinning", holder.reach, "ext4", backed);
        expectVerdict(dir / "spinning/journaled", StorageReach::MayNotReachAll, "ext4", "journal");
    };
    RUN_IN_PRIVATE_MOUNTS(false, byDevice);
    RUN_IN_PRIVATE_MOUNTS(true, byDevice);  // sysfs alone finds the device

    RUN_IN_PRIVATE_MOUNTS(false, [&] {
        ASSERT_TRUE(mountExt4(ext4, dir / "spinning", "data=journal")) << std::strerror(errno);
        expectVerdict(dir / "spinning", StorageReach::MayNotReachAll, "ext4", "journal");
        mountTmpfs(dir / "tmpfs");
        expectVerdict(dir / "tmpfs", StorageReach::NotNeeded, "tmpfs", "memory");
        // A link lives in its own folder's file system, whatever it points to.
        ASSERT_EQ(::symlink((dir / "spinning/folder").c_str(), (dir / "tmpfs/link").c_str()), 0);
        for (const std::string& link : {dir / "tmpfs/link", dir / "tmpfs/link/"}) {
            const StorageVerdict verdict = checkStorage(link);
            EXPECT_EQ(verdict.reach, StorageReach::NotNeeded) << link << ": " << verdict.reason;
            EXPECT_EQ(verdict.fileSystem, "tmpfs") << link;
        }
    });
}

}  // namespace
