#pragma once

#include <sys/stat.h>

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

enum class FileType { Regular, Directory, SymbolicLink, Device, Other };

// An item's own attributes: of a link, never of its target.
struct FileAttributes {
    std::uint64_t size = 0;
    FileType type = FileType::Other;
    std::uint64_t linkCount = 1;  // names the item has (hard links)
    std::uint64_t device = 0;     // with inode, which item it is
    std::uint64_t inode = 0;
};

// How far overwriting in place reaches the old data where an item is stored.
enum class StorageReach {
    Reaches,         // shown, never assumed: the file system writes in place, on a spinning
                     // disk attached directly (ATA, SAS) that cannot discard
    MayNotReachAll,  // solid-state or flash devices, journaled data: old copies may remain
    CannotReach,     // copy-on-write, log-structured, snapshots: passes go to new blocks
    NotNeeded,       // memory file systems and devices: nothing reaches a disk
    Unknown,         // network, FUSE and unrecognised file systems; USB, virtual and network
                     // disks, and devices that could not be followed
};

// Of two verdicts on parts of one store, the one to believe: a definite fault before doubt,
// doubt before proof. Memory counts least: nothing of it reaches a disk.
inline StorageReach worseReach(StorageReach a, StorageReach b) {
    const auto rank = [](StorageReach reach) {
        switch (reach) {
            case StorageReach::NotNeeded:
                return 0;
            case StorageReach::Reaches:
                return 1;
            case StorageReach::Unknown:
                return 2;
            case StorageReach::MayNotReachAll:
                return 3;
            case StorageReach::CannotReach:
                return 4;
        }
        return 2;
    };
    return rank(a) >= rank(b) ? a : b;
}

// The storage check's verdict for one file system, with a short reason in words.
struct StorageVerdict {
    StorageReach reach = StorageReach::Unknown;
    std::string fileSystem;  // its type's name: "ext4", "btrfs", ...
    std::string reason;      // why, e.g. "copy-on-write: every pass goes to new blocks"
    bool encrypted = false;  // on a dm-crypt volume: old copies are encrypted
    // The file system overwrites a removed entry's name itself: the walk does not rename first.
    bool removedNamesWiped = false;
    // Which file system and device, where known: for a report that names them.
    std::string mountPoint, device, uuid, model, serial;
};

// Where what programs held in memory may have been written to a disk unencrypted.
struct MemoryOnDisk {
    std::vector<std::string> swapAreas;  // active swap areas, as /proc/swaps names them
    // Where a hibernation image is written ("/dev/sda3"), when it is not one of the swap areas
    // above; empty otherwise.
    std::string hibernationDevice;
};

// Why the walk keeps an item or stops on it: a code, and the errno value behind it where
// there is one. It is put into words in one place, on the way to the display.
enum class ReasonCode {
    SystemError,              // a call of the walk failed with errorNumber
    MountPoint,               // the root of another mount: nothing in it was touched
    NotRemovable,             // it could not be removed afterwards: errorNumber is EACCES,
                              // EROFS, or EPERM for an immutable or append-only flag
    StoppedByRequest,         // a stop was asked for: it stays, and so does the rest
    StoppedInFirstPass,       // stopped before one whole pass: left partly overwritten
    CouldNotExamine,          // what a link leads to could not be looked at (errorNumber)
    CouldNotOverwrite,        // errorNumber
    NoRandomBytes,            // the random device could not be opened (errorNumber)
    ChangedWhileOverwritten,  // it kept growing while it was overwritten
    Unverified,               // the last pass read back differently, or with errorNumber
                              // could not be read back
};
struct Reason {
    ReasonCode code = ReasonCode::SystemError;
    int errorNumber = 0;
};

// Which item it is, whatever its path: its device and inode.
struct ItemIdentity {
    std::uint64_t device = 0, inode = 0;
    auto operator<=>(const ItemIdentity&) const = default;
};

// What the delete walk hands to its handler when it could not remove an item.
struct RemovalError {
    std::string path;  // the item that failed
    Reason reason;
    // The item's identity, when the handler was told of it before: what tells it which one.
    std::optional<ItemIdentity> identity;
};

// The item a delete walk is about to remove, as the walk holds it: file calls reach it as
// the entry `name` of the folder open as folderFd, and nothing is looked up by path again.
struct WalkItem {
    int folderFd;
    const char* name;
    const struct stat& status;  // as the walk examined it, never following a link
    const std::string& path;    // to show
    // Where the file system may keep a removed entry's name, the walk renames the item to
    // random characters just before removing it; where it wipes the name itself, it does not.
    bool renameBeforeRemoval = true;
};

// A folder an enumeration could not read, and why (an errno value).
struct UnreadFolder {
    std::string path;
    int errorNumber = 0;
};

// Walks a folder depth first, at any depth, without descending through symbolic links or
// into another mount.
class DirectoryEnumerator {
public:
    virtual ~DirectoryEnumerator() = default;
    // The next entry's path relative to the folder, or nothing at the end.
    virtual std::optional<std::string> nextObject() = 0;
    // The attributes of the entry nextObject returned last, or nothing.
    virtual std::optional<FileAttributes> fileAttributes() const = 0;
    // The folders whose entries could not be read so far: the count is short by what they
    // hold. Empty when every folder was read.
    virtual const std::vector<UnreadFolder>& unreadFolders() const = 0;
};

// What a symbolic link leads to.
enum class ItemKind { Missing, Directory, NotDirectory, Unexaminable };
struct ItemExamination {
    ItemKind kind = ItemKind::Missing;
    int errorNumber = 0;  // why it is Unexaminable
};

class FileManager;

// What the handler of a delete walk answers for an item announced to it: remove it, keep it
// (reported as a removal error with the reason), or ask again later, for a file whose
// overwrite is still under way. Asked again, it may answer that it removed the file itself.
struct Decision {
    enum class Action { Remove, Keep, Later, Removed };
    Decision() = default;
    // Implicit: a handler answers a reason to keep the item.
    Decision(Reason why) : action(Action::Keep), reason(why) {}
    // The handler says later how the file ended, naming it by handle.
    static Decision later(std::uint64_t handle) {
        Decision decision;
        decision.action = Action::Later;
        decision.handle = handle;
        return decision;
    }
    // The handler removed the file itself.
    static Decision removed() {
        Decision decision;
        decision.action = Action::Removed;
        return decision;
    }
    Action action = Action::Remove;
    Reason reason;
    std::uint64_t handle = 0;  // Later, and the answer for that file: which file it is
};

// The handler of a delete walk.
class RemovalHandler {
public:
    virtual ~RemovalHandler() = default;
    // Called for every item just before the walk removes it.
    virtual Decision fileManagerWillProcessPath(FileManager& manager, const WalkItem& item) = 0;
    // The files answered Later: called once the walk must know how the `count` it announced
    // first of those still under way ended (the oldest, with many under way; all before it
    // leaves a folder that holds some, and at its end), it waits for them and answers Remove,
    // Keep or Removed for each, with the handle its Later answer carried. Removed: the handler
    // removed it through FileManager::removeAnnouncedFile.
    virtual std::vector<Decision> fileManagerFinishItems(FileManager& /*manager*/,
                                                         std::size_t /*count*/) {
        return {};
    }
    // Called when the walk could not remove an item; NO stops the walk at once.
    virtual bool fileManagerShouldProceedAfterError(FileManager& manager,
                                                    const RemovalError& info) = 0;
};

// A folder held open for the paths below it, while it lives: see FileManager::holdFolder.
class FolderHold {
public:
    virtual ~FolderHold() = default;
};

class FileManager {
public:
    virtual ~FileManager() = default;

    // While the answer lives, every path at or below `path` handed to the calls below is
    // reached from the folder open as folderFd (the manager keeps its own copy), one
    // component at a time and never through a link, instead of being looked up by its path:
    // a folder that someone else renames and replaces meanwhile leads nowhere else. For runs
    // whose folders were checked through their descriptors, such as the Trash's.
    virtual std::unique_ptr<FolderHold> holdFolder(const std::string& path, int folderFd) = 0;

    // Whether the current user may remove the item itself (not what a folder holds).
    virtual bool isDeletableFileAtPath(const std::string& path) const = 0;
    // Why the item may not be removed, as an errno value (EACCES, EROFS for a read-only
    // file system, EPERM for an immutable or append-only item or folder), or 0 when it may.
    virtual int removalBlockerAtPath(const std::string& path) const = 0;
    // What overwriting reaches on the file system that holds the item.
    virtual StorageVerdict storageVerdictAtPath(const std::string& path) const = 0;
    // The active swap areas, and the hibernation image's device, that lie on no encrypted
    // device: what programs held in memory may have been written there in the clear.
    virtual MemoryOnDisk unencryptedMemoryCopies() const = 0;
    // The item's attributes, following a final symbolic link only when traverseLink.
    virtual std::optional<FileAttributes> fileAttributesAtPath(const std::string& path,
                                                               bool traverseLink) const = 0;
    virtual std::unique_ptr<DirectoryEnumerator> enumeratorAtPath(
        const std::string& path) const = 0;
    // Whether something exists at path, following a final symbolic link; isDirectory is
    // set only when it does.
    virtual bool fileExistsAtPath(const std::string& path, bool& isDirectory) const = 0;
    // What the symbolic link a walk is announcing leads to: a link to nothing, to itself or
    // to what may not be looked at leads to nothing (Missing).
    virtual ItemExamination examineLinkTarget(const WalkItem& link) const = 0;
    // Removes a file a walk announced and its handler answered Later for, as the walk would
    // (renamed first when renameFirst): from any thread, once the handler is done with it and
    // while the walk still holds its folder, so that removals overlap as the syncs do. 0, or
    // the errno value with the file under its own name again.
    virtual int removeAnnouncedFile(int folderFd, const std::string& name,
                                    bool renameFirst) const = 0;
    // Removes the item and everything inside it, announcing each item to the handler
    // first. YES only when everything was removed.
    virtual bool removeFileAtPath(const std::string& path, RemovalHandler& handler) = 0;
    // Copies a file; never replaces an existing one.
    virtual bool copyPath(const std::string& source, const std::string& destination) = 0;
    // Makes a new owner-only folder from a template ending in placeholder X's and answers
    // its path, or nothing.
    virtual std::optional<std::string> makeUniqueDirectory(const std::string& pathTemplate) = 0;
    // The folder a relative path starts from, from the root; empty when it cannot be told
    // (it was removed).
    virtual std::string currentDirectoryPath() const = 0;
};
