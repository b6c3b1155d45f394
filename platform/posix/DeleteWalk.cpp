#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <memory>
#include <optional>
#include <set>
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

// Files a handler may have under way before the walk asks how the oldest half of them ended:
// enough for the pool's threads to keep the disk busy, few enough that memory and open
// descriptors (one a file) stay bounded.
constexpr std::size_t kMaxPending = 128;
// Folders read to the end whose files are still under way, held open until they are settled
// while the walk goes on into their siblings.
constexpr std::size_t kMaxParked = 8;

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
//
// Files the handler answers Later for stay under way while the walk goes on, into other
// folders too: a folder read to the end whose files are not settled yet is parked, open, and
// left once they are. The walk asks how the oldest ended when too many are under way, and
// how all ended before it leaves a folder that holds or parked any, and at its end.
class DeleteWalk {
public:
    DeleteWalk(FileManager& manager, RemovalHandler& handler)
        : manager_(manager), handler_(handler) {}
    DeleteWalk(const DeleteWalk&) = delete;
    DeleteWalk& operator=(const DeleteWalk&) = delete;
    // Unwound with files under way (out of memory): their removals use the folders held here,
    // so they are waited for before those close.
    ~DeleteWalk() {
        if (!pending_.empty()) {
            try {
                handler_.fileManagerFinishItems(manager_, pending_.size());
            } catch (...) {
            }
        }
    }

    // With heldFolderFd, the top item is the entry heldName of that folder, which is never
    // looked up by path.
    bool run(const std::string& givenPath, int heldFolderFd, const std::string& heldName) {
        const std::string path = withoutTrailingSlashes(givenPath);
        const std::string name = heldFolderFd >= 0 ? heldName : lastPathComponent(path);
        if (path.empty() || path == "/" || name.empty() || name == "." || name == "..") {
            fail(givenPath, systemError(EINVAL), nullptr);
            return false;
        }
        auto top = std::make_unique<Level>();
        top->path = parentFolderOf(path);
        top->folder = FolderHandle(UniqueFd(
            heldFolderFd >= 0 ? ::fcntl(heldFolderFd, F_DUPFD_CLOEXEC, 0)
                              : ::open(top->path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)));
        if (!top->folder.isOpen() || ::fstat(top->folder.fd(), &top->identity) != 0) {
            fail(path, systemError(errno), nullptr);
            return false;
        }
        top->renameFirst = renamesOn(top->folder.fd(), top->identity.st_dev);
        levels_.push_back(std::move(top));
        topPath_ = path;
        if (visit(name.c_str()) == Step::Descended) {
            emptyTrees();
        }
        // A stop leaves no file under way: each is settled by how it ended, and every parked
        // folder is left.
        finishPending(pending_.size());
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
        bool lostEntries = false;       // the walk removed entries: its blocks may hold their names
        bool renameFirst = true;        // its entries are renamed before they are removed
        std::size_t filesUnderWay = 0;  // its files answered Later and not yet settled

        // It stays: the mode the walk widened is given back, through the folder itself.
        void giveOwnModeBack() const {
            if (modeBefore) {
                ::fchmod(folder.fd(), *modeBefore);
            }
        }
    };

    // A file the handler answered Later for, waiting in its folder to be removed or kept.
    struct Pending {
        Level* level;  // on the walk's way down, or parked
        std::string name, path;
        struct stat st;
        std::optional<mode_t> before;
        std::uint64_t handle;  // the handler's, for its answer
    };

    // A folder read to the end whose files are under way, with where its parent stands.
    struct Parked {
        std::unique_ptr<Level> level;
        std::size_t parentAt;
    };

    void emptyTrees() {
        while (levels_.size() > 1 && !stopped_) {
            Level& level = *levels_.back();
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
            // Its siblings go on while its files end; never the top item, nor one whose
            // entries could not all be read, nor one that parked a folder of its own.
            if (error == 0 && level.filesUnderWay > 0 && levels_.size() > 2 &&
                parked_.size() < kMaxParked && !parksHere()) {
                parked_.push_back({std::move(levels_.back()), levels_.size() - 2});
                levels_.pop_back();
                continue;
            }
            if ((level.filesUnderWay > 0 || parksHere()) &&
                finishPending(pending_.size()) == Step::Stop) {
                if (error == 0) {
                    climb(true);  // emptied of all it held, it goes as a waiting folder does
                }
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

    // Whether a folder parked is the innermost level's own: it must be left before that is.
    bool parksHere() const {
        return std::any_of(parked_.begin(), parked_.end(),
                           [this](const Parked& p) { return p.parentAt + 1 >= levels_.size(); });
    }

    // Handles the entry `name` of the innermost level: checks it, announces it, and removes
    // it or, for a folder, goes into it.
    Step visit(const char* name) {
        const std::size_t at = levels_.size() - 1;
        Level& level = *levels_[at];
        const int folderFd = level.folder.fd();
        const std::string path = at == 0 ? topPath_ : level.path + "/" + name;
        Examined item;
        if (int error = examineEntry(folderFd, name, level.identity.st_dev, item)) {
            if (error == ENOENT && at > 0) {
                return Step::Next;  // gone already: nothing left to shred or remove
            }
            return fail(path, systemError(error), name);
        }
        if (!underWay_.empty() && underWay_.count({item.st.st_dev, item.st.st_ino}) != 0) {
            return Step::Next;  // a file of ours being removed, seen under its random name
        }
        if (item.mountRoot) {
            return fail(path, {ReasonCode::MountPoint, 0}, name);
        }
        if (item.flagged) {
            return fail(path, {ReasonCode::NotRemovable, EPERM}, name);
        }
        if (int refused = removalRefused(level, item.st)) {
            return fail(path, {ReasonCode::NotRemovable, refused}, name);
        }
        const std::optional<mode_t> before = grantOwnerAccess(folderFd, name, item.st, me_);
        const Decision decision = handler_.fileManagerWillProcessPath(
            manager_, {folderFd, name, item.st, path, level.renameFirst});
        if (decision.action == Decision::Action::Keep) {
            giveBackMode(folderFd, name, item.st, before);
            return fail(path, decision.reason, name, &item.st);
        }
        if (S_ISDIR(item.st.st_mode)) {
            // A folder that is empty already goes at once, where no rename comes first.
            if (!level.renameFirst && at > 0 && ::unlinkat(folderFd, name, AT_REMOVEDIR) == 0) {
                level.lostEntries = true;
                return Step::Next;
            }
            return descend(name, path, item.st, before);
        }
        if (decision.action == Decision::Action::Later) {
            pending_.push_back({&level, name, path, item.st, before, decision.handle});
            underWay_.insert({item.st.st_dev, item.st.st_ino});
            level.filesUnderWay += 1;
            if (at == 0) {
                return finishPending(pending_.size());
            }
            return pending_.size() >= kMaxPending ? finishPending(kMaxPending / 2) : Step::Next;
        }
        return removeFile(level, name, path, item.st, before);
    }

    // Removes a file the handler is done with, under a random name where it gets one.
    Step removeFile(Level& level, const char* name, const std::string& path, const struct stat& st,
                    const std::optional<mode_t>& before) {
        const int folderFd = level.folder.fd();
        std::string left;
        if (int error = removeFileEntry(folderFd, name, level.renameFirst, noise_, left)) {
            if (left != name) {
                level.passedOver.insert(left);
            }
            giveBackMode(folderFd, name, st, before);
            return fail(path, systemError(error), name, &st, &level);
        }
        level.lostEntries = true;
        return Step::Next;
    }

    // Asks the handler how the `count` oldest files under way ended, removes or keeps each in
    // turn, and leaves the parked folders all of whose files are settled. Stop when one of
    // them stopped the walk; the rest are settled all the same, each by how it ended.
    Step finishPending(std::size_t count) {
        count = std::min(count, pending_.size());
        if (count == 0) {
            return Step::Next;
        }
        std::vector<Pending> settled(std::make_move_iterator(pending_.begin()),
                                     std::make_move_iterator(pending_.begin() + count));
        pending_.erase(pending_.begin(), pending_.begin() + count);
        const std::vector<Decision> decisions = handler_.fileManagerFinishItems(manager_, count);
        Step step = Step::Next;
        for (const Pending& file : settled) {
            // A handler that cannot say how a file ended has it kept.
            const auto answer =
                std::find_if(decisions.begin(), decisions.end(),
                             [&file](const Decision& d) { return d.handle == file.handle; });
            const Decision decision =
                answer != decisions.end() ? *answer : Decision(systemError(EIO));
            Level& level = *file.level;
            level.filesUnderWay -= 1;
            underWay_.erase({file.st.st_dev, file.st.st_ino});
            Step done = Step::Next;
            if (decision.action == Decision::Action::Removed) {
                level.lostEntries = true;
            } else if (decision.action == Decision::Action::Keep) {
                giveBackMode(level.folder.fd(), file.name.c_str(), file.st, file.before);
                done = fail(file.path, decision.reason, file.name.c_str(), &file.st, &level);
            } else {
                done = removeFile(level, file.name.c_str(), file.path, file.st, file.before);
            }
            step = done == Step::Stop ? Step::Stop : step;
        }
        leaveParkedFolders();
        return stopped_ ? Step::Stop : step;
    }

    // The parked folders with nothing under way any more are left, in the order they were
    // parked.
    void leaveParkedFolders() {
        for (auto it = parked_.begin(); it != parked_.end();) {
            if (it->level->filesUnderWay > 0) {
                ++it;
                continue;
            }
            Parked done = std::move(*it);
            it = parked_.erase(it);
            leave(*done.level, done.parentAt, true);
        }
    }

    int removalRefused(Level& level, const struct stat& item) {
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
        const int folderFd = levels_.back()->folder.fd();
        FolderHandle folder = FolderHandle::withEntries(
            openSparingDescriptors([&] { return openExaminedFolder(folderFd, name, st); },
                                   [this] { return spareADescriptor(); }));
        if (!folder.isOpen()) {
            const int error = errno;
            giveBackMode(folderFd, name, st, before);
            return fail(path, systemError(error), name, &st);
        }
        auto level = std::make_unique<Level>();
        level->renameFirst = renamesOn(folder.fd(), st.st_dev);
        level->folder = std::move(folder);
        level->identity = st;
        level->path = path;
        level->name = name;
        level->modeBefore = before;
        levels_.push_back(std::move(level));
        std::size_t open = parked_.size();
        for (const auto& l : levels_) {
            open += l->folder.isOpen();
        }
        // Folders whose files are under way stay open: with none other to close, those files
        // are settled first.
        if (open > kMaxHeldFolders + 1 && !spareADescriptor() &&
            finishPending(pending_.size()) == Step::Next) {
            spareADescriptor();
        }
        return Step::Descended;
    }

    // The innermost folder is read to the end: go up, and remove it when it is empty of all
    // we may remove.
    void climb(bool removeIt) {
        if (!ensureOpen(*levels_[levels_.size() - 2], *levels_.back())) {
            Level& stays = *levels_.back();
            fail(stays.path, systemError(errno), nullptr, &stays.identity);
            stopped_ = true;  // it stands, and gets its mode back with the others
            return;
        }
        std::unique_ptr<Level> done = std::move(levels_.back());
        levels_.pop_back();
        leave(*done, levels_.size() - 1, removeIt);
    }

    // The folder `done`, read to the end and settled, leaves its parent at levels_[parentAt]:
    // the folders waiting in it go, and it goes too when removeIt and it is empty of all we
    // may remove. A folder the walk took entries from waits in its parent. After a stop it
    // stays, with its own mode back, unless it was emptied of all it held (a folder parked
    // while its files ended), as an emptied folder waiting does.
    void leave(Level& done, std::size_t parentAt, bool removeIt) {
        removeWaitingFolders(done);
        if (stopped_ && !(removeIt && done.passedOver.empty())) {
            done.giveOwnModeBack();
            levels_[parentAt]->passedOver.insert(done.name);  // so the parent stays as well
            return;
        }
        Level& parent = *levels_[parentAt];
        if (!ensureOpen(parent, done)) {
            fail(done.path, systemError(errno), nullptr, &done.identity);
            stopped_ = true;
            done.giveOwnModeBack();
            return;
        }
        std::string name = done.name;
        int error = 0;
        if (removeIt && done.passedOver.empty()) {
            if (done.lostEntries && parentAt == 0) {
                // The top item is flushed through its own descriptor: its folder is held for
                // search only, which syncfs refuses. Unflushed, it may still hold the names it
                // lost on the disk: it stays.
                error = ::syncfs(done.folder.fd()) == 0 ? 0 : errno;
            }
            if (error == 0 && parent.renameFirst) {
                name = obscuredName(parent.folder.fd(), done.name.c_str(), noise_);
            }
            if (error == 0 && done.lostEntries && parentAt > 0) {
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
        if (!removeIt || error != 0) {
            done.giveOwnModeBack();
        }
        done.folder.reset();
        if (error != 0) {
            fail(done.path, systemError(error), done.name.c_str(), &done.identity, &parent);
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

    // Makes sure `level` is open, opening it again, if it was closed, as the parent of the
    // open folder `child` (and checked to be the same folder as before).
    bool ensureOpen(Level& level, const Level& child) {
        if (level.folder.isOpen()) {
            return true;
        }
        level.folder = FolderHandle::withEntries(openSparingDescriptors(
            [&] { return openParentFolder(child.folder.fd(), level.identity); },
            [this] { return spareADescriptor(); }));
        return level.folder.isOpen();
    }

    // Closes the shallowest folder held open, never the top item's folder nor the innermost,
    // nor one whose files are under way: their removals need it.
    bool spareADescriptor() {
        for (std::size_t i = 1; i + 1 < levels_.size(); ++i) {
            if (levels_[i]->folder.isOpen() && levels_[i]->filesUnderWay == 0) {
                levels_[i]->folder.reset();
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
            // The innermost is never closed; each above it is reached from the one below.
            if (i + 1 < levels_.size() && !ensureOpen(*levels_[i], *levels_[i + 1])) {
                return;
            }
            removeWaitingFolders(*levels_[i]);
            levels_[i]->giveOwnModeBack();
        }
    }

    // Reports one failure, with the item's identity when the handler was told of it. On NO
    // the walk stops; otherwise it goes on past the failed item, passed over in its folder
    // (`in`, the innermost level when null).
    Step fail(const std::string& path, const Reason& reason, const char* name,
              const struct stat* told = nullptr, Level* in = nullptr) {
        failed_ = true;
        const auto identity = told != nullptr
                                  ? std::optional(ItemIdentity{told->st_dev, told->st_ino})
                                  : std::nullopt;
        // Passed over before the handler is asked: after a stop its folder stays for it too.
        if (name != nullptr && (in != nullptr || !levels_.empty())) {
            (in != nullptr ? *in : *levels_.back()).passedOver.insert(name);
        }
        if (!handler_.fileManagerShouldProceedAfterError(manager_, {path, reason, identity})) {
            stopped_ = true;
            return Step::Stop;
        }
        return Step::Next;
    }

    FileManager& manager_;
    RemovalHandler& handler_;
    const uid_t me_ = ::geteuid();
    // [0] holds the top item; the rest are being emptied. Each level stays where it is while
    // it lives, for the files under way that point to it.
    std::vector<std::unique_ptr<Level>> levels_;
    std::deque<Pending> pending_;      // in the order they were announced
    std::set<ItemIdentity> underWay_;  // theirs: never announced again under another name
    std::vector<Parked> parked_;       // in the order they were parked
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
