#pragma once

#include <string>

#include "FileManager.h"

// What overwriting in place reaches on the file system holding path: its type (statfs), how
// ext4 journals data, and the block device under it (rotational or flash, dm-crypt), found
// through sysfs from the file system's device number.
StorageVerdict checkStorage(const std::string& path);
