// Where a file system's free space lies and what it keeps back for itself: its free-space
// map (FS_IOC_GETFSMAP), the extents of the fill's files (FIEMAP), and ext4's own reserve.

#include "platform/posix/FreeSpaceMap.h"

#include <fcntl.h>
#include <linux/falloc.h>
#include <linux/fiemap.h>
#include <linux/fs.h>
#include <linux/fsmap.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <fstream>
#include <map>

#include "platform/PathString.h"

// The reserve ext4 keeps for its own metadata, in bytes: sysfs names the file system after
// its device's kernel name ("loop0", "dm-1"). 0 on other file systems or where unknown.
std::uint64_t ext4OwnReserve(int folderFd, std::uint64_t blockSize) {
    struct statfs fs;
    struct stat st;
    if (::fstatfs(folderFd, &fs) != 0 || fs.f_type != EXT4_SUPER_MAGIC ||
        ::fstat(folderFd, &st) != 0) {
        return 0;
    }
    char target[PATH_MAX];
    const std::string device = "/sys/dev/block/" + std::to_string(major(st.st_dev)) + ":" +
                               std::to_string(minor(st.st_dev));
    const ssize_t length = ::readlink(device.c_str(), target, sizeof target - 1);
    if (length <= 0) {
        return 0;
    }
    target[length] = '\0';
    std::ifstream in("/sys/fs/ext4/" + lastPathComponent(target) + "/reserved_clusters");
    std::uint64_t clusters = 0;
    return in >> clusters ? clusters * blockSize : 0;
}

// Where the file system's own map shows free space, where it lets this process read the map
// (root, on ext4 and xfs): reserves included, which statfs leaves out on xfs.
std::optional<std::vector<Extent>> freeExtents(int folderFd) {
    constexpr unsigned kRecords = 512;
    std::vector<unsigned char> memory(fsmap_sizeof(kRecords));
    auto* head = reinterpret_cast<struct fsmap_head*>(memory.data());
    head->fmh_count = kRecords;
    head->fmh_keys[1].fmr_device = UINT32_MAX;
    head->fmh_keys[1].fmr_flags = UINT32_MAX;
    head->fmh_keys[1].fmr_physical = UINT64_MAX;
    head->fmh_keys[1].fmr_owner = UINT64_MAX;
    head->fmh_keys[1].fmr_offset = UINT64_MAX;
    std::vector<Extent> free;
    for (;;) {
        if (::ioctl(folderFd, FS_IOC_GETFSMAP, head) != 0) {
            return std::nullopt;
        }
        for (unsigned i = 0; i < head->fmh_entries; ++i) {
            if (head->fmh_recs[i].fmr_owner == FMR_OWN_FREE) {
                free.push_back({head->fmh_recs[i].fmr_physical, head->fmh_recs[i].fmr_length});
            }
        }
        if (head->fmh_entries == 0 ||
            (head->fmh_recs[head->fmh_entries - 1].fmr_flags & FMR_OF_LAST) != 0) {
            return free;
        }
        fsmap_advance(head);
    }
}

std::uint64_t totalOf(const std::vector<Extent>& extents) {
    std::uint64_t total = 0;
    for (const Extent& e : extents) {
        total += e.length;
    }
    return total;
}

// Of the free extents, the bytes that lie outside every written one.
std::uint64_t outside(const std::vector<Extent>& free, const std::vector<Extent>& written) {
    std::uint64_t left = 0;
    for (const Extent& f : free) {
        std::uint64_t covered = 0;
        for (const Extent& w : written) {
            const std::uint64_t from = std::max(f.physical, w.physical);
            const std::uint64_t to = std::min(f.physical + f.length, w.physical + w.length);
            covered += to > from ? to - from : 0;
        }
        left += f.length - std::min(f.length, covered);
    }
    return left;
}

namespace {

// Where a file's blocks lie on the device.
std::vector<Extent> extentsOf(int fd) {
    constexpr unsigned kCount = 256;
    std::vector<unsigned char> memory(sizeof(struct fiemap) +
                                      kCount * sizeof(struct fiemap_extent));
    auto* map = reinterpret_cast<struct fiemap*>(memory.data());
    std::vector<Extent> extents;
    for (std::uint64_t start = 0;;) {
        map->fm_start = start;
        map->fm_length = UINT64_MAX - start;
        map->fm_flags = FIEMAP_FLAG_SYNC;
        map->fm_extent_count = kCount;
        map->fm_mapped_extents = 0;
        if (::ioctl(fd, FS_IOC_FIEMAP, map) != 0 || map->fm_mapped_extents == 0) {
            return extents;
        }
        for (unsigned i = 0; i < map->fm_mapped_extents; ++i) {
            const struct fiemap_extent& e = map->fm_extents[i];
            extents.push_back({e.fe_physical, e.fe_length, e.fe_logical});
            start = e.fe_logical + e.fe_length;
            if ((e.fe_flags & FIEMAP_EXTENT_LAST) != 0) {
                return extents;
            }
        }
    }
}

}  // namespace

// Lets go of the fill's own blocks beside each free extent, as many as it holds, so that a
// fill started again may take the free blocks and leave these, already overwritten, in their
// place. Answers where the blocks let go lie.
std::vector<Extent> loosenBeside(const std::vector<Extent>& free, const std::vector<int>& files) {
    std::map<std::uint64_t, std::uint64_t> byStart, byEnd;  // the free extents' lengths
    for (const Extent& f : free) {
        byStart[f.physical] = f.length;
        byEnd[f.physical + f.length] = f.length;
    }
    std::vector<Extent> loosened;
    for (const int fd : files) {
        for (const Extent& e : extentsOf(fd)) {
            Extent part{e.physical, 0, e.logical};
            if (const auto after = byStart.find(e.physical + e.length); after != byStart.end()) {
                part.length = std::min(e.length, after->second);
                part.physical += e.length - part.length;
                part.logical += e.length - part.length;
            } else if (const auto before = byEnd.find(e.physical); before != byEnd.end()) {
                part.length = std::min(e.length, before->second);
            }
            if (part.length > 0 && ::fallocate(fd, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE,
                                               static_cast<off_t>(part.logical),
                                               static_cast<off_t>(part.length)) == 0) {
                loosened.push_back(part);
            }
        }
    }
    return loosened;
}

// What a full fill left free all the same, and whose it is. Free blocks the fill itself
// wrote before it let them go are reached, not left.
LeftUnfilled leftUnfilled(int folderFd, const std::vector<Extent>& writtenAndLetGo) {
    LeftUnfilled left;
    struct statvfs vfs;
    struct statfs fs;
    if (::fstatvfs(folderFd, &vfs) != 0 || ::fstatfs(folderFd, &fs) != 0) {
        return left;
    }
    const bool root = ::geteuid() == 0;
    const std::uint64_t counted = static_cast<std::uint64_t>(vfs.f_bfree) * vfs.f_frsize;
    const std::uint64_t ownExt4 = ext4OwnReserve(folderFd, vfs.f_bsize);
    const std::uint64_t beyondUser =
        static_cast<std::uint64_t>(vfs.f_bfree - vfs.f_bavail) * vfs.f_frsize;
    left.reservedForRoot = root ? 0 : beyondUser - std::min(beyondUser, ownExt4);
    const auto map = root ? freeExtents(folderFd) : std::nullopt;
    const std::uint64_t free = map ? outside(*map, writtenAndLetGo) : counted;
    left.reachedByFillingAgain = map ? totalOf(*map) - free : 0;
    left.keptByFileSystem = free - std::min(free, left.reservedForRoot);
    // xfs leaves its reserves out of what statfs counts free: only its map shows them.
    left.uncounted = !map && fs.f_type == XFS_SUPER_MAGIC;
    return left;
}
