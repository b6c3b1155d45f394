#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/FileManager.h"

// The file system a free-space wipe fills, as the wipe finds it.
struct FileSystemFacts {
    std::string mountPoint;
    std::string device;  // what is mounted there: "/dev/sda2"
    std::string type;    // "ext4"
    std::uint64_t blockSize = 0;
    std::uint64_t freeBytes = 0;      // what this process may fill
    std::uint64_t reservedBytes = 0;  // free, but kept for root: not filled when not root
    // Free, but kept back by the file system for itself (ext4's reserved clusters): nobody's
    // data may go there, so the fill cannot reach it. Not in freeBytes.
    std::uint64_t keptByFileSystem = 0;
    // The file system keeps blocks back that cannot be counted here (xfs's reserve pool).
    bool keepsUncountedReserve = false;
    std::uint64_t freeInodes = 0;
    bool readOnly = false;
    bool writable = false;  // this process may make files in the folder
    bool network = false;   // the free space lies on another machine
    StorageVerdict storage;
};

// What the fill could not write though the file system still counted it free, in bytes.
struct LeftUnfilled {
    // Blocks the file system keeps back for itself (ext4's reserved clusters, xfs's reserve
    // pool and the blocks it sets aside in each allocation group): nobody's data may go there.
    std::uint64_t keptByFileSystem = 0;
    std::uint64_t reservedForRoot = 0;  // free, but only for root: when not root
    // Of the reserve, what a fill started again beside it reached: the blocks left free in
    // its place are the fill's own, already overwritten.
    std::uint64_t reachedByFillingAgain = 0;
    // It keeps blocks back that only root can count (xfs): keptByFileSystem falls short.
    bool uncounted = false;
    std::uint64_t total() const { return keptByFileSystem + reservedForRoot; }
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
    LeftUnfilled left;       // once full: what stayed free all the same
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

// The folder a wipe was given, opened once: its file system is examined, measured, filled
// and trimmed through that one descriptor, never found again by its path, so that a folder
// swapped for a link meanwhile changes nothing.
class WipeFolder {
public:
    virtual ~WipeFolder() = default;
    virtual const FileSystemFacts& facts() const = 0;
    // The rate, in bytes a second, at which a short write there reached the device; 0 when it
    // could not be measured.
    virtual double measureWriteRate(const RandomBytes& random) = 0;
    // Fills the file system's free space until it is full, syncs, and gives every byte back.
    virtual FillResult fill(const RandomBytes& random, FillObserver& observer) = 0;
    // Asks the device under the file system to forget its free blocks: 0, or an errno value
    // (EPERM when not allowed, EOPNOTSUPP when the device cannot).
    virtual int trim() = 0;
};

// Fills a file system's free space with random bytes in files that have no name, and gives
// it back: what earlier deletes and copy-on-write left in free blocks is overwritten.
class FreeSpaceWiper {
public:
    virtual ~FreeSpaceWiper() = default;
    // Opens the folder, following a link given as the folder this once, and examines its
    // file system; nothing, with errorNumber set, when it cannot.
    virtual std::unique_ptr<WipeFolder> openFolder(const std::string& folder, int& errorNumber) = 0;
};
