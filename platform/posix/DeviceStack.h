#pragma once

// What lies beneath a file system, judged device by device as sysfs describes it: the layers
// (partitions, device-mapper, md RAID, loop devices and their backing files) followed down to
// the disks, and each disk judged by how it is attached and what it says of itself.

#include <cstddef>
#include <optional>
#include <string>

#include "platform/FileManager.h"
#include "platform/Texts.h"

// How far overwriting in place reaches on a device and everything beneath it.
struct DeviceJudgement {
    StorageReach reach = StorageReach::Unknown;
    std::string words;       // the verdict: "writes in place on a spinning disk"
    std::string seen;        // what lies beneath, from the top: "sda2 on sda over ATA, driver ahci"
    bool encrypted = false;  // dm-crypt on every way down to the disks
    // The words, then what was seen.
    std::string reason() const {
        return seen.empty() ? words : withArgs(translated("Storage", "%1: %2"), {words, seen});
    }
};

// Devices rarely stack more than a few (a loop over a file under LUKS under LVM on a
// partition): the limit only keeps a strange sysfs from leading a walk round for long.
inline constexpr int kDevicesAWalkVisits = 64;

// One walk through sysfs (mounted at root, or a test's tree of folders), bounded: a strange
// tree never leads it round for long.
struct DeviceWalk {
    std::string sysfsRoot;
    int depth = 0;
    int* devicesLeft = nullptr;  // shared by the whole walk
    DeviceWalk deeper() const { return {sysfsRoot, depth + 1, devicesLeft}; }
};

// The first line of a small sysfs file, at most `limit` bytes of it; empty when unreadable.
std::string readSysfsLine(const std::string& path, std::size_t limit = 256);
// Without the spaces SCSI pads its fields with.
std::string trimmedSpaces(std::string text);

// The block device numbered "major:minor", and everything beneath it.
DeviceJudgement judgeDevice(const DeviceWalk& walk, const std::string& number);

// The block device a "/dev/..." path names, by its kernel name in sysfs: "8:2", or empty.
std::string blockDeviceNumber(const std::string& sysfsRoot, const std::string& devicePath);

// The file system holding a file (a loop device's backing file, a swap file), judged as the
// storage check judges any: its seen begins with the file system's type. Nothing when the
// folder holding it cannot be examined. Defined beside the storage check.
std::optional<DeviceJudgement> judgeFileHolder(const DeviceWalk& walk, const std::string& path);
