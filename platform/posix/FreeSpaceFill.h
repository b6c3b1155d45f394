#pragma once

#include "FreeSpace.h"

// The free-space wipe on Linux: unnamed files (O_TMPFILE) written past the page cache
// (O_DIRECT) where the file system allows both, one sync at the end, and FITRIM.
class PosixFreeSpaceWiper : public FreeSpaceWiper {
public:
    std::optional<FileSystemFacts> fileSystemAtPath(const std::string& folder,
                                                    int& errorNumber) const override;
    double measureWriteRate(const std::string& folder, const RandomBytes& random) override;
    FillResult fillFreeSpace(const std::string& folder, const RandomBytes& random,
                             FillObserver& observer) override;
    int trimFreeSpace(const std::string& mountPoint) override;
};
