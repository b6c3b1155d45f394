#include "PosixFileManager.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "FolderEntries.h"
#include "PathString.h"
#include "StorageCheck.h"
#include "SwapCheck.h"
#include "base/UniqueFd.h"

using namespace entries;

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

MemoryOnDisk PosixFileManager::unencryptedMemoryCopies() const {
    return ::unencryptedMemoryCopies("/sys", "/proc/swaps");
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
    return entries::enumerateFolder(path);
}

bool PosixFileManager::fileExistsAtPath(const std::string& path, bool& isDirectory) const {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        return false;
    }
    isDirectory = S_ISDIR(st.st_mode);
    return true;
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
    return entries::runDeleteWalk(*this, path, handler);
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
