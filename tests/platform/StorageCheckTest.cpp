#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "PathString.h"
#include "PrivateMounts.h"
#include "StorageCheck.h"
#include "TempDir.h"

namespace {

constexpr off_t kImageSize = 16 << 20;

// Runs a shell command (its errors go to the test's output) and answers whether it worked,
// with the first line it printed.
bool run(const std::string& command, std::string* output = nullptr) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    std::string printed;
    for (char buffer[256]; std::fgets(buffer, sizeof buffer, pipe) != nullptr;) printed += buffer;
    if (output != nullptr) {
        *output = printed.substr(0, printed.find('\n'));
    }
    return ::pclose(pipe) == 0;
}

// A sparse image attached to a loop device, detached again at the end; device() is empty
// when none could be attached.
class LoopDevice {
public:
    LoopDevice(const std::string& image, off_t size) {
        if (!run("truncate -s " + std::to_string(size) + " '" + image +
                     "' && losetup --find --show '" + image + "'",
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
    // Makes the device call itself a spinning disk that takes no discard; no when there is
    // no device.
    bool setSpinning() const {
        const std::string queue = "/sys/block/" + lastPathComponent(device_) + "/queue/";
        return !device_.empty() &&
               run("echo 1 >" + queue + "rotational && echo 0 >" + queue + "discard_max_bytes");
    }

private:
    std::string device_;
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
        if (::geteuid() != 0) {
            GTEST_SKIP() << "needs root: the checks attach loop devices and mount them";
        }
    }
    TempDir dir;
};

// A disk as sysfs shows one, in a tree of the test's own: dev/block/8:0 leads to its folder,
// 8:1 to its partition and 253:0 to a dm-crypt mapping of that; device/ leads to what the
// disk hangs from. What a case leaves null is not there at all.
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
    const std::string crypt = root + "/dev/block/253:0";
    ASSERT_EQ(std::system(("mkdir -p '" + folder + "/queue' '" + folder + "/" + disk.name + "1' '" +
                           crypt + "/dm' '" + crypt + "/slaves/p'")
                              .c_str()),
              0);
    put(folder + "/dev", "8:0");
    put(folder + "/" + disk.name + "1/dev", "8:1");
    put(folder + "/" + disk.name + "1/partition", "1");
    put(folder + "/queue/rotational", disk.rotational);
    put(folder + "/queue/discard_max_bytes", disk.discard);
    put(parent + "/vendor", disk.vendor);
    put(parent + "/transport", disk.transport);
    put(crypt + "/dm/uuid", "CRYPT-LUKS2-0123");
    put(crypt + "/slaves/p/dev", "8:1");
    const auto link = [](const std::string& target, const std::string& at) {
        ASSERT_EQ(::symlink(target.c_str(), at.c_str()), 0);
    };
    const std::string inDevices =
        std::string("../../devices/") + disk.parent + "/block/" + disk.name;
    link("../..", folder + "/device");
    link(inDevices, root + "/dev/block/8:0");
    link(inDevices + "/" + disk.name + "1", root + "/dev/block/8:1");
    if (disk.driver != nullptr) {  // only its name is read: it need lead nowhere
        link(std::string("../bus/drivers/") + disk.driver, parent + "/driver");
    }
}

// The rotational flag of a virtual disk says nothing of the medium beneath it, a spinning
// disk that accepts discard is thin or flash, and a disk whose kind cannot be read is never
// taken for a spinning one. A partition, and a dm-crypt mapping of it, are judged by the disk.
TEST(StorageDevice, VirtualThinAndUnreadableDisksAreNeverSaidToBeReached) {
    using enum StorageReach;
    const struct {
        FakeDisk disk;
        bool journaled;
        StorageReach reach;
        const char* reason;
    } cases[] = {
        {{"sda", "ata0", "sd", "ATA     ", {}, "1", "0"}, false, Reaches, "spinning"},
        {{"sda", "ata0", "sd", "ATA     ", {}, "1", "0"}, true, MayNotReachAll, "journaled data"},
        {{"sda", "ata0", "sd", "ATA", {}, "1", "512"}, false, MayNotReachAll, "thin-provisioned"},
        {{"sda", "ata0", "sd", "ATA", {}, {}, "0"}, false, MayNotReachAll, "not be identified"},
        {{"nvme0n1", "pci", "nvme", {}, "pcie", "0", "512"}, false, MayNotReachAll, "solid-state"},
        {{"vda", "virtio1", "virtio_blk", "0x1af4", {}, "1", "1"}, false, Unknown, "(virtio_blk)"},
        {{"xvda", "vbd-51712", "vbd", {}, {}, "1", "0"}, false, Unknown, "(xen-blkfront)"},
        {{"sdb", "virtio2/2:0:0:0", "sd", "QEMU    ", {}, "1", "0"}, false, Unknown, "(QEMU)"},
        {{"sdb", "vmbus/3:0:0:0", "sd", "Msft    ", {}, "1", "0"}, false, Unknown, "(Msft)"},
        {{"sdc", "session1/4:0:0:0", "sd", "LIO-ORG ", {}, "1", "0"}, true, Unknown, "(iSCSI)"},
        {{"nbd0", "virtual", {}, {}, {}, "1", "0"}, false, Unknown, "(nbd)"},
        {{"rbd0", "virtual", {}, {}, {}, "1", "0"}, false, Unknown, "(rbd)"},
        {{"nvme1n1", "fabrics/nvme1", {}, {}, "tcp", "0", "0"}, false, Unknown, "NVMe over tcp"},
    };
    for (const auto& c : cases) {
        TempDir sysfs;
        layOut(sysfs.path(), c.disk);
        for (const unsigned minor : {0u, 1u, 2u}) {  // 2: the mapping, 253:0
            SCOPED_TRACE(std::string(c.disk.name) + " under " + c.disk.parent + ", " +
                         std::to_string(minor));
            const StorageVerdict verdict =
                inPlaceVerdict(sysfs.path(), minor < 2 ? 8 : 253, minor % 2, c.journaled);
            EXPECT_EQ(verdict.reach, c.reach) << verdict.reason;
            EXPECT_NE(verdict.reason.find(c.reason), std::string::npos) << verdict.reason;
            EXPECT_EQ(verdict.encrypted, minor == 2);
        }
    }
    // A device missing from sysfs is not identified either.
    TempDir empty;
    EXPECT_EQ(inPlaceVerdict(empty.path(), 8, 0, false).reach, MayNotReachAll);
}

// An ext4 on a spinning disk of the kernel's own, with a folder whose files have their data
// journaled; memory, and a link to a folder elsewhere, beside it. (The table above judges
// flash, partitions and mappings.)
TEST_F(StorageCheck, InPlaceIsJudgedByTheDeviceAndTheJournal) {
    LoopDevice disk(dir / "disk.img", kImageSize);
    if (!disk.setSpinning()) {
        GTEST_SKIP() << "no loop device whose queue/rotational can be written could be attached";
    }
    const std::string& ext4 = disk.device();
    ASSERT_TRUE(run("mkfs.ext4 -q -F " + ext4));
    // Set offline: setting it on a mounted file system needs CAP_SYS_RESOURCE. 0x80000 is
    // the extents flag mkfs gave the folder, 0x4000 the journal-data flag.
    ASSERT_TRUE(
        run("debugfs -w -R 'mkdir journaled' " + ext4 + " 2>/dev/null") &&
        run("debugfs -w -R 'set_inode_field journaled flags 0x84000' " + ext4 + " 2>/dev/null"));
    for (const char* folder : {"spinning", "tmpfs"}) makeFolder(dir / folder);
    const auto byDevice = [&] {
        ASSERT_TRUE(mountExt4(ext4, dir / "spinning")) << std::strerror(errno);
        expectVerdict(dir / "spinning", StorageReach::Reaches, "ext4", "spinning disk");
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
