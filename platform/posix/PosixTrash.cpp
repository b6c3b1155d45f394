#include "platform/posix/PosixTrash.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>
#include <variant>

#include "base/FolderHandle.h"
#include "base/Transfer.h"
#include "base/UniqueFd.h"
#include "platform/PathString.h"
#include "platform/posix/FolderEntries.h"
#include "platform/posix/MountTable.h"
#include "platform/posix/StorageCheck.h"

namespace {

using Why = UntrustedTrash::Why;

// A trash folder's part as one component opened it, never through a link: the folder open
// for reading, or why it may not be trusted, or neither when it is not there.
struct Opened {
    UniqueFd fd;
    std::optional<Why> distrust;
    struct stat st {};
};

// Opens the folder `name` inside folderFd and checks it with fstat on what was opened: a
// trash folder and its files/ and info/ must be the user's own and nobody else may write
// them, or someone else could plant items there for the user to shred.
Opened openOwnFolder(int folderFd, const char* name) {
    Opened part;
    part.fd = UniqueFd(::openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (part.fd.get() < 0 || ::fstat(part.fd.get(), &part.st) != 0) {
        part.fd = UniqueFd();
        struct stat st;
        if (::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) == 0) {
            part.distrust = S_ISLNK(st.st_mode)       ? std::optional(Why::Link)
                            : !S_ISDIR(st.st_mode)    ? std::optional(Why::NotAFolder)
                            : st.st_uid != ::getuid() ? std::optional(Why::NotOwned)
                                                      : std::nullopt;
        }
        return part;
    }
    if (part.st.st_uid != ::getuid()) {
        part.distrust = Why::NotOwned;
    } else if ((part.st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        part.distrust = Why::OthersMayWrite;
    }
    return part;
}

// The descriptors of a trusted trash folder, owned: closed with the last record that shows
// them.
struct OwnedTrashDescriptors : TrashDescriptors {
    OwnedTrashDescriptors(UniqueFd folderFd, UniqueFd filesFd, UniqueFd infoFd)
        : TrashDescriptors{folderFd.get(), filesFd.get(), infoFd.get()},
          ownedFolder(std::move(folderFd)),
          ownedFiles(std::move(filesFd)),
          ownedInfo(std::move(infoFd)) {}
    UniqueFd ownedFolder, ownedFiles, ownedInfo;
};

// The trash folder `name` inside the folder open as parentFd, with its files/ and info/ held
// open when all of them may be trusted; else why not, naming the part that failed.
std::variant<std::shared_ptr<const TrashDescriptors>, UntrustedTrash, std::monostate> openTrash(
    int parentFd, const std::string& name, const std::string& path) {
    Opened folder = openOwnFolder(parentFd, name.c_str());
    if (folder.distrust) {
        return UntrustedTrash{path, path, *folder.distrust};
    }
    if (folder.fd.get() < 0) {
        return std::monostate{};
    }
    Opened files = openOwnFolder(folder.fd.get(), "files");
    Opened info = openOwnFolder(folder.fd.get(), "info");
    for (const auto& [part, partName] : {std::pair{&files, "files"}, std::pair{&info, "info"}}) {
        if (part->distrust) {
            return UntrustedTrash{path, stringByAppendingPathComponent(path, partName),
                                  *part->distrust};
        }
    }
    return std::make_shared<const OwnedTrashDescriptors>(std::move(folder.fd), std::move(files.fd),
                                                         std::move(info.fd));
}

// The text of a small regular file of the user's own inside folderFd, never through a link,
// never more than a record holds; nothing for anything else.
std::optional<std::string> smallOwnFile(int folderFd, const std::string& name) {
    constexpr std::size_t kLimit = 1 << 20;
    const UniqueFd fd(::openat(folderFd, name.c_str(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st;
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::getuid() || static_cast<std::size_t>(st.st_size) > kLimit) {
        return std::nullopt;
    }
    std::string text(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    while (got < text.size()) {
        const ssize_t n = ::read(fd.get(), text.data() + got, text.size() - got);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    text.resize(got);
    return text;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The records and directorysizes escape names as URLs do ("%20").
std::string percentDecoded(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            decoded += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// The Path= of a record, decoded; relative paths are relative to the top of the file system
// the trash serves.
std::string originalPathIn(int infoFd, const std::string& record, const std::string& topDir) {
    std::istringstream in(infoFd >= 0 ? smallOwnFile(infoFd, record).value_or("") : "");
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            inSection = line == "[Trash Info]";
        } else if (inSection && line.rfind("Path=", 0) == 0) {
            const std::string path = percentDecoded(line.substr(5));
            return path.empty() || path.front() == '/' || topDir.empty()
                       ? path
                       : stringByAppendingPathComponent(topDir, path);
        }
    }
    return {};
}

// The nearest folder of path that is still there: where its file system is.
std::optional<std::string> nearestExistingFolder(std::string path) {
    while (!path.empty() && path != "/") {
        path = stringByDeletingLastPathComponent(path);
        struct stat st;
        if (!path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            return path;
        }
    }
    return std::nullopt;
}

bool writeAll(int fd, const std::string& text) {
    const int error = transferFully(text.size(), [&](std::uint64_t done, std::uint64_t left) {
        return ::write(fd, text.data() + done, left);
    });
    errno = error;
    return error == 0;
}

// Copies the directorysizes lines read from `in` to `out`, but those of the forgotten
// folders (each line: size, modification time, and the folder's name, percent-encoded). It
// reads and writes in blocks, so memory stays bounded whatever the file's size; a line too
// long to name a folder is copied as it is. Answers 0 or an errno value.
int copyKeptLines(int in, int out, const std::set<std::string>& forgotten, bool& dropped) {
    constexpr std::size_t kBlock = 1 << 16, kLongestName = 4 * 4096;
    std::vector<char> block(kBlock);
    std::string line, kept;
    bool tooLong = false;
    const auto settle = [&] {
        const std::size_t last = line.rfind(' ');
        const std::string name = line.substr(last == std::string::npos ? 0 : last + 1);
        if (!tooLong && last != std::string::npos &&
            forgotten.count(percentDecoded(name.substr(0, name.find('\n'))))) {
            dropped = true;
        } else {
            kept += line;
        }
        line.clear();
    };
    for (;;) {
        const ssize_t n = ::read(in, block.data(), block.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        for (ssize_t i = 0; i < n; ++i) {
            line += block[i];
            if (block[i] == '\n') {
                settle();
                tooLong = false;
            } else if (line.size() > kLongestName) {
                kept += line;
                line.clear();
                tooLong = true;
            }
        }
        if (n == 0 && !line.empty()) {
            line += '\n';
            settle();
        }
        if (n == 0 || kept.size() >= kBlock) {
            if (!writeAll(out, kept)) {
                return errno;
            }
            kept.clear();
        }
        if (n == 0) {
            return 0;
        }
    }
}

}  // namespace

PosixTrashCan::PosixTrashCan() {
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (data != nullptr && data[0] == '/') {
        dataHome_ = data;
    } else if (home != nullptr && home[0] != '\0') {
        dataHome_ = std::string(home) + "/.local/share";
    }
}

TrashFolders PosixTrashCan::trashFolders() const {
    TrashFolders found;
    std::set<std::pair<dev_t, ino_t>> seen;  // a bind mount shows the same trash twice
    auto add = [&](int parentFd, const std::string& name, const std::string& path,
                   const std::string& topDir) {
        struct stat st;
        if (::fstatat(parentFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !seen.insert({st.st_dev, st.st_ino}).second) {
            return;
        }
        auto opened = openTrash(parentFd, name, path);
        if (auto* untrusted = std::get_if<UntrustedTrash>(&opened)) {
            found.passedOver.push_back(std::move(*untrusted));
        } else if (auto* held = std::get_if<std::shared_ptr<const TrashDescriptors>>(&opened)) {
            if (::fstat((*held)->folder, &st) == 0) {
                found.trusted.push_back(
                    {path, topDir, static_cast<std::uint64_t>(st.st_dev), std::move(*held)});
            }
        }
    };
    if (dataHome_) {
        const UniqueFd data(::open(dataHome_->c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        add(data.get(), "Trash", stringByAppendingPathComponent(*dataHome_, "Trash"), "");
    }
    const std::string uid = std::to_string(::getuid());
    for (const std::string& top : mountPoints()) {
        const UniqueFd topFd(::open(top.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (topFd.get() < 0) {
            continue;
        }
        // $topdir/.Trash is shared: only a real folder with the sticky bit is trusted, so that
        // nobody else can plant a folder there for us to shred.
        const std::string shared = stringByAppendingPathComponent(top, ".Trash");
        const std::string mine = stringByAppendingPathComponent(shared, uid);
        const UniqueFd sharedFd(
            ::openat(topFd.get(), ".Trash", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        struct stat st;
        if (sharedFd.get() >= 0 && ::fstat(sharedFd.get(), &st) == 0 &&
            (st.st_mode & S_ISVTX) != 0) {
            add(sharedFd.get(), uid, mine, top);
        } else if (sharedFd.get() >= 0 &&
                   ::fstatat(sharedFd.get(), uid.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
            found.passedOver.push_back({mine, shared, Why::NoStickyBit});
        } else if (::fstatat(topFd.get(), ".Trash", &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                   S_ISLNK(st.st_mode)) {
            found.passedOver.push_back({mine, shared, Why::Link});
        }
        add(topFd.get(), ".Trash-" + uid, stringByAppendingPathComponent(top, ".Trash-" + uid),
            top);
    }
    return found;
}

std::vector<TrashedItem> PosixTrashCan::itemsIn(const TrashFolder& folder) const {
    std::vector<TrashedItem> items;
    const int files = folder.held ? folder.held->files : -1;
    const int info = folder.held ? folder.held->info : -1;
    const FolderHandle entries =
        FolderHandle::withEntries(files >= 0 ? ::fcntl(files, F_DUPFD_CLOEXEC, 0) : -1);
    if (entries.stream() == nullptr) {
        return items;
    }
    ::rewinddir(entries.stream());  // the descriptor is shared with every earlier listing
    while (const dirent* entry = ::readdir(entries.stream())) {
        const std::string name = entry->d_name;
        struct stat st;
        if (name == "." || name == ".." ||
            ::fstatat(files, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        TrashedItem item{name, S_ISDIR(st.st_mode)};
        item.originalPath = originalPathIn(info, name + ".trashinfo", folder.topDir);
        if (const auto from = nearestExistingFolder(item.originalPath)) {
            struct stat there;
            int error = 0;
            if (::stat(from->c_str(), &there) == 0 &&
                static_cast<std::uint64_t>(there.st_dev) != folder.device) {
                item.fromAnotherFileSystem = true;
                const auto facts = fileSystemFacts(*from, error);
                item.originalMount = facts ? facts->mountPoint : *from;
            }
        }
        items.push_back(std::move(item));
    }
    std::sort(items.begin(), items.end(),
              [](const TrashedItem& a, const TrashedItem& b) { return a.name < b.name; });
    return items;
}

bool PosixTrashCan::stillInPlace(const TrashFolder& folder) const {
    const std::string base = folder.topDir.empty() ? dataHome_.value_or("") : folder.topDir;
    const UniqueFd top(::open(base.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    const bool below = folder.path.size() > base.size() && folder.path.rfind(base, 0) == 0;
    const auto parts =
        below ? entries::componentsOf(folder.path.substr(base.size())) : std::nullopt;
    const UniqueFd at =
        parts && top.get() >= 0 ? entries::folderBelow(top.get(), *parts) : UniqueFd();
    const auto same = [](int a, int b) {
        struct stat sa, sb;
        return a < 0 ? b < 0
                     : b >= 0 && ::fstat(a, &sa) == 0 && ::fstat(b, &sb) == 0 && sameFile(sa, sb);
    };
    if (!folder.held || at.get() < 0 || !same(folder.held->folder, at.get())) {
        return false;
    }
    const UniqueFd files(
        ::openat(at.get(), "files", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const UniqueFd info(::openat(at.get(), "info", O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return same(folder.held->files, files.get()) && same(folder.held->info, info.get());
}

int PosixTrashCan::forgetSizes(const TrashFolder& folder, const std::vector<std::string>& names,
                               const std::function<void(int, const std::string&)>& overwriteOld) {
    constexpr const char* kSizes = "directorysizes";
    const int trash = folder.held ? folder.held->folder : -1;
    const UniqueFd old(
        ::openat(trash, kSizes, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st;
    if (old.get() < 0) {
        return errno == ENOENT ? 0 : errno;
    }
    if (::fstat(old.get(), &st) != 0) {
        return errno;
    }
    if (!S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
        return EPERM;
    }
    std::string temporary;
    const UniqueFd fresh(entries::createFresh(trash, std::string(kSizes) + ".", temporary));
    if (fresh.get() < 0) {
        return errno;
    }
    bool dropped = false;
    int error = copyKeptLines(old.get(), fresh.get(),
                              std::set<std::string>(names.begin(), names.end()), dropped);
    // The new list is read as the old one was, and is on the disk before it replaces it.
    if (error == 0 && dropped &&
        (::fchmod(fresh.get(), st.st_mode & 07777) != 0 || ::fsync(fresh.get()) != 0)) {
        error = errno;
    }
    if (error != 0 || !dropped) {
        ::unlinkat(trash, temporary.c_str(), 0);
        return error;
    }
    overwriteOld(trash, kSizes);
    if (::renameat(trash, temporary.c_str(), trash, kSizes) != 0) {
        error = errno;
        ::unlinkat(trash, temporary.c_str(), 0);
        return error;
    }
    // The rename reaches the disk with the folder.
    return ::fsync(trash) == 0 ? 0 : errno;
}
