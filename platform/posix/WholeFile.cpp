#include "platform/posix/WholeFile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/UniqueFd.h"
#include "platform/PathString.h"

namespace {

// A file being written: its folder, held open from the check to the rename, its name there,
// and the temporary name it is written under.
struct Pending {
    std::string path;
    UniqueFd folder;
    std::string name, temporary;
};

// Opens the folder of the path (a link on the way to it is the user's own choice of folder)
// and refuses a last name that is a symbolic link. Answers 0 or errno.
int openFolderOf(Pending& file) {
    const std::string folder = stringByDeletingLastPathComponent(file.path);
    file.name = lastPathComponent(file.path);
    file.folder =
        UniqueFd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (file.folder.get() < 0) {
        return errno;
    }
    struct stat status {};
    if (::fstatat(file.folder.get(), file.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        return S_ISLNK(status.st_mode) ? ELOOP : 0;
    }
    return errno == ENOENT ? 0 : errno;
}

int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return put < 0 ? errno : ENOSPC;  // nothing written and no reason: a full disk
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return 0;
}

// A new file of the folder under a random hidden name, owner-only, with the bytes in it and
// synced to the disk. Answers 0 or errno; on failure nothing of it stays.
int writeTemporary(Pending& file, std::string_view bytes) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    UniqueFd out;
    for (int attempt = 0; out.get() < 0 && attempt < 100; ++attempt) {
        unsigned char noise[8];
        if (::getrandom(noise, sizeof noise, 0) != static_cast<ssize_t>(sizeof noise)) {
            return errno != 0 ? errno : EIO;
        }
        file.temporary = ".zurizede-";
        for (const unsigned char n : noise) {
            file.temporary += letters[n % 62];
        }
        out = UniqueFd(::openat(file.folder.get(), file.temporary.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (out.get() < 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (out.get() < 0) {
        return EEXIST;
    }
    // The umask may take more than group and others away; the owner reads and writes.
    int error = ::fchmod(out.get(), 0600) != 0 ? errno : writeAll(out.get(), bytes);
    if (error == 0 && ::fsync(out.get()) != 0) {
        error = errno;
    }
    if (error == 0 && ::close(out.release()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(file.folder.get(), file.temporary.c_str(), 0);
        file.temporary.clear();
    }
    return error;
}

void removeTemporaries(std::vector<Pending>& pending) {
    for (Pending& file : pending) {
        if (!file.temporary.empty()) {
            ::unlinkat(file.folder.get(), file.temporary.c_str(), 0);
        }
    }
}

}  // namespace

std::optional<WholeFileFailure> writeFilesWhole(const std::vector<WholeFileContents>& files) {
    std::vector<Pending> pending(files.size());
    // errno is read as the argument, before anything is removed.
    const auto fail = [&pending](const std::string& path, int error) {
        removeTemporaries(pending);
        return std::optional<WholeFileFailure>(WholeFileFailure{path, error});
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        pending[i].path = files[i].path;
        if (const int error = openFolderOf(pending[i])) {
            return fail(files[i].path, error);
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (const int error = writeTemporary(pending[i], files[i].bytes)) {
            return fail(files[i].path, error);
        }
    }
    // Renaming replaces a link put there meanwhile; it never writes through one.
    for (Pending& file : pending) {
        if (::renameat(file.folder.get(), file.temporary.c_str(), file.folder.get(),
                       file.name.c_str()) != 0) {
            return fail(file.path, errno);
        }
        file.temporary.clear();
        // The new name reaches the disk with the folder; a folder that cannot be synced
        // (EINVAL) is one whose file system has nothing to sync.
        if (::fsync(file.folder.get()) != 0 && errno != EINVAL) {
            return fail(file.path, errno);
        }
    }
    return std::nullopt;
}
