#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "FileManager.h"

// The file system a free-space wipe fills, as the wipe finds it.
struct FileSystemFacts {
    std::string mountPoint;
    std::string device;  // what is mounted there: "/dev/sda2"
    std::string type;    // "ext4"
    std::uint64_t blockSize = 0;
    std::uint64_t freeBytes = 0;      // what this process may fill
    std::uint64_t reservedBytes = 0;  // free, but kept for root: not filled when not root
    std::uint64_t freeInodes = 0;
    bool readOnly = false;
    bool writable = false;  // this process may make files in the folder
    bool network = false;   // the free space lies on another machine
    StorageVerdict storage;
};

// How a fill ended. The fill's files are gone whatever it came to.
struct FillResult {
    std::uint64_t bytesWritten = 0;
    std::uint64_t inodesFilled = 0;  // files made to reach data kept in inodes
    bool dataInInodes = false;       // the file system keeps small files' data in inodes
    bool namedFiles = false;  // some had names (no unnamed files there, or too few descriptors)
    bool full = false;        // every block this process may fill was written
    bool stopped = false;
    int errorNumber = 0;     // what ended it before the file system was full
    double secondsFull = 0;  // from the last write until the space was given back
};

// Watches a fill and may end it.
class FillObserver {
public:
    virtual ~FillObserver() = default;
    // Told a few times a second how many bytes reached the file system so far.
    virtual void fillProgress(std::uint64_t written) = 0;
    // Asked between writes; yes gives the space back at once.
    virtual bool fillShouldStop() = 0;
};

// Makes `length` random bytes at out: 0, or an errno value.
using RandomBytes = std::function<int(unsigned char* out, std::size_t length)>;

// Fills a file system's free space with random bytes in files that have no name, and gives
// it back: what earlier deletes and copy-on-write left in free blocks is overwritten.
class FreeSpaceWiper {
public:
    virtual ~FreeSpaceWiper() = default;
    // The file system holding the folder, or nothing with errorNumber set.
    virtual std::optional<FileSystemFacts> fileSystemAtPath(const std::string& folder,
                                                            int& errorNumber) const = 0;
    // The rate, in bytes a second, at which a short write in the folder reached the device;
    // 0 when it could not be measured.
    virtual double measureWriteRate(const std::string& folder, const RandomBytes& random) = 0;
    // Fills the free space of the folder's file system until it is full, syncs, and gives
    // every byte back.
    virtual FillResult fillFreeSpace(const std::string& folder, const RandomBytes& random,
                                     FillObserver& observer) = 0;
    // Asks the device under the file system mounted there to forget its free blocks: 0, or
    // an errno value (EPERM when not allowed, EOPNOTSUPP when the device cannot).
    virtual int trimFreeSpace(const std::string& mountPoint) = 0;
};
