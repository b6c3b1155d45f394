#include "platform/posix/PosixFileManager.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "base/UniqueFd.h"
#include "platform/ErrorText.h"
#include "platform/PathString.h"
#include "platform/Texts.h"
#include "platform/posix/FolderEntries.h"
#include "platform/posix/StorageCheck.h"
#include "platform/posix/SwapCheck.h"

using namespace entries;

namespace {

class HeldFolder : public FolderHold {
public:
    HeldFolder(std::vector<std::pair<std::string, int>>& holds, const std::string& path, int fd)
        : holds_(holds), fd_(fd) {
        holds_.emplace_back(withoutTrailingSlashes(path), fd);
    }
    ~HeldFolder() override {
        std::erase_if(holds_, [this](const auto& hold) { return hold.second == fd_.get(); });
    }

private:
    std::vector<std::pair<std::string, int>>& holds_;
    const UniqueFd fd_;
};

// Where a path is reached from: a folder and the item's name in it. A path below a held
// folder is reached from that folder, its own folder opened component by component; any
// other is the path itself from the current folder, or with openParent its folder opened by
// path and its last component.
struct Reached {
    UniqueFd owned;
    int folderFd = AT_FDCWD;
    std::string name;
    bool held = false;
};

// Nothing, with errno set, where a component below a held folder is no folder or a link.
std::optional<Reached> reach(const std::vector<std::pair<std::string, int>>& holds,
                             const std::string& path, bool openParent) {
    const std::string trimmed = withoutTrailingSlashes(path);
    const std::pair<std::string, int>* hold = nullptr;
    for (const auto& each : holds) {
        const std::string& prefix = each.first;
        if ((trimmed == prefix || trimmed.rfind(prefix + "/", 0) == 0) &&
            (hold == nullptr || prefix.size() > hold->first.size())) {
            hold = &each;
        }
    }
    Reached reached;
    if (hold == nullptr) {
        reached.name = openParent ? lastPathComponent(trimmed) : path;
        if (openParent) {
            reached.owned =
                UniqueFd(::open(parentFolderOf(trimmed).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
            if (reached.owned.get() < 0) {
                return std::nullopt;
            }
            reached.folderFd = reached.owned.get();
        }
        return reached;
    }
    const auto parts = componentsOf(trimmed.substr(hold->first.size()));
    if (!parts) {
        return std::nullopt;  // never above the held folder
    }
    reached.held = true;
    reached.name = parts->empty() ? "." : parts->back();
    reached.owned = folderBelow(hold->second,
                                {parts->begin(), parts->empty() ? parts->end() : parts->end() - 1});
    if (reached.owned.get() < 0) {
        return std::nullopt;
    }
    reached.folderFd = reached.owned.get();
    return reached;
}

}  // namespace

std::unique_ptr<FolderHold> PosixFileManager::holdFolder(const std::string& path, int folderFd) {
    const int own = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
    if (own < 0) {
        return nullptr;
    }
    return std::make_unique<HeldFolder>(holds_, path, own);
}

bool PosixFileManager::isDeletableFileAtPath(const std::string& path) const {
    return removalBlockerAtPath(path) == 0;
}

int PosixFileManager::removalBlockerAtPath(const std::string& path) const {
    const std::string trimmed = withoutTrailingSlashes(path);
    struct stat item;
    if (trimmed.empty() || trimmed == "/") {
        return EBUSY;
    }
    const std::optional<Reached> at = reach(holds_, trimmed, true);
    if (!at) {
        return errno;
    }
    if (::fstatat(at->folderFd, at->name.c_str(), &item, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno;
    }
    const UniqueFd& folderFd = at->owned;
    // The reasons a person can act on come first: a read-only mount or an immutable flag is
    // not fixed by asking for permission.
    // (faccessat answers EROFS for a read-only mount.)
    int blocker = folderRefusesRemoval(folderFd.get(), true);
    if (blocker == 0 && (S_ISREG(item.st_mode) || S_ISDIR(item.st_mode))) {
        blocker = itemRefusesRemoval(folderFd.get(), at->name.c_str());
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
    const std::optional<Reached> at = reach(holds_, path, false);
    if (!at) {  // below a held folder, and not reached from it: never looked up by path
        const int error = errno;
        StorageVerdict verdict;
        verdict.reason =
            withArgs(translated("Storage", "could not be examined (%1)"), {errorInWords(error)});
        return verdict;
    }
    return at->held ? checkStorageIn(at->folderFd, at->name) : checkStorage(path);
}

MemoryOnDisk PosixFileManager::unencryptedMemoryCopies() const {
    return ::unencryptedMemoryCopies("/sys", "/proc/swaps");
}

std::optional<FileAttributes> PosixFileManager::fileAttributesAtPath(const std::string& path,
                                                                     bool traverseLink) const {
    const std::optional<Reached> at = reach(holds_, path, false);
    struct stat st;
    if (!at || ::fstatat(at->folderFd, at->name.c_str(), &st,
                         traverseLink ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
        return std::nullopt;
    }
    return attributesOf(st);
}

std::unique_ptr<DirectoryEnumerator> PosixFileManager::enumeratorAtPath(
    const std::string& path) const {
    const std::optional<Reached> at = reach(holds_, path, false);
    // A path below a held folder is opened from it, and never through a final link either.
    return at ? entries::enumerateFolder(path, at->folderFd, at->name, at->held)
              : entries::enumerateFolder(path, -1, "", true);  // unread, and said to be
}

bool PosixFileManager::fileExistsAtPath(const std::string& path, bool& isDirectory) const {
    const std::optional<Reached> at = reach(holds_, path, false);
    struct stat st;
    if (!at || ::fstatat(at->folderFd, at->name.c_str(), &st, 0) != 0) {
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

int PosixFileManager::removeAnnouncedFile(int folderFd, const std::string& name,
                                          bool renameFirst) const {
    // Each thread draws its own random names.
    thread_local entries::NameNoise noise;
    std::string left;
    return entries::removeFileEntry(folderFd, name.c_str(), renameFirst, noise, left);
}

bool PosixFileManager::removeFileAtPath(const std::string& path, RemovalHandler& handler) {
    const std::optional<Reached> at = reach(holds_, path, false);
    if (!at) {  // below a held folder, and not reached from it: never looked up by path
        handler.fileManagerShouldProceedAfterError(*this, {path, {ReasonCode::SystemError, errno}});
        return false;
    }
    return at->held ? entries::runDeleteWalk(*this, path, handler, at->folderFd, at->name)
                    : entries::runDeleteWalk(*this, path, handler);
}

bool PosixFileManager::copyPath(const std::string& source, const std::string& destination) {
    std::error_code error;
    // copy_file makes the destination exclusively (O_EXCL): it never replaces anything, nor
    // writes through a link put there.
    return std::filesystem::is_regular_file(source, error) &&
           std::filesystem::copy_file(source, destination, error);
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

std::string PosixFileManager::currentDirectoryPath() const {
    // glibc sizes the answer itself, also past PATH_MAX.
    char* path = ::getcwd(nullptr, 0);
    if (path == nullptr) {
        return {};
    }
    std::string current = path;
    std::free(path);
    return current;
}
