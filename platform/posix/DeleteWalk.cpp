#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/FolderHandle.h"
#include "base/UniqueFd.h"
#include "platform/PathString.h"
#include "platform/posix/FolderEntries.h"
#include "platform/posix/StorageCheck.h"

namespace entries {

namespace {

// Files a handler may have under way in one folder before the walk asks how they ended:
// enough for the pool's threads to keep the disk busy, few enough that memory and open
// descriptors (one a file) stay bounded.
constexpr std::size_t kMaxPending = 128;

Reason systemError(int error) {
    return {ReasonCode::SystemError, error};
}

// One walk of removeFileAtPath. It holds the folder of the top item (for search only, so a
// folder we may write but not read still works), and the folders it is emptying, up to
// kMaxHeldFolders of them; a folder it had to close is opened again through "..", checked to
// be the one it left, and read again from the start, where only what is left comes back.
// Before an item is announced, the walk makes sure it may remove it afterwards and that it
// is no mount; permissions it widened are given back on whatever stays.
//
// Where the file system may keep a removed entry's name, each item is renamed to random
// characters just before it is removed; ext4 since Linux 5.13 wipes the name itself, and there
// a rename would only add a journal entry. A removed folder's blocks are freed, and a
// journaling file system such as ext4 never writes a freed block back: whatever names it held
// when it was last written stay on the disk. So an emptied folder waits (under its random
// name, where it gets one) until the folder above it is read to the end; then the file system
// is flushed once, writing the emptied folders without their names, and they are removed.
class DeleteWalk {
public:
    DeleteWalk(FileManager& manager, RemovalHandler& handler)
        : manager_(manager), handler_(handler) {}

    // With heldFolderFd, the top item is the entry heldName of that folder, which is never
    // looked up by path.
    bool run(const std::string& givenPath, int heldFolderFd, const std::string& heldName) {
        const std::string path = withoutTrailingSlashes(givenPath);
        const std::string name = heldFolderFd >= 0 ? heldName : lastPathComponent(path);
        if (path.empty() || path == "/" || name.empty() || name == "." || name == "..") {
            fail(givenPath, systemError(EINVAL), nullptr);
            return false;
        }
        Level top;
        top.path = parentFolderOf(path);
        top.folder = FolderHandle(UniqueFd(
            heldFolderFd >= 0 ? ::fcntl(heldFolderFd, F_DUPFD_CLOEXEC, 0)
                              : ::open(top.path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)));
        if (!top.folder.isOpen() || ::fstat(top.folder.fd(), &top.identity) != 0) {
            fail(path, systemError(errno), nullptr);
            return false;
        }
        top.renameFirst = renamesOn(top.folder.fd(), top.identity.st_dev);
        levels_.push_back(std::move(top));
        topPath_ = path;
        if (visit(name.c_str()) == Step::Descended) {
            emptyTrees();
        }
        // A stop leaves no file under way: each is settled by how it ended.
        finishPending();
        if (stopped_) {
            leaveTheStandingLevels();
        }
        return !failed_;
    }

private:
    enum class Step { Next, Descended, Stop };

    // An emptied folder waiting to be removed, by its random name in the level that holds it.
    struct WaitingFolder {
        std::string path;
        struct stat identity {};
        std::optional<mode_t> modeBefore;
    };

    // A file the handler answered Later for, waiting in its folder to be removed or kept.
    struct Pending {
        std::string name, path;
        struct stat st;
        std::optional<mode_t> before;
        std::uint64_t handle;  // the handler's, for its answer
    };

    struct Level {
        // The folder, closed meanwhile to spare descriptors; with its entries' stream, except
        // for the top item's folder.
        FolderHandle folder;
        struct stat identity {};
        std::string path;
        std::string name;                  // in the folder above
        std::optional<mode_t> modeBefore;  // to give back if it stays
        int removalRefused = -1;           // errno, 0 when its entries may go, -1 not asked yet
        std::unordered_set<std::string> passedOver;              // failures the handler let us skip
        std::unordered_map<std::string, WaitingFolder> waiting;  // by their random names
        bool lostEntries = false;      // the walk removed entries: its blocks may hold their names
        bool renameFirst = true;       // its entries are renamed before they are removed
        std::vector<Pending> pending;  // in the order they were announced
    };

    void emptyTrees() {
        while (levels_.size() > 1 && !stopped_) {
            Level& level = levels_.back();
            errno = 0;
            struct dirent* entry = ::readdir(level.folder.stream());
            if (entry != nullptr) {
                if (!isDotOrDotDot(entry->d_name) &&
                    (level.passedOver.empty() || level.passedOver.count(entry->d_name) == 0) &&
                    (level.waiting.empty() || level.waiting.count(entry->d_name) == 0)) {
                    visit(entry->d_name);
                }
                continue;
            }
            const int error = errno;
            if (finishPending() == Step::Stop) {
                return;
            }
            if (error != 0) {
                if (fail(level.path, systemError(error), nullptr, &level.identity) == Step::Stop) {
                    return;
                }
                climb(false);
            } else {
                climb(true);
            }
        }
    }

    // Handles the entry `name` of the innermost level: checks it, announces it, and removes
    // it or, for a folder, goes into it.
    Step visit(const char* name) {
        const std::size_t at = levels_.size() - 1;
        const int folderFd = levels_[at].folder.fd();
        const std::string path = at == 0 ? topPath_ : levels_[at].path + "/" + name;
        Examined item;
        if (int error = examineEntry(folderFd, name, levels_[at].identity.st_dev, item)) {
            if (error == ENOENT && at > 0) {
                return Step::Next;  // gone already: nothing left to shred or remove
            }
            return fail(path, systemError(error), name);
        }
        if (item.mountRoot) {
            return fail(path, {ReasonCode::MountPoint, 0}, name);
        }
        if (item.flagged) {
            return fail(path, {ReasonCode::NotRemovable, EPERM}, name);
        }
        if (int refused = removalRefused(at, item.st)) {
            return fail(path, {ReasonCode::NotRemovable, refused}, name);
        }
        const std::optional<mode_t> before = grantOwnerAccess(folderFd, name, item.st, me_);
        // The files still under way in this folder are settled before a folder in it is.
        if (S_ISDIR(item.st.st_mode) && finishPending() == Step::Stop) {
            giveBackMode(folderFd, name, item.st, before);
            return Step::Stop;
        }
        const bool renameFirst = levels_[at].renameFirst;
        const Decision decision = handler_.fileManagerWillProcessPath(
            manager_, {folderFd, name, item.st, path, renameFirst});
        if (decision.action == Decision::Action::Keep) {
            giveBackMode(folderFd, name, item.st, before);
            return fail(path, decision.reason, name, &item.st);
        }
        if (S_ISDIR(item.st.st_mode)) {
            // A folder that is empty already goes at once, where no rename comes first.
            if (!renameFirst && at > 0 && ::unlinkat(folderFd, name, AT_REMOVEDIR) == 0) {
                levels_[at].lostEntries = true;
                return Step::Next;
            }
            return descend(name, path, item.st, before);
        }
        if (decision.action == Decision::Action::Later) {
            levels_[at].pending.push_back({name, path, item.st, before, decision.handle});
            return at == 0 || levels_[at].pending.size() >= kMaxPending ? finishPending()
                                                                        : Step::Next;
        }
        return removeFile(at, name, path, item.st, before);
    }

    // Removes a file the handler is done with, under a random name where it gets one.
    Step removeFile(std::size_t at, const char* name, const std::string& path,
                    const struct stat& st, const std::optional<mode_t>& before) {
        const int folderFd = levels_[at].folder.fd();
        std::string left;
        if (int error = removeFileEntry(folderFd, name, levels_[at].renameFirst, noise_, left)) {
            if (left != name) {
                levels_[at].passedOver.insert(left);
            }
            giveBackMode(folderFd, name, st, before);
            return fail(path, systemError(error), name, &st);
        }
        levels_[at].lostEntries = true;
        return Step::Next;
    }

    // Asks the handler how the files waiting in the innermost folder ended, and removes or
    // keeps each in turn. Stop when one of them stopped the walk; the rest are settled all
    // the same, each by how it ended.
    Step finishPending() {
        const std::size_t at = levels_.size() - 1;
        if (levels_[at].pending.empty()) {
            return Step::Next;
        }
        const std::vector<Pending> pending = std::move(levels_[at].pending);
        levels_[at].pending.clear();
        const std::vector<Decision> decisions = handler_.fileManagerFinishItems(manager_);
        Step step = Step::Next;
        for (const Pending& file : pending) {
            // A handler that cannot say how a file ended has it kept.
            const auto answer =
                std::find_if(decisions.begin(), decisions.end(),
                             [&file](const Decision& d) { return d.handle == file.handle; });
            const Decision decision =
                answer != decisions.end() ? *answer : Decision(systemError(EIO));
            Step done = Step::Next;
            if (decision.action == Decision::Action::Removed) {
                levels_[at].lostEntries = true;
            } else if (decision.action == Decision::Action::Keep) {
                giveBackMode(levels_[at].folder.fd(), file.name.c_str(), file.st, file.before);
                done = fail(file.path, decision.reason, file.name.c_str(), &file.st);
            } else {
                done = removeFile(at, file.name.c_str(), file.path, file.st, file.before);
            }
            step = done == Step::Stop ? Step::Stop : step;
        }
        return step;
    }

    int removalRefused(std::size_t at, const struct stat& item) {
        Level& level = levels_[at];
        if (level.removalRefused < 0) {
            level.removalRefused =
                folderRefusesRemoval(level.folder.fd(), level.folder.stream() == nullptr);
        }
        if (level.removalRefused > 0) {
            return level.removalRefused;
        }
        return stickyRuleForbids(level.identity, item, me_) ? EACCES : 0;
    }

    Step descend(const char* name, const std::string& path, const struct stat& st,
                 std::optional<mode_t> before) {
        const int folderFd = levels_.back().folder.fd();
        FolderHandle folder = FolderHandle::withEntries(
            openSparingDescriptors([&] { return openExaminedFolder(folderFd, name, st); },
                                   [this] { return spareADescriptor(); }));
        if (!folder.isOpen()) {
            const int error = errno;
            giveBackMode(folderFd, name, st, before);
            return fail(path, systemError(error), name, &st);
        }
        Level level;
        level.renameFirst = renamesOn(folder.fd(), st.st_dev);
        level.folder = std::move(folder);
        level.identity = st;
        level.path = path;
        level.name = name;
        level.modeBefore = before;
        levels_.push_back(std::move(level));
        std::size_t open = 0;
        for (const Level& l : levels_) {
            open += l.folder.isOpen();
        }
        if (open > kMaxHeldFolders + 1) {
            spareADescriptor();
        }
        return Step::Descended;
    }

    // The innermost folder is read to the end: go up, and remove it when it is empty of all
    // we may remove. A folder the walk took entries from waits in the folder above.
    void climb(bool removeIt) {
        const std::size_t at = levels_.size() - 1;
        removeWaitingFolders(levels_[at]);
        if (stopped_) {
            return;
        }
        if (!ensureOpen(at - 1)) {
            fail(levels_[at].path, systemError(errno), nullptr, &levels_[at].identity);
            stopped_ = true;
            return;
        }
        Level done = std::move(levels_.back());
        levels_.pop_back();
        Level& parent = levels_.back();
        std::string name = done.name;
        int error = 0;
        if (removeIt && done.passedOver.empty()) {
            if (done.lostEntries && levels_.size() == 1) {
                // The top item is flushed through its own descriptor: its folder is held for
                // search only, which syncfs refuses. Unflushed, it may still hold the names it
                // lost on the disk: it stays.
                error = ::syncfs(done.folder.fd()) == 0 ? 0 : errno;
            }
            if (error == 0 && parent.renameFirst) {
                name = obscuredName(parent.folder.fd(), done.name.c_str(), noise_);
            }
            if (error == 0 && done.lostEntries && levels_.size() > 1) {
                parent.waiting[name] = {done.path, done.identity, done.modeBefore};
                parent.lostEntries = true;
                return;
            }
        }
        if (removeIt && error == 0 &&
            ::unlinkat(parent.folder.fd(), name.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT) {
            error = errno;
            if (!restoreName(parent.folder.fd(), name, done.name)) {
                parent.passedOver.insert(name);
            }
        }
        if ((!removeIt || error != 0) && done.modeBefore) {
            ::fchmod(done.folder.fd(), *done.modeBefore);
        }
        done.folder.reset();
        if (error != 0) {
            fail(done.path, systemError(error), done.name.c_str(), &done.identity);
        } else if (removeIt) {
            parent.lostEntries = true;
        }
    }

    // Removes the emptied folders waiting in an open level, after one flush of the file system
    // that writes them without the names they held. One that will not go gets its own name
    // and mode back; where the flush failed, none goes, since each may still hold its names on
    // the disk.
    void removeWaitingFolders(Level& level) {
        if (level.waiting.empty()) {
            return;
        }
        const int fd = level.folder.fd();
        const int flushError = ::syncfs(fd) == 0 ? 0 : errno;
        auto waiting = std::move(level.waiting);
        level.waiting.clear();
        for (const auto& [name, folder] : waiting) {
            if (flushError == 0 &&
                (::unlinkat(fd, name.c_str(), AT_REMOVEDIR) == 0 || errno == ENOENT)) {
                continue;
            }
            const int error = flushError != 0 ? flushError : errno;
            const std::string own = lastPathComponent(folder.path);
            const std::string now = restoreName(fd, name, own) ? own : name;
            level.passedOver.insert(now);
            giveBackMode(fd, now.c_str(), folder.identity, folder.modeBefore);
            if (!stopped_) {  // after a stop the rest still go, but nothing more is asked
                fail(folder.path, systemError(error), nullptr, &folder.identity);
            }
        }
    }

    // Whether entries on the file system of the folder open as fd get random names before they
    // are removed: asked once a file system.
    bool renamesOn(int fd, dev_t device) {
        const auto known = renameOn_.find(device);
        if (known != renameOn_.end()) {
            return known->second;
        }
        return renameOn_[device] = !removedNamesWipedIn(fd);
    }

    // Makes sure level i is open, opening it again from level i + 1 if it was closed.
    bool ensureOpen(std::size_t i) {
        Level& level = levels_[i];
        if (level.folder.isOpen()) {
            return true;
        }
        level.folder = FolderHandle::withEntries(openSparingDescriptors(
            [&] { return openParentFolder(levels_[i + 1].folder.fd(), level.identity); },
            [this] { return spareADescriptor(); }));
        return level.folder.isOpen();
    }

    // Closes the shallowest folder held open, never the top item's folder nor the innermost.
    bool spareADescriptor() {
        for (std::size_t i = 1; i + 1 < levels_.size(); ++i) {
            if (levels_[i].folder.isOpen()) {
                levels_[i].folder.reset();
                return true;
            }
        }
        return false;
    }

    // After a stop, the folders the walk stands in stay: the emptied folders waiting in them
    // are removed, and each gets back the mode it had. Climbs level by level, opening again
    // what was closed, since each is reached from the one below it.
    void leaveTheStandingLevels() {
        for (std::size_t i = levels_.size() - 1; i >= 1; --i) {
            if (!ensureOpen(i)) {
                return;
            }
            removeWaitingFolders(levels_[i]);
            if (levels_[i].modeBefore) {
                ::fchmod(levels_[i].folder.fd(), *levels_[i].modeBefore);
            }
        }
    }

    // Reports one failure, with the item's identity when the handler was told of it. On NO
    // the walk stops; otherwise it goes on past the failed item.
    Step fail(const std::string& path, const Reason& reason, const char* name,
              const struct stat* told = nullptr) {
        failed_ = true;
        const auto identity = told != nullptr
                                  ? std::optional(ItemIdentity{told->st_dev, told->st_ino})
                                  : std::nullopt;
        if (!handler_.fileManagerShouldProceedAfterError(manager_, {path, reason, identity})) {
            stopped_ = true;
            return Step::Stop;
        }
        if (name != nullptr && !levels_.empty()) {
            levels_.back().passedOver.insert(name);
        }
        return Step::Next;
    }

    FileManager& manager_;
    RemovalHandler& handler_;
    const uid_t me_ = ::geteuid();
    std::vector<Level> levels_;  // [0] holds the top item; the rest are being emptied
    NameNoise noise_;
    std::unordered_map<dev_t, bool> renameOn_;  // by device: see renamesOn
    std::string topPath_;
    bool failed_ = false;
    bool stopped_ = false;
};

}  // namespace

bool runDeleteWalk(FileManager& manager, const std::string& path, RemovalHandler& handler,
                   int heldFolderFd, const std::string& heldName) {
    DeleteWalk walk(manager, handler);
    return walk.run(path, heldFolderFd, heldName);
}

}  // namespace entries
