#include "PosixFileManager.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <unordered_set>
#include <vector>

#include "PathString.h"

namespace {

std::string parentFolderOf(const std::string& path) {
    std::string parent = stringByDeletingLastPathComponent(path);
    return parent.empty() ? std::string(".") : parent;
}

FileAttributes attributesOf(const struct stat& st) {
    FileAttributes attributes;
    attributes.size = static_cast<std::uint64_t>(st.st_size);
    if (S_ISREG(st.st_mode)) {
        attributes.type = FileType::Regular;
    } else if (S_ISDIR(st.st_mode)) {
        attributes.type = FileType::Directory;
    } else if (S_ISLNK(st.st_mode)) {
        attributes.type = FileType::SymbolicLink;
    }
    return attributes;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

std::string procPathOf(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

bool haveProcFd() {
    static const bool available = ::access("/proc/self/fd", X_OK) == 0;
    return available;
}

// Opens the folder `name` inside folderFd without following a link, and only if it is the
// folder that was examined as `expected`.
int openExaminedFolder(int folderFd, const char* name, const struct stat& expected) {
    int fd = ::openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !sameFile(st, expected)) {
        ::close(fd);
        errno = ESTALE;
        return -1;
    }
    return fd;
}

class PosixDirectoryEnumerator : public DirectoryEnumerator {
public:
    explicit PosixDirectoryEnumerator(const std::string& path) {
        int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            push(fd, std::string());
        }
    }
    ~PosixDirectoryEnumerator() override {
        while (!folders_.empty()) {
            pop();
        }
    }

    std::optional<std::string> nextObject() override {
        if (descendInto_ >= 0) {
            push(descendInto_, lastPath_ + "/");
            descendInto_ = -1;
        }
        while (!folders_.empty()) {
            Folder& folder = folders_.back();
            errno = 0;
            struct dirent* entry = ::readdir(folder.stream);
            if (entry == nullptr) {
                pop();
                continue;
            }
            if (isDotOrDotDot(entry->d_name)) {
                continue;
            }
            lastPath_ = folder.prefix + entry->d_name;
            struct stat st;
            haveAttributes_ =
                ::fstatat(::dirfd(folder.stream), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0;
            if (haveAttributes_) {
                attributes_ = attributesOf(st);
                if (S_ISDIR(st.st_mode)) {
                    // Descend on the next call, so that the folder comes before its contents.
                    descendInto_ = openExaminedFolder(::dirfd(folder.stream), entry->d_name, st);
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

private:
    struct Folder {
        DIR* stream;
        std::string prefix;
    };
    void push(int fd, std::string prefix) {
        if (DIR* stream = ::fdopendir(fd)) {
            folders_.push_back({stream, std::move(prefix)});
        } else {
            ::close(fd);
        }
    }
    void pop() {
        ::closedir(folders_.back().stream);
        folders_.pop_back();
    }

    std::vector<Folder> folders_;
    std::string lastPath_;
    FileAttributes attributes_;
    bool haveAttributes_ = false;
    int descendInto_ = -1;
};

}  // namespace

// One walk of removeFileAtPath. It holds at most two descriptors at a time: the folder
// being emptied and, for the top item, the folder that holds it. It climbs back with
// "..", checking that it arrives in the folder it came from, so that a tree moved while
// the walk runs is never left for somewhere else. One folder's entries are read at a time;
// after a sub-folder is gone its parent is read again from the start, and only the
// entries that are still there come back.
class DeleteWalk {
public:
    DeleteWalk(PosixFileManager& manager, RemovalHandler& handler)
        : manager_(manager), handler_(handler) {}

    bool run(const std::string& givenPath) {
        const std::string path = withoutTrailingSlashes(givenPath);
        const std::string name = lastPathComponent(path);
        if (path.empty() || path == "/" || name == "." || name == "..") {
            report(givenPath, EINVAL);
            return false;
        }
        topFolderFd_ = ::open(parentFolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (topFolderFd_ < 0) {
            report(path, errno);
            return false;
        }
        visit(topFolderFd_, name.c_str(), path, nullptr);
        ::close(topFolderFd_);
        return !failed_;
    }

private:
    struct Level {
        struct stat identity;
        std::string path;
        std::string name;
        std::unordered_set<std::string> passedOver;  // failures the handler let us skip
    };

    // Handles one item in folderFd: announces it and removes it, a folder with all it holds.
    // Answers false when the walk must stop.
    bool visit(int folderFd, const char* name, const std::string& path, Level* parent) {
        struct stat st;
        if (::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT && parent != nullptr) {
                return true;  // gone already: nothing left to shred or remove
            }
            return fail(path, errno, parent, name);
        }
        grantOwnerAccess(folderFd, name, st);
        if (auto refusal = announce(folderFd, name, path)) {
            return fail(path, *refusal, parent, name);
        }
        if (S_ISDIR(st.st_mode)) {
            return removeFolder(folderFd, name, path, st, parent);
        }
        if (::unlinkat(folderFd, name, 0) != 0 && errno != ENOENT) {
            return fail(path, errno, parent, name);
        }
        return true;
    }

    bool removeFolder(int folderFd, const char* name, const std::string& path,
                      const struct stat& st, Level* parent) {
        int fd = openExaminedFolder(folderFd, name, st);
        if (fd < 0) {
            return fail(path, errno, parent, name);
        }
        if (parent == nullptr) {
            return emptyTree(fd, path, st);
        }
        // A sub-folder: the caller's loop descends, so its entries are never held twice.
        pendingFd_ = fd;
        pendingLevel_ = Level{st, path, name, {}};
        return true;
    }

    // Empties and removes the tree whose top folder is open as fd, iteratively.
    bool emptyTree(int fd, const std::string& path, const struct stat& st) {
        std::vector<Level> levels;
        levels.push_back(Level{st, path, lastPathComponent(path), {}});
        DIR* stream = ::fdopendir(fd);
        if (stream == nullptr) {
            ::close(fd);
            return fail(path, errno, nullptr, nullptr);
        }
        while (stream != nullptr) {
            Level& level = levels.back();
            errno = 0;
            struct dirent* entry = ::readdir(stream);
            if (entry != nullptr) {
                if (isDotOrDotDot(entry->d_name) ||
                    (!level.passedOver.empty() && level.passedOver.count(entry->d_name) != 0)) {
                    continue;
                }
                const std::string entryPath = level.path + "/" + entry->d_name;
                if (!visit(::dirfd(stream), entry->d_name, entryPath, &level)) {
                    ::closedir(stream);
                    return false;
                }
                if (pendingFd_ >= 0) {
                    ::closedir(stream);
                    stream = ::fdopendir(pendingFd_);
                    levels.push_back(std::move(pendingLevel_));
                    if (stream == nullptr) {
                        ::close(pendingFd_);
                    }
                    pendingFd_ = -1;
                    if (stream == nullptr) {
                        return fail(levels.back().path, errno, nullptr, nullptr);
                    }
                }
                continue;
            }
            if (errno != 0) {
                const int error = errno;
                ::closedir(stream);
                return fail(level.path, error, nullptr, nullptr);
            }
            stream = climbAndRemove(stream, levels);
            if (stream == nullptr && !levels.empty() && stopped_) {
                return false;
            }
        }
        return !stopped_;
    }

    // The folder of the last level is empty of all we may remove: go up and remove it.
    // Answers the parent's stream, read again from the start, or null at the top or on a stop.
    DIR* climbAndRemove(DIR* stream, std::vector<Level>& levels) {
        Level finished = std::move(levels.back());
        levels.pop_back();
        int upFd;
        if (levels.empty()) {
            upFd = ::dup(topFolderFd_);
        } else {
            upFd = ::openat(::dirfd(stream), "..", O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            struct stat st;
            if (upFd >= 0 && (::fstat(upFd, &st) != 0 || !sameFile(st, levels.back().identity))) {
                ::close(upFd);
                upFd = -1;
                errno = ESTALE;  // the tree was moved while we were inside it
            }
        }
        const int climbError = errno;
        ::closedir(stream);
        if (upFd < 0) {
            fail(finished.path, climbError, nullptr, nullptr);
            stopped_ = true;
            return nullptr;
        }
        Level* parent = levels.empty() ? nullptr : &levels.back();
        if (::unlinkat(upFd, finished.name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) {
            if (!fail(finished.path, errno, parent, finished.name.c_str())) {
                ::close(upFd);
                return nullptr;
            }
        }
        if (parent == nullptr) {
            ::close(upFd);
            return nullptr;
        }
        DIR* up = ::fdopendir(upFd);
        if (up == nullptr) {
            ::close(upFd);
            fail(parent->path, errno, nullptr, nullptr);
            stopped_ = true;
        }
        return up;
    }

    std::optional<std::string> announce(int folderFd, const char* name, const std::string& path) {
        manager_.announced_ = {&path, folderFd, name};
        auto refusal = handler_.fileManagerWillProcessPath(manager_, path);
        manager_.announced_ = {};
        return refusal;
    }

    // A file or folder the user owns gets owner read and write (and search, for a folder)
    // before it is shredded: it is about to be removed, and it could not be overwritten or
    // emptied otherwise. Done through an O_PATH descriptor so a link swapped in is not
    // followed.
    static void grantOwnerAccess(int folderFd, const char* name, const struct stat& st) {
        const mode_t needed = S_ISDIR(st.st_mode) ? S_IRWXU : (S_IRUSR | S_IWUSR);
        if ((!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) || st.st_uid != ::geteuid() ||
            (st.st_mode & needed) == needed || !haveProcFd()) {
            return;
        }
        int fd = ::openat(folderFd, name, O_PATH | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            return;
        }
        struct stat now;
        if (::fstat(fd, &now) == 0 && sameFile(now, st) && !S_ISLNK(now.st_mode)) {
            ::chmod(procPathOf(fd).c_str(), (now.st_mode & 07777) | needed);
        }
        ::close(fd);
    }

    bool fail(const std::string& path, int error, Level* parent, const char* name) {
        return fail(path, std::string(std::strerror(error)), parent, name);
    }
    // Reports one failure; answers whether the walk goes on, past the failed item.
    bool fail(const std::string& path, const std::string& error, Level* parent, const char* name) {
        failed_ = true;
        const bool proceed = handler_.fileManagerShouldProceedAfterError(manager_, {path, error});
        if (proceed && parent != nullptr && name != nullptr) {
            parent->passedOver.insert(name);
        }
        if (!proceed) {
            stopped_ = true;
        }
        return proceed && parent != nullptr;
    }
    void report(const std::string& path, int error) { fail(path, error, nullptr, nullptr); }

    PosixFileManager& manager_;
    RemovalHandler& handler_;
    int topFolderFd_ = -1;
    int pendingFd_ = -1;
    Level pendingLevel_;
    bool failed_ = false;
    bool stopped_ = false;
};

bool PosixFileManager::isDeletableFileAtPath(const std::string& path) const {
    const std::string trimmed = withoutTrailingSlashes(path);
    struct stat item;
    if (trimmed.empty() || trimmed == "/" || ::lstat(trimmed.c_str(), &item) != 0) {
        return false;
    }
    const std::string parent = parentFolderOf(trimmed);
    if (::faccessat(AT_FDCWD, parent.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return false;
    }
    struct stat folder;
    if (::stat(parent.c_str(), &folder) != 0) {
        return false;
    }
    // In a sticky folder such as /tmp only the item's or the folder's owner may remove it.
    const uid_t me = ::geteuid();
    return !(folder.st_mode & S_ISVTX) || me == 0 || me == item.st_uid || me == folder.st_uid;
}

std::optional<FileAttributes> PosixFileManager::fileAttributesAtPath(const std::string& path,
                                                                     bool traverseLink) const {
    const std::string reachable = pathForSystemCalls(path);
    struct stat st;
    const int result =
        traverseLink ? ::stat(reachable.c_str(), &st) : ::lstat(reachable.c_str(), &st);
    if (result != 0) {
        return std::nullopt;
    }
    return attributesOf(st);
}

std::unique_ptr<DirectoryEnumerator> PosixFileManager::enumeratorAtPath(
    const std::string& path) const {
    return std::make_unique<PosixDirectoryEnumerator>(path);
}

bool PosixFileManager::fileExistsAtPath(const std::string& path, bool& isDirectory) const {
    struct stat st;
    if (::stat(pathForSystemCalls(path).c_str(), &st) != 0) {
        return false;
    }
    isDirectory = S_ISDIR(st.st_mode);
    return true;
}

bool PosixFileManager::removeFileAtPath(const std::string& path, RemovalHandler& handler) {
    DeleteWalk walk(*this, handler);
    return walk.run(path);
}

bool PosixFileManager::copyPath(const std::string& source, const std::string& destination) {
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    struct stat st;
    int out = -1;
    if (::fstat(in, &st) == 0 && S_ISREG(st.st_mode)) {
        out =
            ::open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    bool copied = out >= 0;
    char buffer[1 << 16];
    while (copied) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got <= 0) {
            copied = got == 0;
            break;
        }
        for (ssize_t done = 0; done < got && copied;) {
            const ssize_t put = ::write(out, buffer + done, static_cast<std::size_t>(got - done));
            copied = put > 0;
            done += put > 0 ? put : 0;
        }
    }
    ::close(in);
    if (out >= 0 && (::close(out) != 0 || !copied)) {
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
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string candidate = pathTemplate;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::vector<unsigned char> noise(placeholders);
        if (::getrandom(noise.data(), noise.size(), 0) != static_cast<ssize_t>(noise.size())) {
            return std::nullopt;
        }
        for (std::string::size_type i = 0; i < placeholders; ++i) {
            candidate[candidate.size() - placeholders + i] = alphabet[noise[i] % 62];
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

std::string PosixFileManager::pathForSystemCalls(const std::string& path) const {
    if (announced_.path == nullptr || *announced_.path != path || !haveProcFd()) {
        return path;
    }
    return procPathOf(announced_.folderFd) + "/" + announced_.name;
}
