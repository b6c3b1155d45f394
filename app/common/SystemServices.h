#pragma once

#include <cstddef>

#include "controller/ShredderConnections.h"
#include "platform/posix/FreeSpaceFill.h"
#include "platform/posix/PosixFileManager.h"
#include "platform/posix/PosixSystemLog.h"
#include "platform/posix/PosixTrash.h"
#include "platform/posix/ThreadTaskPool.h"

// What both front ends hand the controller from the system itself, made and connected in one
// place: the file manager, the log, the pool of overwriters, the remedies and the number
// formatter. Each front end adds what a person sees and does.
class SystemServices {
public:
    // Threads that overwrite, sync and remove small files: they mostly wait on the disk, so
    // more of them than there are cores pay: 128 measured best, against 32 and 64, for
    // 10,000 files of 4 KiB with one pass and with eleven.
    static constexpr std::size_t kOverwriters = 128;

    explicit SystemServices(std::size_t overwriters = kOverwriters) : overwriters_(overwriters) {}
    void connectTo(ShredderConnections& connections);
    PosixFileManager& files() { return files_; }

private:
    PosixFileManager files_;
    PosixSystemLog log_;
    // Small files' overwrites, their syncs together; it outlives the controller that uses it.
    ThreadTaskPool overwriters_;
    PosixFreeSpaceWiper freeSpace_;
    PosixTrashCan trash_;
};
