#include "platform/posix/FolderEntries.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "base/UniqueFd.h"
#include "platform/PathString.h"

#ifndef SYS_fchmodat2
#define SYS_fchmodat2 452  // Linux 6.6; the same number on every architecture
#endif

namespace {

// Sets the mode of the entry `name`, never through a link and only while the name still
// shows the item examined as `expected`: through fchmodat2 on a descriptor of the item
// (Linux 6.6), else through /proc. Without either it does nothing: fchmodat on the name
// would follow a link swapped in meanwhile.
bool changeModeOf(int folderFd, const char* name, const struct stat& expected, mode_t mode) {
    const UniqueFd fd(::openat(folderFd, name, O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat now;
    if (fd.get() < 0 || ::fstat(fd.get(), &now) != 0 || !sameFile(now, expected) ||
        S_ISLNK(now.st_mode)) {
        return false;
    }
    return ::syscall(SYS_fchmodat2, fd.get(), "", mode, AT_EMPTY_PATH) == 0 ||
           ::chmod(("/proc/self/fd/" + std::to_string(fd.get())).c_str(), mode) == 0;
}

}  // namespace

namespace entries {

std::string parentFolderOf(const std::string& path) {
    std::string parent = stringByDeletingLastPathComponent(path);
    return parent.empty() ? std::string(".") : parent;
}

FileAttributes attributesOf(const struct stat& st) {
    FileAttributes attributes;
    attributes.size = static_cast<std::uint64_t>(st.st_size);
    attributes.linkCount = static_cast<std::uint64_t>(st.st_nlink);
    attributes.device = static_cast<std::uint64_t>(st.st_dev);
    attributes.inode = static_cast<std::uint64_t>(st.st_ino);
    if (S_ISREG(st.st_mode)) {
        attributes.type = FileType::Regular;
    } else if (S_ISDIR(st.st_mode)) {
        attributes.type = FileType::Directory;
    } else if (S_ISLNK(st.st_mode)) {
        attributes.type = FileType::SymbolicLink;
    } else if (S_ISBLK(st.st_mode) || S_ISCHR(st.st_mode)) {
        attributes.type = FileType::Device;
    }
    return attributes;
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

int examineEntry(int folderFd, const char* name, dev_t folderDevice, Examined& out) {
    struct statx stx;
    if (::statx(folderFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, STATX_BASIC_STATS, &stx) !=
        0) {
        return errno;
    }
    out.st = {};
    out.st.st_dev = makedev(stx.stx_dev_major, stx.stx_dev_minor);
    out.st.st_ino = stx.stx_ino;
    out.st.st_mode = stx.stx_mode;
    out.st.st_nlink = stx.stx_nlink;
    out.st.st_uid = stx.stx_uid;
    out.st.st_gid = stx.stx_gid;
    out.st.st_size = static_cast<off_t>(stx.stx_size);
    out.mountRoot = (stx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0
                        ? (stx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0
                        : out.st.st_dev != folderDevice;
    out.flagged = (stx.stx_attributes & stx.stx_attributes_mask &
                   (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0;
    return 0;
}

int openExaminedFolder(int folderFd, const char* name, const struct stat& expected) {
    UniqueFd fd(::openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (fd.get() < 0) {
        return -1;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0 || !sameFile(st, expected)) {
        errno = ESTALE;
        return -1;
    }
    return fd.release();
}

int openParentFolder(int childFd, const struct stat& expected) {
    return openExaminedFolder(childFd, "..", expected);
}

// A file or folder the user owns gets owner read and write (and search, for a folder) before
// it is counted or shredded: it is about to be removed, and it could not be read, overwritten
// or emptied otherwise. A file with another hard link is left alone, since its permissions
// are shared with a name that may lie outside the selection. Answers the mode it had, to be
// given back if the item stays.
std::optional<mode_t> grantOwnerAccess(int folderFd, const char* name, const struct stat& st,
                                       uid_t me) {
    const bool folder = S_ISDIR(st.st_mode);
    const mode_t needed = folder ? S_IRWXU : (S_IRUSR | S_IWUSR);
    const mode_t before = st.st_mode & 07777;
    if (!(folder || (S_ISREG(st.st_mode) && st.st_nlink == 1)) || st.st_uid != me ||
        (before & needed) == needed || !changeModeOf(folderFd, name, st, before | needed)) {
        return std::nullopt;
    }
    return before;
}

void giveBackMode(int folderFd, const char* name, const struct stat& st,
                  const std::optional<mode_t>& before) {
    if (before) {
        changeModeOf(folderFd, name, st, *before);
    }
}

int folderRefusesRemoval(int fd, bool openedForPathOnly) {
    if (::faccessat(fd, ".", W_OK | X_OK, AT_EACCESS) != 0) {
        return errno;
    }
    const UniqueFd readable(
        openedForPathOnly ? ::openat(fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1);
    const int flagsFd = openedForPathOnly ? readable.get() : fd;
    int flags = 0;
    const bool known = flagsFd >= 0 && ::ioctl(flagsFd, FS_IOC_GETFLAGS, &flags) == 0;
    return known && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0 ? EPERM : 0;
}

int itemRefusesRemoval(int folderFd, const char* name) {
    const UniqueFd fd(
        ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st;
    // What cannot be opened is judged by its folder alone; so is anything swapped in that is
    // no file or folder, whose flags say nothing here.
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 ||
        !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
        return 0;
    }
    int flags = 0;
    const bool known = ::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0;
    return known && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0 ? EPERM : 0;
}

std::optional<std::vector<std::string>> componentsOf(const std::string& relative) {
    std::vector<std::string> parts;
    for (std::size_t at = 0; at < relative.size();) {
        const std::size_t end = std::min(relative.find('/', at), relative.size());
        if (end > at) {
            parts.push_back(relative.substr(at, end - at));
        }
        at = end + 1;
    }
    if (std::find(parts.begin(), parts.end(), "..") != parts.end()) {
        errno = EINVAL;
        return std::nullopt;
    }
    return parts;
}

UniqueFd folderBelow(int folderFd, const std::vector<std::string>& parts) {
    UniqueFd at(::fcntl(folderFd, F_DUPFD_CLOEXEC, 0));
    for (std::size_t i = 0; i < parts.size() && at.get() >= 0; ++i) {
        at = UniqueFd(
            ::openat(at.get(), parts[i].c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }
    return at;
}

int createFresh(int folderFd, const std::string& prefix, std::string& made) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        unsigned char noise[8];
        if (::getrandom(noise, sizeof noise, 0) != static_cast<ssize_t>(sizeof noise)) {
            return -1;
        }
        made = prefix;
        for (const unsigned char byte : noise) {
            made += kNameCharacters[byte % 62];
        }
        const int fd = ::openat(folderFd, made.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

const unsigned char* NameNoise::take(std::size_t length) {
    if (sizeof pool_ - used_ < length) {
        if (::getrandom(pool_, sizeof pool_, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof pool_)) {
            return nullptr;
        }
        used_ = 0;
    }
    used_ += length;
    return pool_ + used_ - length;
}

// Renames the entry `name` of the folder open as folderFd to as many random letters and
// digits, and answers the name the entry now has. Where it cannot be renamed (no random
// bytes, no RENAME_NOREPLACE, a refusal) that is its own name: it is removed all the same.
// Where a file system rewrites a name of the same length in place (exFAT, NTFS's record
// of the file), what it keeps of the removed item then tells nothing of the real name.
std::string obscuredName(int folderFd, const char* name, NameNoise& randomBytes) {
    const std::size_t length = std::strlen(name);
    if (length == 0 || length > NAME_MAX) {
        return name;
    }
    std::string candidate(length, '\0');
    for (int attempt = 0; attempt < 4; ++attempt) {
        const unsigned char* noise = randomBytes.take(length);
        if (noise == nullptr) {
            return name;
        }
        for (std::size_t i = 0; i < length; ++i) {
            candidate[i] = kNameCharacters[noise[i] % (sizeof kNameCharacters - 1)];
        }
        if (::renameat2(folderFd, name, folderFd, candidate.c_str(), RENAME_NOREPLACE) == 0) {
            return candidate;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return name;
}

bool restoreName(int folderFd, const std::string& now, const std::string& own) {
    return now == own ||
           ::renameat2(folderFd, now.c_str(), folderFd, own.c_str(), RENAME_NOREPLACE) == 0;
}

int removeFileEntry(int folderFd, const char* name, bool renameFirst, NameNoise& randomBytes,
                    std::string& left) {
    left = renameFirst ? obscuredName(folderFd, name, randomBytes) : name;
    if (::unlinkat(folderFd, left.c_str(), 0) == 0 || errno == ENOENT) {
        return 0;
    }
    const int error = errno;
    if (restoreName(folderFd, left, name)) {
        left = name;
    }
    return error;
}

bool stickyRuleForbids(const struct stat& folder, const struct stat& item, uid_t me) {
    return (folder.st_mode & S_ISVTX) != 0 && me != 0 && me != item.st_uid && me != folder.st_uid;
}

}  // namespace entries
