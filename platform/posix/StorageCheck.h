#pragma once

#include <optional>
#include <string>
#include <vector>

#include "FileManager.h"
#include "FreeSpace.h"

// What overwriting in place reaches on the file system holding path: its type (statfs), how
// ext4 journals data, and the block device under it (rotational or flash, dm-crypt), found
// through sysfs from the file system's device number.
StorageVerdict checkStorage(const std::string& path);
// The same for the entry itemName of the folder open as folderFd.
StorageVerdict checkStorageIn(int folderFd, const std::string& itemName);

// The verdict for a file system that writes in place, from the block device numbered
// major:minor as the sysfs mounted at sysfsRoot ("/sys") describes it: followed through
// partitions, device-mapper and md to the disks, each judged spinning, flash (or thin), a
// virtual disk, or unidentified. Its fileSystem is left empty.
StorageVerdict inPlaceVerdict(const std::string& sysfsRoot, unsigned major, unsigned minor,
                              bool journaled);

// The file system holding the folder: where it is mounted, from what, how much of it is free,
// and what overwriting reaches there. Nothing, with errorNumber set, when it cannot be
// examined.
std::optional<FileSystemFacts> fileSystemFacts(const std::string& folder, int& errorNumber);
// The same for the folder open as folderFd, named shownPath where no mount is found.
std::optional<FileSystemFacts> fileSystemFactsOf(int folderFd, const std::string& shownPath,
                                                 int& errorNumber);
