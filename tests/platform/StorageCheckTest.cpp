#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "PrivateMounts.h"
#include "StorageCheck.h"
#include "TempDir.h"

namespace {

constexpr off_t kMiB = 1 << 20;
constexpr int kSmallImageMiB = 16;

// Runs a shell command (its errors go to the test's output) and answers whether it worked,
// with what it printed, less the last newline.
bool run(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    std::string printed;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        printed += buffer;
    }
    const int status = ::pclose(pipe);
    if (!printed.empty() && printed.back() == '\n') {
        printed.pop_back();
    }
    if (output != nullptr) {
        *output = printed;
    }
    return status == 0;
}

// A sparse image attached to a loop device, detached again at the end; device() is empty
// when none could be attached.
class LoopDevice {
public:
    LoopDevice(const std::string& image, off_t size, bool partitions = false) {
        const int fd = ::open(image.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const bool made = fd >= 0 && ::ftruncate(fd, size) == 0;
        if (fd >= 0) {
            ::close(fd);
        }
        if (made && !run(std::string("losetup --find --show ") +
                             (partitions ? "--partscan '" : "'") + image + "'",
                         &device_)) {
            device_.clear();
        }
    }
    ~LoopDevice() {
        if (!device_.empty()) {
            run("losetup --detach " + device_);
        }
    }
    const std::string& device() const { return device_; }
    // Makes the device call itself a spinning disk (one that takes no discard) or a flash
    // device.
    bool setRotational(bool rotational) const {
        const std::string queue =
            "/sys/block/" + device_.substr(device_.rfind('/') + 1) + "/queue/";
        std::ofstream out(queue + "rotational");
        out << (rotational ? "1" : "0");
        out.flush();
        if (rotational) {
            std::ofstream discard(queue + "discard_max_bytes");
            discard << "0";
            discard.flush();
            return out && discard;
        }
        return static_cast<bool>(out);
    }

private:
    std::string device_;
};

// A dm-crypt mapping over a device, removed again at the end; device() is empty when the
// kernel offers no device-mapper or no crypt target.
class CryptMapping {
public:
    CryptMapping(const std::string& under, int sectors)
        : name_("zurizede-storage-" + std::to_string(::getpid())) {
        const std::string key(64, 'a');
        if (run("dmsetup create " + name_ + " --table '0 " + std::to_string(sectors) +
                " crypt aes-xts-plain64 " + key + " 0 " + under + " 0'")) {
            created_ = true;
            // Without udev nothing else makes the node.
            if (run("dmsetup mknodes " + name_)) {
                device_ = "/dev/mapper/" + name_;
            }
        }
    }
    ~CryptMapping() {
        if (created_) {
            run("dmsetup remove --retry " + name_);
        }
    }
    const std::string& device() const { return device_; }

private:
    std::string name_;
    std::string device_;
    bool created_ = false;
};

// Mounts inside the test's private mount namespace: the mount ends with the namespace, before
// the test goes on, so the next mount of the device starts afresh with its own options.
bool mountDevice(const std::string& device, const std::string& at, const char* type,
                 const char* options = nullptr) {
    return ::mount(device.c_str(), at.c_str(), type, 0, options) == 0;
}

bool makeExt4(const std::string& device) {
    return run("mkfs.ext4 -q -F " + device);
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
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs root: the checks attach loop devices and mount them";
        }
    }
    TempDir dir;
};

// A disk as sysfs shows one, in a tree of the test's own: dev/block/8:0 leads to its folder,
// device/ to what it hangs from, and what a case leaves null is not there at all.
struct FakeDisk {
    const char* name;        // its kernel name
    const char* parent;      // the folder of what it hangs from, under devices/
    const char* driver;      // device/driver
    const char* vendor;      // device/vendor, padded as SCSI pads it
    const char* transport;   // device/transport
    const char* rotational;  // queue/rotational
    const char* discard;     // queue/discard_max_bytes
};

void layOut(const std::string& root, const FakeDisk& disk) {
    auto put = [](const std::string& path, const char* value) {
        if (value != nullptr) {
            writeFile(path, std::string(value) + "\n");
        }
    };
    const std::string parent = root + "/devices/" + disk.parent;
    const std::string folder = parent + "/block/" + disk.name;
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "/queue' '" + folder + "/" + disk.name + "1' '" +
                           root + "/dev/block' '" + root + "/bus/drivers'")
                              .c_str()),
              0);
    put(folder + "/dev", "8:0");
    put(folder + "/" + disk.name + "1/dev", "8:1");
    put(folder + "/" + disk.name + "1/partition", "1");
    put(folder + "/queue/rotational", disk.rotational);
    put(folder + "/queue/discard_max_bytes", disk.discard);
    put(parent + "/vendor", disk.vendor);
    put(parent + "/transport", disk.transport);
    const std::string inDevices =
        std::string("../../devices/") + disk.parent + "/block/" + disk.name;
    ASSERT_EQ(::symlink("../..", (folder + "/device").c_str()), 0);
    ASSERT_EQ(::symlink(inDevices.c_str(), (root + "/dev/block/8:0").c_str()), 0);
    ASSERT_EQ(
        ::symlink((inDevices + "/" + disk.name + "1").c_str(), (root + "/dev/block/8:1").c_str()),
        0);
    if (disk.driver != nullptr) {
        makeFolder(root + "/bus/drivers/" + disk.driver);
        ASSERT_EQ(
            ::symlink((root + "/bus/drivers/" + disk.driver).c_str(), (parent + "/driver").c_str()),
            0);
    }
}

// The rotational flag of a virtual disk says nothing of the medium beneath it, a spinning
// disk that accepts discard is thin or flash, and a disk whose kind cannot be read is never
// taken for a spinning one. A partition is judged by its disk.
TEST(StorageDevice, VirtualThinAndUnreadableDisksAreNeverSaidToBeReached) {
    const struct {
        FakeDisk disk;
        bool journaled;
        StorageReach reach;
        const char* reason;
    } cases[] = {
        {{"sda", "pci0/ata1/host0/target0/0:0:0:0", "sd", "ATA     ", nullptr, "1", "0"},
         false,
         StorageReach::Reaches,
         "spinning disk"},
        {{"sda", "pci0/ata1/host0/target0/0:0:0:0", "sd", "ATA     ", nullptr, "1", "0"},
         true,
         StorageReach::MayNotReachAll,
         "journaled data"},
        {{"sda", "pci0/ata1/host0/target0/0:0:0:0", "sd", "ATA", nullptr, "1", "4294966784"},
         false,
         StorageReach::MayNotReachAll,
         "thin-provisioned or flash"},
        {{"sda", "pci0/ata1/host0/target0/0:0:0:0", "sd", "ATA", nullptr, nullptr, "0"},
         false,
         StorageReach::MayNotReachAll,
         "could not be identified"},
        {{"nvme0n1", "pci0/nvme/nvme0", "nvme", nullptr, "pcie", "0", "512"},
         false,
         StorageReach::MayNotReachAll,
         "solid-state"},
        {{"vda", "pci0/virtio1", "virtio_blk", "0x1af4", nullptr, "1", "1073741824"},
         false,
         StorageReach::Unknown,
         "a virtual disk (virtio_blk), what lies beneath is not known"},
        {{"xvda", "vbd-51712", "vbd", nullptr, nullptr, "1", "0"},
         false,
         StorageReach::Unknown,
         "(xen-blkfront)"},
        {{"sdb", "pci0/virtio2/host2/target2/2:0:0:0", "sd", "QEMU    ", nullptr, "1", "0"},
         false,
         StorageReach::Unknown,
         "(QEMU)"},
        {{"sdb", "vmbus/host3/target3/3:0:0:0", "sd", "Msft    ", nullptr, "1", "0"},
         false,
         StorageReach::Unknown,
         "(Msft)"},
        {{"sdc", "platform/host4/session1/target4/4:0:0:0", "sd", "LIO-ORG ", nullptr, "1", "0"},
         true,
         StorageReach::Unknown,
         "(iSCSI)"},
        {{"nbd0", "virtual", nullptr, nullptr, nullptr, "1", "0"},
         false,
         StorageReach::Unknown,
         "(nbd)"},
        {{"rbd0", "virtual", nullptr, nullptr, nullptr, "1", "0"},
         false,
         StorageReach::Unknown,
         "(rbd)"},
        {{"nvme1n1", "virtual/nvme-fabrics/ctl/nvme1", nullptr, nullptr, "tcp", "0", "0"},
         false,
         StorageReach::Unknown,
         "(NVMe over tcp)"},
    };
    for (const auto& c : cases) {
        for (const unsigned minor : {0u, 1u}) {  // the disk, and a partition of it
            TempDir sysfs;
            layOut(sysfs.path(), c.disk);
            const StorageVerdict verdict = inPlaceVerdict(sysfs.path(), 8, minor, c.journaled);
            SCOPED_TRACE(std::string(c.disk.name) + " under " + c.disk.parent + (minor ? "1" : ""));
            EXPECT_EQ(verdict.reach, c.reach) << verdict.reason;
            EXPECT_NE(verdict.reason.find(c.reason), std::string::npos) << verdict.reason;
        }
    }
    // A device missing from sysfs is not identified either.
    TempDir empty;
    EXPECT_EQ(inPlaceVerdict(empty.path(), 8, 0, false).reach, StorageReach::MayNotReachAll);
}

#define SKIP_WITHOUT_DEVICE(loop)                                           \
    if ((loop).device().empty()) {                                          \
        GTEST_SKIP() << "no loop device could be attached on this machine"; \
    }

TEST_F(StorageCheck, CopyOnWriteAndMemoryAreJudgedByTheirType) {
    if (readFile("/proc/filesystems").find("\tbtrfs\n") == std::string::npos) {
        GTEST_SKIP() << "this kernel offers no btrfs";
    }
    LoopDevice loop(dir / "btrfs.img", 114 * kMiB);  // the smallest btrfs mkfs.btrfs makes
    SKIP_WITHOUT_DEVICE(loop);
    ASSERT_TRUE(run("mkfs.btrfs -q -f " + loop.device()))
        << "mkfs.btrfs failed; scripts/setup.sh installs btrfs-progs";
    makeFolder(dir / "btrfs");
    makeFolder(dir / "tmpfs");
    RUN_IN_PRIVATE_MOUNTS(false, [&] {
        ASSERT_TRUE(mountDevice(loop.device(), dir / "btrfs", "btrfs")) << std::strerror(errno);
        mountTmpfs(dir / "tmpfs");
        expectVerdict(dir / "btrfs", StorageReach::CannotReach, "btrfs", "copy-on-write");
        expectVerdict(dir / "tmpfs", StorageReach::NotNeeded, "tmpfs", "memory");
    });
}

TEST_F(StorageCheck, InPlaceIsJudgedByTheDeviceAndTheJournal) {
    // An ext4 partition on a spinning disk, with a folder whose files have their data
    // journaled, and an ext4 filling a flash device.
    const int sectors = kSmallImageMiB * kMiB / 512;
    LoopDevice disk(dir / "disk.img", kSmallImageMiB * kMiB, true);
    LoopDevice flash(dir / "flash.img", kSmallImageMiB * kMiB);
    SKIP_WITHOUT_DEVICE(disk);
    SKIP_WITHOUT_DEVICE(flash);
    if (!disk.setRotational(true) || !flash.setRotational(false)) {
        GTEST_SKIP() << "a loop device's queue/rotational cannot be written here";
    }
    ASSERT_TRUE(run("addpart " + disk.device() + " 1 2048 " + std::to_string(sectors - 2048)));
    const std::string partition = disk.device() + "p1";
    ASSERT_TRUE(makeExt4(partition) && makeExt4(flash.device()));
    // Set offline: setting it on a mounted file system needs CAP_SYS_RESOURCE. 0x80000 is
    // the extents flag mkfs gave the folder, 0x4000 the journal-data flag.
    ASSERT_TRUE(run("debugfs -w -R 'mkdir journaled' " + partition + " 2>/dev/null") &&
                run("debugfs -w -R 'set_inode_field journaled flags 0x84000' " + partition +
                    " 2>/dev/null"));
    for (const char* folder : {"spinning", "flash", "tmpfs"}) {
        makeFolder(dir / folder);
    }
    const auto byDevice = [&] {
        ASSERT_TRUE(mountDevice(partition, dir / "spinning", "ext4") &&
                    mountDevice(flash.device(), dir / "flash", "ext4"))
            << std::strerror(errno);
        expectVerdict(dir / "spinning", StorageReach::Reaches, "ext4", "spinning disk");
        expectVerdict(dir / "spinning/journaled", StorageReach::MayNotReachAll, "ext4", "journal");
        expectVerdict(dir / "flash", StorageReach::MayNotReachAll, "ext4", "solid-state");
    };
    RUN_IN_PRIVATE_MOUNTS(false, byDevice);
    RUN_IN_PRIVATE_MOUNTS(true, byDevice);  // sysfs alone finds the device

    RUN_IN_PRIVATE_MOUNTS(false, [&] {
        ASSERT_TRUE(mountDevice(partition, dir / "spinning", "ext4", "data=journal"))
            << std::strerror(errno);
        expectVerdict(dir / "spinning", StorageReach::MayNotReachAll, "ext4", "journal");
        // A link lives in its own folder's file system, whatever it points to.
        mountTmpfs(dir / "tmpfs");
        ASSERT_EQ(::symlink((dir / "spinning/folder").c_str(), (dir / "tmpfs/folder").c_str()), 0);
        for (const std::string& link : {dir / "tmpfs/folder", dir / "tmpfs/folder/"}) {
            const StorageVerdict verdict = checkStorage(link);
            EXPECT_EQ(verdict.reach, StorageReach::NotNeeded) << link << ": " << verdict.reason;
            EXPECT_EQ(verdict.fileSystem, "tmpfs") << link;
        }
    });
}

TEST_F(StorageCheck, ReportsDmCryptUnderTheFileSystem) {
    if (!run("command -v dmsetup >/dev/null")) {
        GTEST_SKIP() << "dmsetup is missing; scripts/setup.sh installs it";
    }
    LoopDevice flash(dir / "crypt.img", kSmallImageMiB * kMiB);
    SKIP_WITHOUT_DEVICE(flash);
    if (!flash.setRotational(false)) {
        GTEST_SKIP() << "a loop device's queue/rotational cannot be written here";
    }
    const CryptMapping crypt(flash.device(), kSmallImageMiB * kMiB / 512);
    if (crypt.device().empty()) {
        GTEST_SKIP() << "no dm-crypt mapping could be made: this kernel lacks device-mapper "
                        "or its crypt target";
    }
    ASSERT_TRUE(makeExt4(crypt.device()));
    makeFolder(dir / "crypt");
    RUN_IN_PRIVATE_MOUNTS(false, [&] {
        ASSERT_TRUE(mountDevice(crypt.device(), dir / "crypt", "ext4")) << std::strerror(errno);
        // The flash device is found below the mapping, and the mapping is dm-crypt.
        expectVerdict(dir / "crypt", StorageReach::MayNotReachAll, "ext4", "encrypted", true);
        EXPECT_NE(checkStorage(dir / "crypt/folder").reason.find("solid-state"), std::string::npos);
    });
}

}  // namespace
