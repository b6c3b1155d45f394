#include "PosixTrash.h"

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

#include "MountTable.h"
#include "PathString.h"
#include "StorageCheck.h"
#include "base/UniqueFd.h"

namespace {

// A real folder at path, never reached through a final link (nor mounting what an automount
// point stands for).
std::optional<struct stat> folderAt(const std::string& path) {
    struct stat st;
    if (::fstatat(AT_FDCWD, path.c_str(), &st, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT) != 0 ||
        !S_ISDIR(st.st_mode)) {
        return std::nullopt;
    }
    return st;
}

// A folder of the user's own that nobody else may change: a trash folder and its files/ and
// info/ must be, or someone else could plant items there, or swap a folder for a link while
// the confirmation is open, and have the user shred what they never chose.
bool ownFolder(const std::string& path) {
    const auto st = folderAt(path);
    return st && st->st_uid == ::getuid() && (st->st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

// A trash folder whose parts are all the user's own: files/ and info/ where they exist.
bool trustedTrash(const std::string& path) {
    if (!ownFolder(path)) {
        return false;
    }
    for (const char* part : {"/files", "/info"}) {
        struct stat st;
        if (::lstat((path + part).c_str(), &st) == 0 && !ownFolder(path + part)) {
            return false;
        }
    }
    return true;
}

// The text of a small regular file of the user's own, never through a link, never more than
// a record or a list of sizes holds; nothing for anything else.
std::optional<std::string> smallOwnFile(const std::string& path) {
    constexpr std::size_t kLimit = 1 << 20;
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
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
std::string originalPathIn(const std::string& record, const std::string& topDir) {
    std::istringstream in(smallOwnFile(record).value_or(""));
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

std::vector<TrashFolder> PosixTrashCan::trashFolders() const {
    std::vector<TrashFolder> folders;
    std::set<std::pair<dev_t, ino_t>> seen;  // a bind mount shows the same trash twice
    auto add = [&](const std::string& path, const std::string& topDir) {
        const auto st = folderAt(path);
        if (st && trustedTrash(path) && seen.insert({st->st_dev, st->st_ino}).second) {
            folders.push_back({path, topDir, static_cast<std::uint64_t>(st->st_dev)});
        }
    };
    if (dataHome_) {
        add(stringByAppendingPathComponent(*dataHome_, "Trash"), "");
    }
    const std::string uid = std::to_string(::getuid());
    for (const std::string& top : mountPoints()) {
        // $topdir/.Trash is shared: only a real folder with the sticky bit is trusted, so that
        // nobody else can plant a folder there for us to shred.
        const std::string shared = stringByAppendingPathComponent(top, ".Trash");
        const auto sharedFolder = folderAt(shared);
        if (sharedFolder && (sharedFolder->st_mode & S_ISVTX) != 0) {
            add(stringByAppendingPathComponent(shared, uid), top);
        }
        add(stringByAppendingPathComponent(top, ".Trash-" + uid), top);
    }
    return folders;
}

std::vector<TrashedItem> PosixTrashCan::itemsIn(const TrashFolder& folder) const {
    std::vector<TrashedItem> items;
    const std::string filesPath = stringByAppendingPathComponent(folder.path, "files");
    const UniqueFd files(
        ::open(filesPath.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    const int listed = files.get() >= 0 ? ::dup(files.get()) : -1;
    DIR* entries = listed >= 0 ? ::fdopendir(listed) : nullptr;
    if (entries == nullptr) {
        if (listed >= 0) {
            ::close(listed);
        }
        return items;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        struct stat st;
        if (name == "." || name == ".." ||
            ::fstatat(files.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            continue;
        }
        TrashedItem item{name, S_ISDIR(st.st_mode)};
        item.originalPath = originalPathIn(
            stringByAppendingPathComponent(folder.path, "info/" + name + ".trashinfo"),
            folder.topDir);
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
    ::closedir(entries);
    std::sort(items.begin(), items.end(),
              [](const TrashedItem& a, const TrashedItem& b) { return a.name < b.name; });
    return items;
}

int PosixTrashCan::forgetSizes(const TrashFolder& folder, const std::vector<std::string>& names,
                               const std::function<void(const std::string&)>& overwriteOld) {
    const std::string sizes = stringByAppendingPathComponent(folder.path, "directorysizes");
    const std::optional<std::string> list = smallOwnFile(sizes);
    if (!list) {
        return 0;
    }
    std::istringstream in(*list);
    // Each line: size, modification time, and the folder's name, percent-encoded.
    const std::set<std::string> forgotten(names.begin(), names.end());
    std::string kept, line;
    bool dropped = false;
    while (std::getline(in, line)) {
        const std::size_t last = line.rfind(' ');
        if (last != std::string::npos && forgotten.count(percentDecoded(line.substr(last + 1)))) {
            dropped = true;
        } else {
            kept += line + "\n";
        }
    }
    if (!dropped) {
        return 0;
    }
    std::string temporary = sizes + ".XXXXXX";
    const UniqueFd fd(::mkstemp(temporary.data()));
    if (fd.get() < 0) {
        return errno;
    }
    if (::write(fd.get(), kept.data(), kept.size()) != static_cast<ssize_t>(kept.size()) ||
        ::fsync(fd.get()) != 0) {
        const int error = errno != 0 ? errno : EIO;
        ::unlink(temporary.c_str());
        return error;
    }
    overwriteOld(sizes);
    if (::rename(temporary.c_str(), sizes.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        return error;
    }
    return 0;
}
