#include "platform/posix/DeviceStack.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/FolderHandle.h"
#include "base/UniqueFd.h"
#include "platform/PathString.h"
#include "platform/Texts.h"

namespace {

constexpr const char* kSpinning = TRANSLATABLE("Storage", "writes in place on a spinning disk");
constexpr const char* kFlash = TRANSLATABLE(
    "Storage", "solid-state or flash: the device may keep old copies in blocks it has remapped");
constexpr const char* kThin = TRANSLATABLE(
    "Storage",
    "a spinning disk that accepts discard: thin-provisioned or flash, it may keep old copies "
    "elsewhere");
constexpr const char* kFlashCard = TRANSLATABLE("Storage", "flash memory card");
constexpr const char* kExternal =
    TRANSLATABLE("Storage", "attached over %1; a flash drive writes elsewhere than it is told");
constexpr const char* kRemovable =
    TRANSLATABLE("Storage", "a removable medium; a flash card writes elsewhere than it is told");
constexpr const char* kVirtual =
    TRANSLATABLE("Storage", "a virtual disk (%1), what lies beneath is not known");
constexpr const char* kNetworkDisk =
    TRANSLATABLE("Storage", "a network disk (%1): the server decides where the passes go");
constexpr const char* kMemory =
    TRANSLATABLE("Storage", "held in memory: nothing of it reaches a disk");
constexpr const char* kWriteback = TRANSLATABLE(
    "Storage", "held in memory, but pages it wrote back to a disk stay there when overwritten");
constexpr const char* kOtherController = TRANSLATABLE(
    "Storage", "a spinning disk attached through a controller not known to write in place");
constexpr const char* kSpinUnknown =
    TRANSLATABLE("Storage", "whether the disk spins could not be read");
constexpr const char* kDiscardUnknown =
    TRANSLATABLE("Storage", "whether the disk accepts discard could not be read");
constexpr const char* kNotFound = TRANSLATABLE("Storage", "the device under it could not be found");
constexpr const char* kTooDeep =
    TRANSLATABLE("Storage", "the devices beneath it go deeper than can be followed");
constexpr const char* kNothingBeneath =
    TRANSLATABLE("Storage", "a mapped device with nothing beneath it to follow");
constexpr const char* kNoBackingFile =
    TRANSLATABLE("Storage", "a loop device without a backing file");
constexpr const char* kBackingGone = TRANSLATABLE("Storage", "its backing file is gone");
constexpr const char* kBackingUnexamined =
    TRANSLATABLE("Storage", "its backing file could not be examined");

// Layers stack a few deep at most; as with the count of devices, the limit only keeps a
// strange sysfs from leading a walk down for long.
constexpr int kMaxDepth = 12;

// One of the texts above, in the person's words, with its placeholder filled.
std::string formatted(const char* format, const std::string& value) {
    return withArgs(translated("Storage", format), {value});
}

// How one device stands on another: "%1 on %2", "%1 backed by %2".
std::string stacked(const char* how, const std::string& upper, const std::string& lower) {
    return withArgs(translated("Storage", how), {upper, lower});
}

bool exists(const std::string& path) {
    return ::access(path.c_str(), F_OK) == 0;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// "usb1", "ata3", "fw0": the prefix and nothing but digits after it.
bool numbered(const std::string& name, const char* prefix) {
    const std::size_t length = std::char_traits<char>::length(prefix);
    return startsWith(name, prefix) && name.size() > length &&
           name.find_first_not_of("0123456789", length) == std::string::npos;
}

std::string resolved(const std::string& path) {
    char real[PATH_MAX];
    return ::realpath(path.c_str(), real) != nullptr ? std::string(real) : std::string();
}

std::string lastComponentOfLink(const std::string& link) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    return length > 0 ? lastPathComponent(std::string(target, static_cast<std::size_t>(length)))
                      : std::string();
}

DeviceJudgement judged(StorageReach reach, std::string words, std::string seen) {
    return {reach, std::move(words), std::move(seen), false};
}

// With one of the texts above as its words.
DeviceJudgement judged(StorageReach reach, const char* words, std::string seen) {
    return judged(reach, translated("Storage", words), std::move(seen));
}

// A disk that a hypervisor or a network target provides: its rotational flag says nothing of
// the medium beneath, a host's SSD or a thin or snapshotted image.
struct Provided {
    std::string kind;  // what shows it to be one, or empty for a device of the machine's own
    bool network = false;
};

Provided providedDisk(const std::string& device, const std::string& where) {
    const std::string name = lastPathComponent(where);
    const std::string driver = lastComponentOfLink(device + "/device/driver");
    if (driver == "virtio_blk") {
        return {driver};
    }
    if (driver == "vbd" || driver == "xen-blkfront") {
        return {"xen-blkfront"};
    }
    for (const char* network : {"nbd", "rbd"}) {
        if (startsWith(name, network)) {
            return {network, true};
        }
    }
    // SCSI disks that a hypervisor emulates name it as their vendor.
    const std::string vendor = trimmedSpaces(readSysfsLine(device + "/device/vendor"));
    for (const char* hypervisor : {"QEMU", "VMware", "VBOX", "Msft"}) {
        if (startsWith(vendor, hypervisor)) {
            return {vendor};
        }
    }
    if (where.find("/session") != std::string::npos) {
        return {"iSCSI", true};  // the disk sits under an iSCSI session
    }
    const std::string transport = readSysfsLine(device + "/device/transport");
    if (!transport.empty() && transport != "pcie") {
        return {stacked(TRANSLATABLE("Storage", "%1 over %2"), "NVMe", transport), true};
    }
    return {};
}

// How a disk hangs from the machine, read from the folders its sysfs path passes through:
// the host adapter's kind, and the driver that serves it.
struct Attachment {
    std::string transport;  // "ATA", "SAS", "USB", "MMC", "FireWire", "NVMe", or empty
    std::string driver;     // the nearest driver below the disk's own: "ahci", "uas"
    bool external = false;  // through a port meant for plugging: USB, FireWire, Thunderbolt
};

Attachment attachmentOf(const std::string& sysfsRoot, const std::string& where) {
    Attachment found;
    const std::string top = resolved(sysfsRoot) + "/devices";
    bool mmc = false, usb = false, firewire = false, ata = false, sas = false, nvme = false;
    bool plugged = false;
    std::string folder = stringByDeletingLastPathComponent(where);
    for (int level = 0; level < 32 && folder.size() > top.size() && startsWith(folder, top.c_str());
         ++level, folder = stringByDeletingLastPathComponent(folder)) {
        const std::string name = lastPathComponent(folder);
        mmc = mmc || name == "mmc_host";
        usb = usb || numbered(name, "usb");
        firewire = firewire || numbered(name, "fw");
        ata = ata || numbered(name, "ata");
        sas = sas || startsWith(name, "end_device-");
        nvme = nvme || name == "nvme";
        // USB devices, and PCI devices behind a Thunderbolt or USB4 port, say so.
        plugged = plugged || readSysfsLine(folder + "/removable") == "removable";
        const std::string driver = lastComponentOfLink(folder + "/driver");
        if (found.driver.empty() && !driver.empty() && driver != "sd") {
            found.driver = driver;
        }
    }
    found.external = usb || firewire || plugged;
    found.transport = mmc        ? "MMC"
                      : usb      ? "USB"
                      : firewire ? "FireWire"
                      : plugged  ? "Thunderbolt"
                      : sas      ? "SAS"
                      : ata      ? "ATA"
                      : nvme     ? "NVMe"
                                 : "";
    return found;
}

std::string seenOf(const std::string& name, const Attachment& attached) {
    std::string seen = name;
    if (!attached.transport.empty()) {
        seen = stacked(TRANSLATABLE("Storage", "%1 over %2"), seen, attached.transport);
    }
    if (!attached.driver.empty()) {
        seen = stacked(TRANSLATABLE("Storage", "%1, driver %2"), seen, attached.driver);
    }
    return seen;
}

// A disk of the machine's own: only a spinning one that cannot discard, attached directly
// over ATA or SAS, is known to take every pass where the data was.
DeviceJudgement judgeAttachedDisk(const DeviceWalk& walk, const std::string& base,
                                  const std::string& where) {
    using enum StorageReach;
    const Attachment attached = attachmentOf(walk.sysfsRoot, where);
    const std::string seen = seenOf(lastPathComponent(where), attached);
    const std::string rotational = readSysfsLine(base + "/queue/rotational");
    const std::string discard = readSysfsLine(base + "/queue/discard_max_bytes");
    if (attached.transport == "MMC") {
        return judged(MayNotReachAll, kFlashCard, seen);
    }
    if (rotational == "0") {
        return judged(MayNotReachAll, kFlash, seen);
    }
    if (!discard.empty() && discard != "0") {
        return judged(MayNotReachAll, kThin, seen);  // it can be told to forget blocks
    }
    if (attached.external) {
        return judged(Unknown, formatted(kExternal, attached.transport), seen);
    }
    if (readSysfsLine(base + "/removable") == "1") {
        return judged(Unknown, kRemovable, seen);
    }
    if (rotational != "1") {
        return judged(Unknown, kSpinUnknown, seen);
    }
    if (discard.empty()) {
        return judged(Unknown, kDiscardUnknown, seen);
    }
    if (attached.transport == "ATA" || attached.transport == "SAS") {
        return judged(Reaches, kSpinning, seen);
    }
    return judged(Unknown, kOtherController, seen);
}

// zram and brd keep their blocks in memory; zram may write idle ones back to a disk.
DeviceJudgement judgeMemoryDisk(const DeviceWalk& walk, const std::string& base,
                                const std::string& name) {
    const std::string backing = readSysfsLine(base + "/backing_dev", PATH_MAX);
    if (backing.empty() || backing == "none") {
        return judged(StorageReach::NotNeeded, kMemory, name);
    }
    const std::string number = blockDeviceNumber(walk.sysfsRoot, backing);
    DeviceJudgement beneath = number.empty() ? judged(StorageReach::Unknown, kNotFound, backing)
                                             : judgeDevice(walk.deeper(), number);
    beneath.reach = worseReach(beneath.reach, StorageReach::MayNotReachAll);
    beneath.words = translated("Storage", kWriteback);
    beneath.seen = stacked(TRANSLATABLE("Storage", "%1 writing back to %2"), name, beneath.seen);
    return beneath;
}

// A loop device is what its backing file is: a file's blocks on another file system.
DeviceJudgement judgeLoop(const DeviceWalk& walk, const std::string& base,
                          const std::string& name) {
    std::string file = readSysfsLine(base + "/loop/backing_file", PATH_MAX);
    if (file.empty()) {
        return judged(StorageReach::Unknown, kNoBackingFile, name);
    }
    const std::string seen = stacked(TRANSLATABLE("Storage", "%1 backed by %2"), name, file);
    constexpr const char* kDeleted = " (deleted)";
    if (file.size() > 10 && file.compare(file.size() - 10, 10, kDeleted) == 0) {
        return judged(StorageReach::Unknown, kBackingGone, seen);
    }
    // A loop over a whole device is that device.
    struct stat node;
    const bool found = ::stat(file.c_str(), &node) == 0;
    if (!found && errno == ENOENT) {
        return judged(StorageReach::Unknown, kBackingGone, seen);
    }
    if (found && S_ISBLK(node.st_mode)) {
        DeviceJudgement device =
            judgeDevice(walk.deeper(), std::to_string(major(node.st_rdev)) + ":" +
                                           std::to_string(minor(node.st_rdev)));
        device.seen =
            stacked(TRANSLATABLE("Storage", "%1 backed by the device %2"), name, device.seen);
        return device;
    }
    const std::optional<DeviceJudgement> holder = judgeFileHolder(walk.deeper(), file);
    if (!holder) {
        return judged(StorageReach::Unknown, kBackingUnexamined, seen);
    }
    DeviceJudgement judgement = *holder;
    judgement.seen = stacked(TRANSLATABLE("Storage", "%1, a file on %2"), seen, holder->seen);
    return judgement;
}

DeviceJudgement judgeDisk(const DeviceWalk& walk, const std::string& base,
                          const std::string& where) {
    const std::string name = lastPathComponent(where);
    if (startsWith(name, "zram") || numbered(name, "ram")) {
        return judgeMemoryDisk(walk, base, name);
    }
    if (exists(base + "/loop") || numbered(name, "loop")) {
        return judgeLoop(walk, base, name);
    }
    if (const Provided provided = providedDisk(base, where); !provided.kind.empty()) {
        const std::string driver = lastComponentOfLink(base + "/device/driver");
        return judged(StorageReach::Unknown,
                      formatted(provided.network ? kNetworkDisk : kVirtual, provided.kind),
                      driver.empty()
                          ? name
                          : stacked(TRANSLATABLE("Storage", "%1, driver %2"), name, driver));
    }
    return judgeAttachedDisk(walk, base, where);
}

// The device numbers of what a mapped or RAID device is made of.
std::vector<std::string> slavesOf(const std::string& base, int most) {
    std::vector<std::string> names, numbers;
    const FolderHandle slaves(::opendir((base + "/slaves").c_str()));
    if (slaves.stream() == nullptr) {
        return numbers;
    }
    while (const dirent* entry = ::readdir(slaves.stream())) {
        if (entry->d_name[0] != '.' && static_cast<int>(names.size()) < most) {
            names.emplace_back(entry->d_name);
        }
    }
    std::sort(names.begin(), names.end());  // said in the same order every time
    for (const std::string& name : names) {
        if (std::string number = readSysfsLine(base + "/slaves/" + name + "/dev");
            !number.empty()) {
            numbers.push_back(std::move(number));
        }
    }
    return numbers;
}

// What a mapped or RAID device is, in a word or two before its name: "dm-crypt dm-0".
std::string layerName(const std::string& base, const std::string& name) {
    const std::string uuid = readSysfsLine(base + "/dm/uuid");
    for (const auto& [prefix, kind] : {std::pair{"CRYPT-", "dm-crypt"}, std::pair{"LVM-", "LVM"},
                                       std::pair{"mpath-", "multipath"}}) {
        if (startsWith(uuid, prefix)) {
            return std::string(kind) + " " + name;
        }
    }
    if (const std::string level = readSysfsLine(base + "/md/level"); !level.empty()) {
        return level + " " + name;
    }
    return name;
}

// A layer is as good as the worst of what it is made of; its old copies are encrypted only
// when they are on every way down.
DeviceJudgement judgeLayer(const DeviceWalk& walk, const std::string& base, const std::string& name,
                           const std::vector<std::string>& under) {
    DeviceJudgement layer{StorageReach::NotNeeded, {}, {}, true};
    std::string beneath;
    std::vector<DeviceJudgement> parts;
    for (const std::string& number : under) {
        parts.push_back(judgeDevice(walk.deeper(), number));
        layer.reach = worseReach(layer.reach, parts.back().reach);
        layer.encrypted = layer.encrypted && parts.back().encrypted;
        beneath = beneath.empty()
                      ? parts.back().seen
                      : stacked(TRANSLATABLE("Storage", "%1 and %2"), beneath, parts.back().seen);
    }
    for (const DeviceJudgement& part : parts) {
        if (part.reach == layer.reach && layer.words.find(part.words) == std::string::npos) {
            layer.words += (layer.words.empty() ? "" : "; ") + part.words;
        }
    }
    layer.seen = stacked(TRANSLATABLE("Storage", "%1 on %2"), layerName(base, name), beneath);
    return layer;
}

}  // namespace

std::string readSysfsLine(const std::string& path, std::size_t limit) {
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) {
        return {};
    }
    std::string text(limit, '\0');
    const ssize_t got = ::read(fd.get(), text.data(), limit);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    const std::size_t end = text.find_first_of("\r\n");
    if (end != std::string::npos) {
        text.resize(end);
    }
    return text;
}

std::string trimmedSpaces(std::string text) {
    const std::size_t end = text.find_last_not_of(' ');
    text.resize(end == std::string::npos ? 0 : end + 1);
    return text;
}

std::string blockDeviceNumber(const std::string& sysfsRoot, const std::string& devicePath) {
    // /dev/mapper/name and /dev/disk/by-*/ are links to the kernel's name.
    std::string name = resolved(devicePath);
    name = lastPathComponent(name.empty() ? devicePath : name);
    if (name.empty() || name == "." || name == "..") {
        return {};
    }
    return readSysfsLine(sysfsRoot + "/class/block/" + name + "/dev");
}

DeviceJudgement judgeDevice(const DeviceWalk& walk, const std::string& number) {
    const std::string base = walk.sysfsRoot + "/dev/block/" + number;
    if (walk.depth > kMaxDepth || walk.devicesLeft == nullptr || --*walk.devicesLeft < 0) {
        return judged(StorageReach::Unknown, kTooDeep, number);
    }
    const std::string where = resolved(base);
    if (where.empty()) {
        return judged(StorageReach::Unknown, kNotFound, number);
    }
    const std::string name = lastPathComponent(where);
    DeviceJudgement judgement;
    if (const std::vector<std::string> under = slavesOf(base, *walk.devicesLeft); !under.empty()) {
        judgement = judgeLayer(walk, base, name, under);
    } else if (exists(base + "/partition")) {
        // sysfs keeps a partition in its disk's folder.
        const std::string disk = readSysfsLine(where + "/../dev");
        judgement = disk.empty() ? judged(StorageReach::Unknown, kNotFound, name)
                                 : judgeDevice(walk.deeper(), disk);
        judgement.seen = stacked(TRANSLATABLE("Storage", "%1 on %2"), name, judgement.seen);
    } else if (exists(base + "/dm")) {
        judgement = judged(StorageReach::Unknown, kNothingBeneath, name);
    } else {
        judgement = judgeDisk(walk, base, where);
    }
    judgement.encrypted =
        judgement.encrypted || startsWith(readSysfsLine(base + "/dm/uuid"), "CRYPT-");
    return judgement;
}
