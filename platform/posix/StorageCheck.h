#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileManager.h"
#include "platform/FreeSpace.h"

// What overwriting in place reaches on the file system holding path: its type (statfs), how
// ext4 journals data, and the block devices beneath it down to the disks (how each is
// attached, rotational or flash, dm-crypt), found through sysfs from the file system's device
// number. "Reaches" only for a spinning disk attached over ATA or SAS that cannot discard,
// under a file system that writes in place.
StorageVerdict checkStorage(const std::string& path);
// The same for the entry itemName of the folder open as folderFd.
StorageVerdict checkStorageIn(int folderFd, const std::string& itemName);

// The verdict for a file system whose statfs type is magic, on the block device numbered
// major:minor as the sysfs mounted at sysfsRoot ("/sys") describes it: the type decides, but
// for one that writes in place, where the devices beneath decide (followed through
// partitions, device-mapper, md and loop devices to the disks) and so does the journal when
// journaled. Its fileSystem is left empty.
StorageVerdict fileSystemVerdict(const std::string& sysfsRoot, std::uint32_t magic, unsigned major,
                                 unsigned minor, bool journaled);

// Whether a file system mounted as mountType overwrites a directory entry's name when the
// entry is removed, under the kernel release given ("6.1.0-18-amd64"): ext4 does since Linux
// 5.13 ("ext4: wipe ext4_dir_entry2 upon file deletion"). Where it cannot be told, no.
bool removedNamesWiped(const std::string& mountType, const std::string& kernelRelease);
// The same for the file system holding the folder open as folderFd, under the running kernel.
bool removedNamesWipedIn(int folderFd);

// The file system holding the folder: where it is mounted, from what, how much of it is free,
// and what overwriting reaches there. Nothing, with errorNumber set, when it cannot be
// examined.
std::optional<FileSystemFacts> fileSystemFacts(const std::string& folder, int& errorNumber);
// The same for the folder open as folderFd, named shownPath where no mount is found.
std::optional<FileSystemFacts> fileSystemFactsOf(int folderFd, const std::string& shownPath,
                                                 int& errorNumber);
