#include "platform/posix/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/Transfer.h"
#include "base/UniqueFd.h"
#include "platform/PathString.h"
#include "platform/posix/FolderEntries.h"

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

// A new file of the folder under a random hidden name, owner-only, with the bytes in it and
// synced to the disk. Answers 0 or errno; on failure nothing of it stays.
int writeTemporary(Pending& file, std::string_view bytes) {
    UniqueFd out(entries::createFresh(file.folder.get(), ".zurizede-", file.temporary));
    if (out.get() < 0) {
        file.temporary.clear();
        return errno;
    }
    // The umask may take more than group and others away; the owner reads and writes.
    int error = ::fchmod(out.get(), 0600) != 0 ? errno : 0;
    if (error == 0) {  // nothing written and no reason given: a full disk
        error = transferFully(
            bytes.size(),
            [&](std::uint64_t done, std::uint64_t left) {
                return ::write(out.get(), bytes.data() + done, left);
            },
            ENOSPC);
    }
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
