#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/FreeSpace.h"

// A stretch of the device, in bytes; for a file's extent, where it lies in the file too.
struct Extent {
    std::uint64_t physical = 0, length = 0, logical = 0;
};

// The reserve ext4 keeps for its own metadata, in bytes; 0 on other file systems or where
// unknown.
std::uint64_t ext4OwnReserve(int folderFd, std::uint64_t blockSize);
// Where the file system's own map shows free space, where it lets this process read the map
// (root, on ext4 and xfs); nothing elsewhere.
std::optional<std::vector<Extent>> freeExtents(int folderFd);
std::uint64_t totalOf(const std::vector<Extent>& extents);
// Of the free extents, the bytes that lie outside every written one.
std::uint64_t outside(const std::vector<Extent>& free, const std::vector<Extent>& written);
// Lets go of the fill's own blocks beside each free extent, as many as it holds; answers
// where the blocks let go lie.
std::vector<Extent> loosenBeside(const std::vector<Extent>& free, const std::vector<int>& files);
// What a full fill left free all the same, and whose it is; free blocks the fill itself
// wrote before it let them go are reached, not left.
LeftUnfilled leftUnfilled(int folderFd, const std::vector<Extent>& writtenAndLetGo);
