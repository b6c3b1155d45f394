#pragma once

// What the delete walk, the counting enumerator and the file manager's queries share: calls
// on the entries of a folder held open, never following a link.

#include <dirent.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/UniqueFd.h"
#include "platform/FileManager.h"

namespace entries {

// Open folders a walk or a count keeps at most. Past that, or when the process runs out of
// descriptors, the shallowest are closed and opened again when the walk comes back to them.
inline constexpr std::size_t kMaxHeldFolders = 32;

inline constexpr char kNameCharacters[] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The folder a path names its item in: "." for a bare name.
std::string parentFolderOf(const std::string& path);
FileAttributes attributesOf(const struct stat& st);
bool isDotOrDotDot(const char* name);

// An entry's status, never following a link, whether it is the root of a mount (another
// file system, or a folder or file bind-mounted there), and whether a flag forbids its
// removal.
struct Examined {
    struct stat st {};
    bool mountRoot = false;
    bool flagged = false;  // immutable or append-only: it cannot be removed
};
// 0, or the errno value of the failed status read.
int examineEntry(int folderFd, const char* name, dev_t folderDevice, Examined& out);

// Opens the folder `name` inside folderFd without following a link, and only if it is the
// folder that was examined as `expected`.
int openExaminedFolder(int folderFd, const char* name, const struct stat& expected);
// Opens the folder above the one open as childFd, only if it is the one examined as
// `expected`: a tree moved while we were inside it is never left for somewhere else.
int openParentFolder(int childFd, const struct stat& expected);

// Owner read and write (and search, for a folder) for an item the user owns, about to be
// counted or shredded; answers the mode it had, to be given back if the item stays.
std::optional<mode_t> grantOwnerAccess(int folderFd, const char* name, const struct stat& st,
                                       uid_t me);
void giveBackMode(int folderFd, const char* name, const struct stat& st,
                  const std::optional<mode_t>& before);

// Why entries of the folder open as fd cannot be removed by us (an errno value), or 0 where
// the folder allows it: write and search permission, neither immutable nor append-only.
int folderRefusesRemoval(int fd, bool openedForPathOnly);
// EPERM when the item itself is immutable or append-only, which no permission overrides.
int itemRefusesRemoval(int folderFd, const char* name);
// In a sticky folder such as /tmp only the item's or the folder's owner may remove it.
bool stickyRuleForbids(const struct stat& folder, const struct stat& item, uid_t me);

// Random bytes for new names, drawn from the kernel 256 at a time (a request no signal
// interrupts) rather than once per item.
class NameNoise {
public:
    // Answers `length` random bytes (at most 256), or null where none can be had.
    const unsigned char* take(std::size_t length);

private:
    unsigned char pool_[256];
    std::size_t used_ = sizeof pool_;
};

// The components of a relative path, one at a time; nothing, with errno EINVAL, where one is
// "..", which would lead above where the path starts.
std::optional<std::vector<std::string>> componentsOf(const std::string& relative);
// The folder reached from folderFd through each of `parts` in turn, never through a link: its
// descriptor (O_PATH; a copy of folderFd for none), or an empty one with errno set.
UniqueFd folderBelow(int folderFd, const std::vector<std::string>& parts);

// A new owner-only file in folderFd named `prefix` and eight random letters, made exclusively
// and never through a link: its descriptor, with its name in `made`, or -1 with errno set.
int createFresh(int folderFd, const std::string& prefix, std::string& made);

// Renames the entry to as many random letters and digits and answers the name it now has:
// its own where it cannot be renamed.
std::string obscuredName(int folderFd, const char* name, NameNoise& randomBytes);
// Gives an item that stays its own name back; false when it keeps the random one.
bool restoreName(int folderFd, const std::string& now, const std::string& own);
// Removes the file `name` of the folder, renamed to random characters first when renameFirst:
// 0, or the errno value of the failed removal, the file then under its own name again where
// it can be; `left` is the name it has then.
int removeFileEntry(int folderFd, const char* name, bool renameFirst, NameNoise& randomBytes,
                    std::string& left);

// The counting enumerator (DirectoryEnumerator.cpp) of the folder `name` inside folderFd
// (AT_FDCWD and the path itself for a path), shown as path; noFollow refuses a final link.
std::unique_ptr<DirectoryEnumerator> enumerateFolder(const std::string& path, int folderFd,
                                                     const std::string& name, bool noFollow);
// The delete walk (DeleteWalk.cpp) of the item at path; with heldFolderFd, of the entry
// heldName of that folder, which the walk then holds instead of opening path's folder.
bool runDeleteWalk(FileManager& manager, const std::string& path, RemovalHandler& handler,
                   int heldFolderFd = -1, const std::string& heldName = {});

}  // namespace entries
