#include "PosixFileManager.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "PathString.h"
#include "StorageCheck.h"
#include "base/UniqueFd.h"

#ifndef SYS_fchmodat2
#define SYS_fchmodat2 452  // Linux 6.6; the same number on every architecture
#endif

namespace {

// Open folders a walk or a count keeps at most. Past that, or when the process runs out of
// descriptors, the shallowest are closed and opened again when the walk comes back to them.
constexpr std::size_t kMaxHeldFolders = 32;

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

// A folder's entries from its descriptor, which the stream then owns; closed where no stream
// can be made (errno says why). A negative fd gives no stream.
DIR* streamOf(int fd) {
    UniqueFd owned(fd);
    if (owned.get() < 0) {
        return nullptr;
    }
    DIR* stream = ::fdopendir(owned.get());
    if (stream != nullptr) {
        owned.release();
    }
    return stream;
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

Reason systemError(int error) {
    return {ReasonCode::SystemError, error};
}

// An entry's status, never following a link, and whether it is the root of a mount: another
// file system, or a folder or file bind-mounted there. Kernels that cannot say so are asked
// whether its device differs from its folder's.
struct Examined {
    struct stat st {};
    bool mountRoot = false;
    bool flagged = false;  // immutable or append-only: it cannot be removed
};

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

// Opens the folder `name` inside folderFd without following a link, and only if it is the
// folder that was examined as `expected`.
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

// Opens the folder above the one open as childFd, only if it is the one examined as
// `expected`: a tree moved while we were inside it is never left for somewhere else.
int openParentFolder(int childFd, const struct stat& expected) {
    return openExaminedFolder(childFd, "..", expected);
}

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

// Why entries of the folder open as fd cannot be removed by us (an errno value), or 0 where
// the folder allows it: write and search permission, neither immutable nor append-only.
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

// EPERM when the item itself is immutable or append-only, which no permission overrides.
int itemRefusesRemoval(int folderFd, const char* name) {
    const UniqueFd fd(::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        return 0;  // what cannot be opened is judged by its folder alone
    }
    int flags = 0;
    const bool known = ::ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0;
    return known && (flags & (FS_IMMUTABLE_FL | FS_APPEND_FL)) != 0 ? EPERM : 0;
}

constexpr char kNameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// Random bytes for new names, drawn from the kernel 256 at a time (a request no signal
// interrupts) rather than once per item.
class NameNoise {
public:
    // Answers `length` random bytes (at most 256), or null where none can be had.
    const unsigned char* take(std::size_t length) {
        if (sizeof pool_ - used_ < length) {
            if (::getrandom(pool_, sizeof pool_, GRND_NONBLOCK) !=
                static_cast<ssize_t>(sizeof pool_)) {
                return nullptr;
            }
            used_ = 0;
        }
        used_ += length;
        return pool_ + used_ - length;
    }

private:
    unsigned char pool_[256];
    std::size_t used_ = sizeof pool_;
};

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

// Gives an item that stays its own name back; false when it keeps the random one.
bool restoreName(int folderFd, const std::string& now, const std::string& own) {
    return now == own ||
           ::renameat2(folderFd, now.c_str(), folderFd, own.c_str(), RENAME_NOREPLACE) == 0;
}

// In a sticky folder such as /tmp only the item's or the folder's owner may remove it.
bool stickyRuleForbids(const struct stat& folder, const struct stat& item, uid_t me) {
    return (folder.st_mode & S_ISVTX) != 0 && me != 0 && me != item.st_uid && me != folder.st_uid;
}

// Depth first, one folder's entries at a time. It keeps up to kMaxHeldFolders folders open
// and resumes a folder it had to close where it stopped reading; a folder it cannot read is
// reported through unreadFolders(), never skipped in silence.
class PosixDirectoryEnumerator : public DirectoryEnumerator {
public:
    explicit PosixDirectoryEnumerator(const std::string& path) : top_(path) {
        int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        std::optional<mode_t> before;
        struct stat st {};
        if (fd < 0 && errno == EACCES && ::stat(path.c_str(), &st) == 0 &&
            (before = grantOwnerAccess(AT_FDCWD, path.c_str(), st, me_))) {
            fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        const int openError = errno;
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            unread_.push_back({path, fd < 0 ? openError : errno});
            giveBackMode(AT_FDCWD, path.c_str(), st, before);
            if (fd >= 0) {
                ::close(fd);
            }
            return;
        }
        push(fd, std::string(), st, before);
    }
    ~PosixDirectoryEnumerator() override {
        if (descend_.fd >= 0) {  // dropped before it went into the last folder it found
            if (descend_.modeBefore) {
                ::fchmod(descend_.fd, *descend_.modeBefore);
            }
            ::close(descend_.fd);
        }
        while (!folders_.empty()) {
            pop();
        }
    }

    std::optional<std::string> nextObject() override {
        if (descend_.fd >= 0) {
            push(descend_.fd, lastPath_ + "/", descend_.identity, descend_.modeBefore);
            descend_ = {};
        }
        while (!folders_.empty()) {
            Folder& folder = folders_.back();
            if (folder.stream == nullptr) {  // could not be opened again
                pop();
                continue;
            }
            errno = 0;
            struct dirent* entry = ::readdir(folder.stream);
            if (entry == nullptr) {
                if (errno != 0) {
                    unread_.push_back({fullPath(folder.prefix), errno});
                }
                pop();
                continue;
            }
            if (isDotOrDotDot(entry->d_name)) {
                continue;
            }
            lastPath_ = folder.prefix + entry->d_name;
            Examined item;
            haveAttributes_ = examineEntry(::dirfd(folder.stream), entry->d_name,
                                           folder.identity.st_dev, item) == 0;
            if (haveAttributes_) {
                attributes_ = attributesOf(item.st);
                if (S_ISDIR(item.st.st_mode) && !item.mountRoot) {
                    // Descend on the next call, so that the folder comes before its contents.
                    prepareDescent(::dirfd(folder.stream), entry->d_name, item.st);
                }
            }
            return lastPath_;
        }
        return std::nullopt;
    }

    std::optional<FileAttributes> fileAttributes() const override {
        if (!haveAttributes_) {
            return std::nullopt;
        }
        return attributes_;
    }

    const std::vector<UnreadFolder>& unreadFolders() const override { return unread_; }

private:
    struct Folder {
        DIR* stream = nullptr;  // null while closed to spare descriptors
        std::string prefix;
        struct stat identity {};
        long position = 0;  // where reading goes on after the folder was closed
        std::optional<mode_t> modeBefore;
    };
    struct Descent {
        int fd = -1;
        struct stat identity {};
        std::optional<mode_t> modeBefore;
    };

    std::string fullPath(const std::string& prefix) const {
        return prefix.empty()
                   ? top_
                   : stringByAppendingPathComponent(top_, prefix.substr(0, prefix.size() - 1));
    }

    void prepareDescent(int folderFd, const char* name, const struct stat& st) {
        int fd = openSparingDescriptors([&] { return openExaminedFolder(folderFd, name, st); },
                                        [this] { return closeShallowest(); });
        int error = errno;
        std::optional<mode_t> before;
        if (fd < 0 && error == EACCES && (before = grantOwnerAccess(folderFd, name, st, me_))) {
            fd = openExaminedFolder(folderFd, name, st);
            error = errno;
        }
        if (fd < 0) {
            unread_.push_back({fullPath(lastPath_ + "/"), error});
            giveBackMode(folderFd, name, st, before);
            return;
        }
        descend_ = {fd, st, before};
    }

    void push(int fd, std::string prefix, const struct stat& identity,
              std::optional<mode_t> modeBefore) {
        std::size_t open = 0;
        for (const Folder& f : folders_) {
            open += f.stream != nullptr;
        }
        if (open >= kMaxHeldFolders) {
            closeShallowest();
        }
        DIR* stream = streamOf(fd);
        if (stream == nullptr) {
            unread_.push_back({fullPath(prefix), errno});
            return;
        }
        folders_.push_back({stream, std::move(prefix), identity, 0, modeBefore});
    }

    bool closeShallowest() {
        for (Folder& f : folders_) {
            if (f.stream != nullptr && &f != &folders_.back()) {
                f.position = ::telldir(f.stream);
                ::closedir(f.stream);
                f.stream = nullptr;
                return true;
            }
        }
        return false;
    }

    void pop() {
        Folder& done = folders_.back();
        if (done.stream != nullptr) {
            if (folders_.size() >= 2) {
                reopen(folders_[folders_.size() - 2], ::dirfd(done.stream));
            }
            if (done.modeBefore) {
                ::fchmod(::dirfd(done.stream), *done.modeBefore);
            }
            ::closedir(done.stream);
        }
        folders_.pop_back();
    }

    void reopen(Folder& folder, int childFd) {
        if (folder.stream != nullptr) {
            return;
        }
        const int fd =
            openSparingDescriptors([&] { return openParentFolder(childFd, folder.identity); },
                                   [this] { return closeShallowest(); });
        if ((folder.stream = streamOf(fd)) == nullptr) {
            unread_.push_back({fullPath(folder.prefix), errno});
            return;
        }
        ::seekdir(folder.stream, folder.position);
    }

    const uid_t me_ = ::geteuid();
    std::string top_;
    std::vector<Folder> folders_;
    std::vector<UnreadFolder> unread_;
    std::string lastPath_;
    FileAttributes attributes_;
    bool haveAttributes_ = false;
    Descent descend_;
};

}  // namespace

// One walk of removeFileAtPath. It holds the folder of the top item (for search only, so a
// folder we may write but not read still works), and the folders it is emptying, up to
// kMaxHeldFolders of them; a folder it had to close is opened again through "..", checked to
// be the one it left, and read again from the start, where only what is left comes back.
// Before an item is announced, the walk makes sure it may remove it afterwards and that it
// is no mount; permissions it widened are given back on whatever stays.
//
// Each item is renamed to random characters just before it is removed. A removed folder's
// blocks are freed, and a journaling file system such as ext4 never writes a freed block
// back: whatever names it held when it was last written stay on the disk. So an emptied
// folder waits, under its random name, until the folder above it is read to the end; then
// the file system is flushed once, writing the emptied folders without their names, and
// they are removed.
class DeleteWalk {
public:
    DeleteWalk(PosixFileManager& manager, RemovalHandler& handler)
        : manager_(manager), handler_(handler) {}
    ~DeleteWalk() {
        for (Level& level : levels_) {
            close(level);
        }
    }

    bool run(const std::string& givenPath) {
        const std::string path = withoutTrailingSlashes(givenPath);
        const std::string name = lastPathComponent(path);
        if (path.empty() || path == "/" || name == "." || name == "..") {
            fail(givenPath, systemError(EINVAL), nullptr);
            return false;
        }
        Level top;
        top.path = parentFolderOf(path);
        top.fd = ::open(top.path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (top.fd < 0 || ::fstat(top.fd, &top.identity) != 0) {
            fail(path, systemError(errno), nullptr);
            close(top);
            return false;
        }
        levels_.push_back(std::move(top));
        topPath_ = path;
        if (visit(name.c_str()) == Step::Descended) {
            emptyTrees();
        }
        if (stopped_) {
            leaveTheStandingLevels();
        }
        return !failed_;
    }

private:
    enum class Step { Next, Descended, Stop };

    // An emptied folder waiting to be removed, by its random name in the level that holds it.
    struct WaitingFolder {
        std::string path;
        struct stat identity {};
        std::optional<mode_t> modeBefore;
    };

    struct Level {
        int fd = -1;            // the folder, or -1 while closed to spare descriptors
        DIR* stream = nullptr;  // its entries; none for the top item's folder
        struct stat identity {};
        std::string path;
        std::string name;                  // in the folder above
        std::optional<mode_t> modeBefore;  // to give back if it stays
        int removalRefused = -1;           // errno, 0 when its entries may go, -1 not asked yet
        std::unordered_set<std::string> passedOver;              // failures the handler let us skip
        std::unordered_map<std::string, WaitingFolder> waiting;  // by their random names
        bool lostEntries = false;  // the walk removed entries: its blocks may hold their names
    };

    static void close(Level& level) {
        if (level.stream != nullptr) {
            ::closedir(level.stream);
        } else if (level.fd >= 0) {
            ::close(level.fd);
        }
        level.stream = nullptr;
        level.fd = -1;
    }

    void emptyTrees() {
        while (levels_.size() > 1 && !stopped_) {
            Level& level = levels_.back();
            errno = 0;
            struct dirent* entry = ::readdir(level.stream);
            if (entry != nullptr) {
                if (!isDotOrDotDot(entry->d_name) &&
                    (level.passedOver.empty() || level.passedOver.count(entry->d_name) == 0) &&
                    (level.waiting.empty() || level.waiting.count(entry->d_name) == 0)) {
                    visit(entry->d_name);
                }
                continue;
            }
            if (errno != 0) {
                if (fail(level.path, systemError(errno), nullptr) == Step::Stop) {
                    return;
                }
                climb(false);
            } else {
                climb(true);
            }
        }
    }

    // Handles the entry `name` of the innermost level: checks it, announces it, and removes
    // it or, for a folder, goes into it.
    Step visit(const char* name) {
        const std::size_t at = levels_.size() - 1;
        const int folderFd = levels_[at].fd;
        const std::string path = at == 0 ? topPath_ : levels_[at].path + "/" + name;
        Examined item;
        if (int error = examineEntry(folderFd, name, levels_[at].identity.st_dev, item)) {
            if (error == ENOENT && at > 0) {
                return Step::Next;  // gone already: nothing left to shred or remove
            }
            return fail(path, systemError(error), name);
        }
        if (item.mountRoot) {
            return fail(path, {ReasonCode::MountPoint, 0}, name);
        }
        if (item.flagged) {
            return fail(path, {ReasonCode::NotRemovable, EPERM}, name);
        }
        if (int refused = removalRefused(at, item.st)) {
            return fail(path, {ReasonCode::NotRemovable, refused}, name);
        }
        const std::optional<mode_t> before = grantOwnerAccess(folderFd, name, item.st, me_);
        if (auto refusal =
                handler_.fileManagerWillProcessPath(manager_, {folderFd, name, item.st, path})) {
            giveBackMode(folderFd, name, item.st, before);
            return fail(path, *refusal, name);
        }
        if (S_ISDIR(item.st.st_mode)) {
            return descend(name, path, item.st, before);
        }
        const std::string removed = obscuredName(folderFd, name, noise_);
        if (::unlinkat(folderFd, removed.c_str(), 0) != 0 && errno != ENOENT) {
            const int error = errno;
            if (!restoreName(folderFd, removed, name)) {
                levels_[at].passedOver.insert(removed);
            }
            giveBackMode(folderFd, name, item.st, before);
            return fail(path, systemError(error), name);
        }
        levels_[at].lostEntries = true;
        return Step::Next;
    }

    int removalRefused(std::size_t at, const struct stat& item) {
        Level& level = levels_[at];
        if (level.removalRefused < 0) {
            level.removalRefused = folderRefusesRemoval(level.fd, level.stream == nullptr);
        }
        if (level.removalRefused > 0) {
            return level.removalRefused;
        }
        return stickyRuleForbids(level.identity, item, me_) ? EACCES : 0;
    }

    Step descend(const char* name, const std::string& path, const struct stat& st,
                 std::optional<mode_t> before) {
        const int folderFd = levels_.back().fd;
        const int fd =
            openSparingDescriptors([&] { return openExaminedFolder(folderFd, name, st); },
                                   [this] { return spareADescriptor(); });
        DIR* stream = streamOf(fd);
        if (stream == nullptr) {
            const int error = errno;
            giveBackMode(folderFd, name, st, before);
            return fail(path, systemError(error), name);
        }
        Level level;
        level.fd = fd;
        level.stream = stream;
        level.identity = st;
        level.path = path;
        level.name = name;
        level.modeBefore = before;
        levels_.push_back(std::move(level));
        std::size_t open = 0;
        for (const Level& l : levels_) {
            open += l.fd >= 0;
        }
        if (open > kMaxHeldFolders + 1) {
            spareADescriptor();
        }
        return Step::Descended;
    }

    // The innermost folder is read to the end: go up, and remove it when it is empty of all
    // we may remove. A folder the walk took entries from waits in the folder above.
    void climb(bool removeIt) {
        const std::size_t at = levels_.size() - 1;
        removeWaitingFolders(levels_[at]);
        if (stopped_) {
            return;
        }
        if (!ensureOpen(at - 1)) {
            fail(levels_[at].path, systemError(errno), nullptr);
            stopped_ = true;
            return;
        }
        Level done = std::move(levels_.back());
        levels_.pop_back();
        Level& parent = levels_.back();
        std::string name = done.name;
        if (removeIt && done.passedOver.empty()) {
            if (done.lostEntries && levels_.size() == 1) {
                // The top item is flushed through its own descriptor: its folder is held for
                // search only, which syncfs refuses.
                ::syncfs(done.fd);
            }
            name = obscuredName(parent.fd, done.name.c_str(), noise_);
            if (done.lostEntries && levels_.size() > 1) {
                parent.waiting[name] = {done.path, done.identity, done.modeBefore};
                parent.lostEntries = true;
                close(done);
                return;
            }
        }
        int error = 0;
        if (removeIt && ::unlinkat(parent.fd, name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) {
            error = errno;
            if (!restoreName(parent.fd, name, done.name)) {
                parent.passedOver.insert(name);
            }
        }
        if ((!removeIt || error != 0) && done.modeBefore) {
            ::fchmod(done.fd, *done.modeBefore);
        }
        close(done);
        if (error != 0) {
            fail(done.path, systemError(error), done.name.c_str());
        } else if (removeIt) {
            parent.lostEntries = true;
        }
    }

    // Removes the emptied folders waiting in an open level, after one flush of the file system
    // that writes them without the names they held. One that will not go gets its own name
    // and mode back.
    void removeWaitingFolders(Level& level) {
        if (level.waiting.empty()) {
            return;
        }
        ::syncfs(level.fd);
        auto waiting = std::move(level.waiting);
        level.waiting.clear();
        for (const auto& [name, folder] : waiting) {
            if (::unlinkat(level.fd, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT) {
                continue;
            }
            const int error = errno;
            const std::string own = lastPathComponent(folder.path);
            const std::string now = restoreName(level.fd, name, own) ? own : name;
            level.passedOver.insert(now);
            giveBackMode(level.fd, now.c_str(), folder.identity, folder.modeBefore);
            if (!stopped_) {  // after a stop the rest still go, but nothing more is asked
                fail(folder.path, systemError(error), nullptr);
            }
        }
    }

    // Makes sure level i is open, opening it again from level i + 1 if it was closed.
    bool ensureOpen(std::size_t i) {
        Level& level = levels_[i];
        if (level.fd >= 0) {
            return true;
        }
        const int fd = openSparingDescriptors(
            [&] { return openParentFolder(levels_[i + 1].fd, level.identity); },
            [this] { return spareADescriptor(); });
        level.stream = streamOf(fd);
        if (level.stream == nullptr) {
            return false;
        }
        level.fd = fd;
        return true;
    }

    // Closes the shallowest folder held open, never the top item's folder nor the innermost.
    bool spareADescriptor() {
        for (std::size_t i = 1; i + 1 < levels_.size(); ++i) {
            if (levels_[i].fd >= 0) {
                close(levels_[i]);
                return true;
            }
        }
        return false;
    }

    // After a stop, the folders the walk stands in stay: the emptied folders waiting in them
    // are removed, and each gets back the mode it had. Climbs level by level, opening again
    // what was closed, since each is reached from the one below it.
    void leaveTheStandingLevels() {
        for (std::size_t i = levels_.size() - 1; i >= 1; --i) {
            if (!ensureOpen(i)) {
                return;
            }
            removeWaitingFolders(levels_[i]);
            if (levels_[i].modeBefore) {
                ::fchmod(levels_[i].fd, *levels_[i].modeBefore);
            }
        }
    }

    // Reports one failure. On NO the walk stops; otherwise it goes on past the failed item.
    Step fail(const std::string& path, const Reason& reason, const char* name) {
        failed_ = true;
        if (!handler_.fileManagerShouldProceedAfterError(manager_, {path, reason})) {
            stopped_ = true;
            return Step::Stop;
        }
        if (name != nullptr && !levels_.empty()) {
            levels_.back().passedOver.insert(name);
        }
        return Step::Next;
    }

    PosixFileManager& manager_;
    RemovalHandler& handler_;
    const uid_t me_ = ::geteuid();
    std::vector<Level> levels_;  // [0] holds the top item; the rest are being emptied
    NameNoise noise_;
    std::string topPath_;
    bool failed_ = false;
    bool stopped_ = false;
};

bool PosixFileManager::isDeletableFileAtPath(const std::string& path) const {
    return removalBlockerAtPath(path) == 0;
}

int PosixFileManager::removalBlockerAtPath(const std::string& path) const {
    const std::string trimmed = withoutTrailingSlashes(path);
    struct stat item;
    if (trimmed.empty() || trimmed == "/") {
        return EBUSY;
    }
    if (::lstat(trimmed.c_str(), &item) != 0) {
        return errno;
    }
    const std::string parent = parentFolderOf(trimmed);
    const UniqueFd folderFd(::open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0) {
        return errno;
    }
    // The reasons a person can act on come first: a read-only mount or an immutable flag is
    // not fixed by asking for permission.
    // (faccessat answers EROFS for a read-only mount.)
    int blocker = folderRefusesRemoval(folderFd.get(), true);
    if (blocker == 0 && (S_ISREG(item.st_mode) || S_ISDIR(item.st_mode))) {
        blocker = itemRefusesRemoval(folderFd.get(), lastPathComponent(trimmed).c_str());
    }
    struct stat folder;
    if (blocker == 0 && ::fstat(folderFd.get(), &folder) != 0) {
        blocker = errno;
    }
    // In a sticky folder such as /tmp only the item's or the folder's owner may remove it.
    if (blocker == 0 && stickyRuleForbids(folder, item, ::geteuid())) {
        blocker = EACCES;
    }
    return blocker;
}

StorageVerdict PosixFileManager::storageVerdictAtPath(const std::string& path) const {
    return checkStorage(path);
}

std::optional<FileAttributes> PosixFileManager::fileAttributesAtPath(const std::string& path,
                                                                     bool traverseLink) const {
    struct stat st;
    if (::fstatat(AT_FDCWD, path.c_str(), &st, traverseLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return attributesOf(st);
}

std::unique_ptr<DirectoryEnumerator> PosixFileManager::enumeratorAtPath(
    const std::string& path) const {
    return std::make_unique<PosixDirectoryEnumerator>(path);
}

bool PosixFileManager::fileExistsAtPath(const std::string& path, bool& isDirectory) const {
    const ItemExamination item = examineItemAtPath(path);
    if (item.kind != ItemKind::Directory && item.kind != ItemKind::NotDirectory) {
        return false;
    }
    isDirectory = item.kind == ItemKind::Directory;
    return true;
}

ItemExamination PosixFileManager::examineItemAtPath(const std::string& path) const {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return {ItemKind::Missing, 0};
        }
        return {ItemKind::Unexaminable, error};
    }
    return {S_ISDIR(st.st_mode) ? ItemKind::Directory : ItemKind::NotDirectory, 0};
}

ItemExamination PosixFileManager::examineLinkTarget(const WalkItem& link) const {
    struct stat st;
    if (::fstatat(link.folderFd, link.name, &st, 0) != 0) {
        const int error = errno;
        // Nothing there, a link to itself, or a target we may not look at: either way there
        // are no contents here to overwrite, and removing a link destroys nothing.
        if (error == ENOENT || error == ENOTDIR || error == ELOOP || error == EACCES) {
            return {ItemKind::Missing, 0};
        }
        return {ItemKind::Unexaminable, error};
    }
    return {S_ISDIR(st.st_mode) ? ItemKind::Directory : ItemKind::NotDirectory, 0};
}

bool PosixFileManager::removeFileAtPath(const std::string& path, RemovalHandler& handler) {
    DeleteWalk walk(*this, handler);
    return walk.run(path);
}

bool PosixFileManager::copyPath(const std::string& source, const std::string& destination) {
    const UniqueFd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0) {
        return false;
    }
    struct stat st;
    UniqueFd out;
    if (::fstat(in.get(), &st) == 0 && S_ISREG(st.st_mode)) {
        out = UniqueFd(::open(destination.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    }
    bool copied = out.get() >= 0;
    char buffer[1 << 16];
    while (copied) {
        const ssize_t got = ::read(in.get(), buffer, sizeof buffer);
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        for (ssize_t done = 0; done < got && copied;) {
            const ssize_t put =
                ::write(out.get(), buffer + done, static_cast<std::size_t>(got - done));
            copied = put > 0;
            done += put > 0 ? put : 0;
        }
    }
    if (out.get() >= 0 && (::close(out.release()) != 0 || !copied)) {
        ::unlink(destination.c_str());  // ours: made with O_EXCL above
        copied = false;
    }
    return copied;
}

std::optional<std::string> PosixFileManager::makeUniqueDirectory(const std::string& pathTemplate) {
    std::string::size_type placeholders = 0;
    while (placeholders < pathTemplate.size() &&
           pathTemplate[pathTemplate.size() - 1 - placeholders] == 'X') {
        ++placeholders;
    }
    if (placeholders == 0) {
        return std::nullopt;
    }
    std::string candidate = pathTemplate;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::vector<unsigned char> noise(placeholders);
        if (::getrandom(noise.data(), noise.size(), 0) != static_cast<ssize_t>(noise.size())) {
            return std::nullopt;
        }
        for (std::string::size_type i = 0; i < placeholders; ++i) {
            candidate[candidate.size() - placeholders + i] = kNameCharacters[noise[i] % 62];
        }
        if (::mkdir(candidate.c_str(), 0700) == 0) {
            return candidate;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}
