#pragma once

#include "platform/FreeSpace.h"

// The free-space wipe on Linux: unnamed files (O_TMPFILE) written past the page cache
// (O_DIRECT) where the file system allows both, one sync at the end, and FITRIM.
class PosixFreeSpaceWiper : public FreeSpaceWiper {
public:
    std::unique_ptr<WipeFolder> openFolder(const std::string& folder, int& errorNumber) override;
};
