#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "base/FolderHandle.h"
#include "base/UniqueFd.h"
#include "platform/PathString.h"
#include "platform/posix/FolderEntries.h"

namespace entries {

namespace {

// Depth first, one folder's entries at a time. It keeps up to kMaxHeldFolders folders open
// and resumes a folder it had to close where it stopped reading; a folder it cannot read is
// reported through unreadFolders(), never skipped in silence.
class PosixDirectoryEnumerator : public DirectoryEnumerator {
public:
    PosixDirectoryEnumerator(const std::string& path, int folderFd, const std::string& name,
                             bool noFollow)
        : top_(path) {
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (noFollow ? O_NOFOLLOW : 0);
        int fd = ::openat(folderFd, name.c_str(), flags);
        std::optional<mode_t> before;
        struct stat st {};
        if (fd < 0 && errno == EACCES &&
            ::fstatat(folderFd, name.c_str(), &st, noFollow ? AT_SYMLINK_NOFOLLOW : 0) == 0 &&
            (before = grantOwnerAccess(folderFd, name.c_str(), st, me_))) {
            fd = ::openat(folderFd, name.c_str(), flags);
        }
        const int openError = errno;
        UniqueFd owned(fd);
        if (fd < 0 || ::fstat(fd, &st) != 0) {
            unread_.push_back({path, fd < 0 ? openError : errno});
            giveBackMode(folderFd, name.c_str(), st, before);
            return;
        }
        push(std::move(owned), std::string(), st, before);
    }
    ~PosixDirectoryEnumerator() override {
        // Dropped before it went into the last folder it found: that one gets its mode back.
        if (descend_.fd.get() >= 0 && descend_.modeBefore) {
            ::fchmod(descend_.fd.get(), *descend_.modeBefore);
        }
        while (!folders_.empty()) {
            pop();
        }
    }

    std::optional<std::string> nextObject() override {
        if (descend_.fd.get() >= 0) {
            Descent descent = std::move(descend_);
            descend_ = Descent();
            push(std::move(descent.fd), lastPath_ + "/", descent.identity, descent.modeBefore);
        }
        while (!folders_.empty()) {
            Folder& folder = folders_.back();
            if (folder.stream() == nullptr) {  // could not be opened again
                pop();
                continue;
            }
            errno = 0;
            struct dirent* entry = ::readdir(folder.stream());
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
            haveAttributes_ =
                examineEntry(folder.handle.fd(), entry->d_name, folder.identity.st_dev, item) == 0;
            if (haveAttributes_) {
                attributes_ = attributesOf(item.st);
                if (S_ISDIR(item.st.st_mode) && !item.mountRoot) {
                    // Descend on the next call, so that the folder comes before its contents.
                    prepareDescent(folder.handle.fd(), entry->d_name, item.st);
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
        FolderHandle handle;  // with its stream; closed meanwhile to spare descriptors
        std::string prefix;
        DIR* stream() const { return handle.stream(); }
        struct stat identity {};
        long position = 0;  // where reading goes on after the folder was closed
        std::optional<mode_t> modeBefore;
    };
    struct Descent {
        UniqueFd fd;
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
        descend_ = {UniqueFd(fd), st, before};
    }

    void push(UniqueFd fd, std::string prefix, const struct stat& identity,
              std::optional<mode_t> modeBefore) {
        std::size_t open = 0;
        for (const Folder& f : folders_) {
            open += f.stream() != nullptr;
        }
        if (open >= kMaxHeldFolders) {
            closeShallowest();
        }
        FolderHandle handle = FolderHandle::withEntries(fd.release());
        if (handle.stream() == nullptr) {
            unread_.push_back({fullPath(prefix), errno});
            return;
        }
        folders_.push_back({std::move(handle), std::move(prefix), identity, 0, modeBefore});
    }

    bool closeShallowest() {
        for (Folder& f : folders_) {
            if (f.stream() != nullptr && &f != &folders_.back()) {
                f.position = ::telldir(f.stream());
                f.handle.reset();
                return true;
            }
        }
        return false;
    }

    void pop() {
        Folder& done = folders_.back();
        if (done.stream() != nullptr) {
            if (folders_.size() >= 2) {
                reopen(folders_[folders_.size() - 2], done.handle.fd());
            }
            if (done.modeBefore) {
                ::fchmod(done.handle.fd(), *done.modeBefore);
            }
        }
        folders_.pop_back();
    }

    void reopen(Folder& folder, int childFd) {
        if (folder.stream() != nullptr) {
            return;
        }
        folder.handle = FolderHandle::withEntries(
            openSparingDescriptors([&] { return openParentFolder(childFd, folder.identity); },
                                   [this] { return closeShallowest(); }));
        if (folder.stream() == nullptr) {
            unread_.push_back({fullPath(folder.prefix), errno});
            return;
        }
        ::seekdir(folder.stream(), folder.position);
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

std::unique_ptr<DirectoryEnumerator> enumerateFolder(const std::string& path, int folderFd,
                                                     const std::string& name, bool noFollow) {
    return std::make_unique<PosixDirectoryEnumerator>(path, folderFd, name, noFollow);
}

}  // namespace entries
