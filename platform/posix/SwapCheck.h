#pragma once

#include <string>

#include "platform/FileManager.h"

// The active swap areas listed in swapsFile ("/proc/swaps"), and the device a hibernation
// image is written to (power/resume under sysfsRoot, "/sys"), that lie on no encrypted
// device: a swap file is judged by the device holding its file system, a loop device by its
// backing file's. zram keeps what it is given in memory: it is no disk. Where encryption
// cannot be shown, an area counts as not encrypted.
MemoryOnDisk unencryptedMemoryCopies(const std::string& sysfsRoot, const std::string& swapsFile);
