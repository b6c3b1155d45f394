#pragma once

#include <cstdint>
#include <string>

// The shredding unit: overwrites one file's contents in place and nothing else.
class ZVUtility {
public:
    ZVUtility();
    virtual ~ZVUtility();
};

// Why overwriteFile returned what it did.
enum class OverwriteStatus {
    Overwritten,      // every pass written and synced to the device
    Empty,            // size 0: the file was not opened
    NotOverwritable,  // not a regular file with exactly one link (symbolic link, hard link,
                      // device, fifo, ...): left untouched on purpose
    Failed,           // a system call failed; errorNumber says which error
};

struct OverwriteOutcome {
    std::uint64_t bytes = 0;  // the file's size when overwritten, else 0
    OverwriteStatus status = OverwriteStatus::Failed;
    int errorNumber = 0;  // errno of the failure, 0 unless status is Failed
};

inline constexpr const char* kRandomDevice = "/dev/urandom";

// Overwrites every byte of the regular, single-link file at path in place: mode 1 four
// pattern passes, mode 2 eleven, any other value one pass of random bytes. Returns the
// file's size when every pass reached the device, otherwise 0.
std::uint64_t overwriteFile(const std::string& path, std::int32_t mode);

// The same, telling why a result is 0; randomDevice replaces /dev/urandom (for tests).
OverwriteOutcome overwriteFileExplained(const std::string& path, std::int32_t mode,
                                        const char* randomDevice = kRandomDevice);
