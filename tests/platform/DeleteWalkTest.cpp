#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

#include "PrivateMounts.h"
#include "TempDir.h"
#include "base/UniqueFd.h"
#include "platform/PathString.h"
#include "platform/posix/PosixFileManager.h"
#include "platform/posix/StorageCheck.h"

namespace {

// While a test listens: the walk's renames within a folder, as (from, to), and the names it
// removed.
struct NameLog {
    std::vector<std::pair<std::string, std::string>> renames;
    std::set<std::string> removed;
};
NameLog* nameLog = nullptr;
std::mutex nameLogLock;  // removals come from other threads too
// While set, a removal on any thread but the walk's waits this long between its rename and
// its unlink, as one does behind a busy journal.
std::atomic<int> slowRemovalsMs{0};
const std::thread::id walkThread = std::this_thread::get_id();

}  // namespace

// Take the C library's place in this program, so that the renames and removals are seen as
// they are made.
extern "C" int renameat2(int fromFd, const char* from, int toFd, const char* to,
                         unsigned flags) noexcept {
    const int result = static_cast<int>(::syscall(SYS_renameat2, fromFd, from, toFd, to, flags));
    const std::lock_guard<std::mutex> lock(nameLogLock);
    if (result == 0 && nameLog != nullptr && fromFd == toFd)
        nameLog->renames.push_back({from, to});
    return result;
}

extern "C" int unlinkat(int fd, const char* name, int flags) noexcept {
    if (slowRemovalsMs > 0 && std::this_thread::get_id() != walkThread)
        std::this_thread::sleep_for(std::chrono::milliseconds(slowRemovalsMs.load()));
    {
        const std::lock_guard<std::mutex> lock(nameLogLock);
        if (nameLog != nullptr)
            nameLog->removed.insert(name);
    }
    return static_cast<int>(::syscall(SYS_unlinkat, fd, name, flags));
}

namespace {

// Records the walk's calls and checks, at each announcement, that the item is still there.
class RecordingHandler : public RemovalHandler {
public:
    Decision fileManagerWillProcessPath(FileManager&, const WalkItem& item) override {
        announced.push_back(item.path);
        struct stat st;
        presentWhenAnnounced = presentWhenAnnounced &&
                               ::fstatat(item.folderFd, item.name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                               sameFile(st, item.status);
        if (onAnnounce)
            onAnnounce(item);
        if (item.path == refuse)
            return Reason{ReasonCode::CouldNotOverwrite, EIO};
        return {};
    }
    bool fileManagerShouldProceedAfterError(FileManager&, const RemovalError& info) override {
        errors.push_back(info);
        return proceed;
    }
    std::vector<std::string> announced;
    std::vector<RemovalError> errors;
    bool presentWhenAnnounced = true;
    bool proceed = false;
    std::string refuse;
    std::function<void(const WalkItem&)> onAnnounce;
};

// Removes the files itself, as the shred run's pool does: each answered Later and removed at
// once on a thread of its own through the manager, while the walk holds its folder; one named
// "keep" is kept (told with the identity it was announced with). Watches how many were under
// way, and from how many folders at once.
class RemovesFilesItself : public RecordingHandler {
public:
    Decision fileManagerWillProcessPath(FileManager& m, const WalkItem& item) override {
        const Decision told = RecordingHandler::fileManagerWillProcessPath(m, item);
        if (!S_ISREG(item.status.st_mode) || told.action != Decision::Action::Remove)
            return told;
        const bool keep = lastPathComponent(item.path) == "keep";
        waiting.push_back(
            {item.path, std::async(std::launch::async,
                                   [&m, keep, fd = item.folderFd, name = std::string(item.name),
                                    rename = item.renameBeforeRemoval] {
                                       return keep ? EIO : m.removeAnnouncedFile(fd, name, rename);
                                   })});
        mostUnderWay = std::max(mostUnderWay, waiting.size());
        std::set<std::string> folders;
        for (const Waiting& w : waiting) folders.insert(stringByDeletingLastPathComponent(w.path));
        mostFolders = std::max(mostFolders, folders.size());
        return Decision::later(++handles);
    }
    std::vector<Decision> fileManagerFinishItems(FileManager&, std::size_t count) override {
        EXPECT_LE(count, waiting.size());
        askedForSome = askedForSome || count < waiting.size();
        std::vector<Decision> answers;
        for (std::size_t i = 0; i < count; ++i) {
            const int error = waiting[i].removal.get();
            answers.push_back(error == 0 ? Decision::removed()
                                         : Decision(Reason{ReasonCode::SystemError, error}));
            answers.back().handle = handles - waiting.size() + i + 1;
        }
        waiting.erase(waiting.begin(), waiting.begin() + static_cast<std::ptrdiff_t>(count));
        // Answered last first: the walk must go by the handles, never by the order.
        std::reverse(answers.begin(), answers.end());
        return answers;
    }
    struct Waiting {
        std::string path;
        std::future<int> removal;
    };
    std::deque<Waiting> waiting;
    std::uint64_t handles = 0;
    std::size_t mostUnderWay = 0, mostFolders = 0;
    bool askedForSome = false;
};

// What the count finds under path, every folder read.
std::set<std::string> countedUnder(const std::string& path) {
    PosixFileManager files;
    std::set<std::string> counted;
    auto entries = files.enumeratorAtPath(path);
    while (auto e = entries->nextObject()) counted.insert(*e);
    EXPECT_TRUE(entries->unreadFolders().empty());
    return counted;
}

// A chain of depth folders from top, each holding a file f and the next folder d.
void makeChain(std::string path, int depth) {
    makeFolder(path);
    for (int i = 0; i < depth; ++i, path += "/d") {
        writeFile(path + "/f", "x");
        makeFolder(path + "/d");
    }
}

// Where the walk renames, on the temporary folder's file system or on /dev/shm (tmpfs, which
// never wipes a removed name): not on ext4 under a kernel that wipes removed names itself.
bool walkRenamesIn(const TempDir& dir) {
    const UniqueFd fd(::open(dir.path().c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    return !removedNamesWipedIn(fd.get());
}

// Every item is announced while it is still there, a folder before what it holds; then it,
// the top one too, is removed, renamed first within its folder to as many random letters and
// digits where the file system may keep removed names, and under its own name where it wipes
// them itself. The handler hears only the real paths; a link is not followed.
TEST(DeleteWalk, AnnouncesEveryItemThenRemovesItUnderARandomNameWhereNamesStay) {
    for (const std::string under : {"", "/dev/shm"}) {
        const TempDir dir = under.empty() ? TempDir() : TempDir(under);
        SCOPED_TRACE(dir.path());
        const bool renames = walkRenamesIn(dir);
        EXPECT_TRUE(renames || under.empty());
        const std::string top = dir / "top-secret";
        for (const char* folder :
             {"top-secret", "top-secret/plans", "top-secret/plans/empty", "out"})
            makeFolder(dir / folder);
        writeFile(top + "/x", "x");  // one character: few names to choose from
        writeFile(top + "/plans/budget.ods", "b");
        writeFile(dir / "out/precious", "p");
        ASSERT_EQ(::symlink((dir / "out").c_str(), (top + "/link").c_str()), 0);
        ASSERT_EQ(::mkfifo((top + "/plans/fifo").c_str(), 0600), 0);
        std::set<std::string> items{top, top + "/x", top + "/link"};
        for (const char* name : {"", "/empty", "/budget.ods", "/fifo"})
            items.insert(top + "/plans" + name);
        PosixFileManager files;
        RecordingHandler handler;
        NameLog seen;
        nameLog = &seen;
        EXPECT_TRUE(files.removeFileAtPath(top, handler));
        nameLog = nullptr;
        EXPECT_FALSE(exists(top));
        EXPECT_TRUE(handler.presentWhenAnnounced);
        EXPECT_TRUE(handler.errors.empty());
        EXPECT_EQ(std::set<std::string>(handler.announced.begin(), handler.announced.end()), items);
        EXPECT_EQ(handler.announced.front(), top);
        EXPECT_EQ(readFile(dir / "out/precious"), "p");
        std::set<std::string> names, renamed, removedAs;
        for (const std::string& item : items) names.insert(lastPathComponent(item));
        for (const auto& [from, to] : seen.renames) {
            renamed.insert(from);
            removedAs.insert(to);
            EXPECT_EQ(to.size(), from.size()) << from;
            EXPECT_NE(to, from);
            EXPECT_TRUE(std::all_of(to.begin(), to.end(), ::isalnum)) << to;
        }
        // Every item, each within its folder, and none removed under its real name; or none
        // renamed at all.
        EXPECT_EQ(renamed, renames ? names : std::set<std::string>{});
        EXPECT_EQ(seen.removed, renames ? removedAs : names);
        RecordingHandler missing;  // what is not there is an error, never a success
        EXPECT_FALSE(files.removeFileAtPath(top, missing));
        ASSERT_EQ(missing.errors.size(), 1u);
        EXPECT_EQ(missing.errors[0].reason.errorNumber, ENOENT);
    }
}

// Walks top/a/f and top/b/f and, when the second file is announced, the first folder then
// waiting, emptied (under a random name where the walk renames), either refuses that file or
// puts an entry in the waiting folder. The walk stops at the first error and keeps what it had
// not reached; a folder already emptied is removed all the same, never left behind under a
// random name. One that gains an entry cannot be removed, and has its own name.
TEST(DeleteWalk, StopsAtFirstErrorAndAWaitingFolderThatGainsAnEntryGetsItsOwnNameBack) {
    for (const auto& [under, gainsAnEntry] : std::vector<std::pair<std::string, bool>>{
             {"", false}, {"", true}, {"/dev/shm", false}, {"/dev/shm", true}}) {
        SCOPED_TRACE(under + (gainsAnEntry ? " gains an entry" : " refused"));
        const TempDir dir = under.empty() ? TempDir() : TempDir(under);
        for (const char* folder : {"top", "top/a", "top/b"}) makeFolder(dir / folder);
        writeFile(dir / "top/a/f", "a");
        writeFile(dir / "top/b/f", "b");
        RecordingHandler handler;
        handler.proceed = gainsAnEntry;
        int seen = 0;
        handler.onAnnounce = [&](const WalkItem& item) {
            if (lastPathComponent(item.path) != "f" || ++seen != 2)
                return;
            if (!gainsAnEntry) {
                handler.refuse = item.path;
                return;
            }
            // The other folder than the one the walk is in: the one waiting.
            const std::string walkingIn =
                lastPathComponent(stringByDeletingLastPathComponent(item.path));
            for (const std::string& e : countedUnder(dir / "top"))
                if (e != walkingIn && e.find('/') == std::string::npos)
                    writeFile(dir / ("top/" + e + "/intruder"), "new");
        };
        EXPECT_FALSE(PosixFileManager().removeFileAtPath(dir / "top", handler));
        ASSERT_EQ(handler.errors.size(), gainsAnEntry ? 2u : 1u);  // the folder, then the top
        if (!gainsAnEntry) {
            EXPECT_EQ(handler.errors[0].path, handler.refuse);
            EXPECT_EQ(handler.errors[0].reason.code, ReasonCode::CouldNotOverwrite);
            EXPECT_EQ(handler.announced.size(),
                      5u);  // top, a folder, its file, the other, its file
            const std::string kept =
                lastPathComponent(stringByDeletingLastPathComponent(handler.refuse));
            EXPECT_EQ(countedUnder(dir / "top"), (std::set<std::string>{kept, kept + "/f"}));
            continue;
        }
        EXPECT_EQ(handler.errors[0].reason.errorNumber, ENOTEMPTY);
        const std::string own = lastPathComponent(handler.errors[0].path);
        EXPECT_EQ(readFile(dir / ("top/" + own + "/intruder")), "new");
        EXPECT_EQ(countedUnder(dir / "top"), (std::set<std::string>{own, own + "/intruder"}));
    }
}

// The walk reaches every item through the folder it holds: a file deeper than PATH_MAX is
// reachable, and a folder swapped, after the walk saw it, for a link to itself or for another
// folder is not entered. Run with /proc and, below, without it.
void walkADeepTreeWithSwappedFolders() {
    TempDir dir;
    makeFolder(dir / "top");
    ::close(makeFoldersDeeperThanPathMax(dir / "top", "deep-file"));
    for (const char* folder : {"top/linked", "top/replaced", "outside"}) makeFolder(dir / folder);
    writeFile(dir / "top/linked/f", "x");
    writeFile(dir / "outside/precious", "p");
    RecordingHandler handler;
    handler.proceed = true;  // past the swapped folders, on to the deep file
    bool deepFileFound = false;
    handler.onAnnounce = [&](const WalkItem& item) {
        if (item.path == dir / "top/linked") {
            ASSERT_EQ(::rename((dir / "top/linked").c_str(), (dir / "moved").c_str()), 0);
            ASSERT_EQ(::symlink((dir / "moved").c_str(), (dir / "top/linked").c_str()), 0);
        }
        if (item.path == dir / "top/replaced") {
            ASSERT_EQ(::rmdir((dir / "top/replaced").c_str()), 0);
            ASSERT_EQ(::rename((dir / "outside").c_str(), (dir / "top/replaced").c_str()), 0);
        }
        if (lastPathComponent(item.path) == "deep-file") {
            EXPECT_GT(item.path.size(), static_cast<std::size_t>(PATH_MAX));
            struct stat st;
            deepFileFound = ::fstatat(item.folderFd, item.name, &st, 0) == 0 &&
                            S_ISREG(st.st_mode) && st.st_size == 6;
        }
    };
    EXPECT_FALSE(PosixFileManager().removeFileAtPath(dir / "top", handler));
    EXPECT_TRUE(deepFileFound);
    EXPECT_EQ(readFile(dir / "moved/f"), "x");
    EXPECT_EQ(readFile(dir / "top/replaced/precious"), "p");
    std::set<std::string> failed;
    for (const RemovalError& error : handler.errors) failed.insert(error.path);
    EXPECT_EQ(failed,
              (std::set<std::string>{dir / "top", dir / "top/linked", dir / "top/replaced"}));
}

TEST(DeleteWalk, ADeepTreeIsReachedAndASwappedFolderIsNotFollowed) {
    walkADeepTreeWithSwappedFolders();
}

// Below a held folder every path is reached from its descriptor: once the path leads
// elsewhere (the folder renamed, a link to somebody's folder in its place), the calls still
// reach the folder held, never what a link leads to; once the hold goes, a path is a path.
TEST(DeleteWalk, PathsBelowAHeldFolderAreReachedFromItAfterASwap) {
    TempDir dir;
    PosixFileManager files;
    for (const char* folder :
         {"trash", "trash/files", "trash/files/folder", "victim", "victim/folder"}) {
        makeFolder(dir / folder);
    }
    writeFile(dir / "trash/files/folder/inner", "in the trash");
    writeFile(dir / "trash/files/item", "in the trash");
    writeFile(dir / "victim/item", "mine");
    writeFile(dir / "victim/folder/inner", "mine");
    ASSERT_EQ(::symlink((dir / "victim").c_str(), (dir / "trash/files/link").c_str()), 0);
    const UniqueFd held(::open((dir / "trash/files").c_str(), O_RDONLY | O_DIRECTORY));
    auto hold = files.holdFolder(dir / "trash/files", held.get());
    ASSERT_EQ(::rename((dir / "trash").c_str(), (dir / "moved").c_str()), 0);
    makeFolder(dir / "evil");
    ASSERT_EQ(::symlink((dir / "victim").c_str(), (dir / "evil/files").c_str()), 0);
    ASSERT_EQ(::symlink("evil", (dir / "trash").c_str()), 0);

    struct stat inTrash;
    ASSERT_EQ(::lstat((dir / "moved/files/item").c_str(), &inTrash), 0);
    const auto item = files.fileAttributesAtPath(dir / "trash/files/item", false);
    EXPECT_TRUE(item && item->inode == inTrash.st_ino);
    EXPECT_FALSE(files.fileAttributesAtPath(dir / "trash/files/link/item", false));
    auto entries = files.enumeratorAtPath(dir / "trash/files/folder");
    EXPECT_EQ(entries->nextObject(), "inner");
    EXPECT_TRUE(entries->unreadFolders().empty());
    RecordingHandler handler;
    EXPECT_TRUE(files.removeFileAtPath(dir / "trash/files/item", handler));
    EXPECT_TRUE(files.removeFileAtPath(dir / "trash/files/folder", handler));
    // Not reached from the held folder ("..") is not reached at all, never by its path.
    EXPECT_FALSE(files.removeFileAtPath(dir / "trash/files/folder/../item", handler));
    EXPECT_EQ(readFile(dir / "victim/item"), "mine");
    EXPECT_EQ(readFile(dir / "victim/folder/inner"), "mine");
    bool isDirectory = false;
    EXPECT_FALSE(files.fileExistsAtPath(dir / "trash/files/item", isDirectory));
    EXPECT_FALSE(exists(dir / "moved/files/folder"));
    hold.reset();
    EXPECT_TRUE(files.fileExistsAtPath(dir / "trash/files/item", isDirectory));
}

// Without /proc (a chroot, a rescue shell, a small container) the same holds.
TEST(DeleteWalkAtTheEdges, WithoutProcEveryItemIsReachedThroughTheHeldFolder) {
    RUN_IN_PRIVATE_MOUNTS(true, [] {
        ASSERT_NE(::access("/proc/self/fd", F_OK), 0);
        walkADeepTreeWithSwappedFolders();
    });
}

// Whatever is the root of a mount inside the selection stays whole, and the walk stops on it;
// so does a selection that is itself the root of a mount.
TEST(DeleteWalkAtTheEdges, MountsAreNeitherEnteredNorOverwrittenNorRemoved) {
    enum Kind { OtherFileSystem, BoundFolder, BoundFile, TopIsAMount };
    for (Kind kind : {OtherFileSystem, BoundFolder, BoundFile, TopIsAMount}) {
        SCOPED_TRACE(kind);
        TempDir dir;
        makeFolder(dir / "top");
        makeFolder(dir / "outside");
        writeFile(dir / "outside/precious", "precious");
        const std::string mountPoint = dir / (kind == TopIsAMount ? "top" : "top/mnt");
        if (kind == BoundFile)
            writeFile(mountPoint, "covered");
        else if (kind != TopIsAMount)
            makeFolder(mountPoint);
        RUN_IN_PRIVATE_MOUNTS(false, [&] {
            if (kind == BoundFolder || kind == BoundFile) {
                bindMount(dir / (kind == BoundFile ? "outside/precious" : "outside"), mountPoint);
            } else {
                mountTmpfs(mountPoint);
                writeFile(mountPoint + "/precious", "precious");
            }
            const std::set<std::string> counted = countedUnder(dir / "top");
            RecordingHandler handler;
            EXPECT_FALSE(PosixFileManager().removeFileAtPath(dir / "top", handler));
            ASSERT_EQ(handler.errors.size(), 1u);
            EXPECT_EQ(handler.errors[0].path, mountPoint);
            EXPECT_EQ(handler.errors[0].reason.code, ReasonCode::MountPoint);
            EXPECT_EQ(readFile(kind == BoundFile ? mountPoint : mountPoint + "/precious"),
                      "precious");
            if (kind == TopIsAMount) {
                EXPECT_TRUE(handler.announced.empty());  // refused before anything is touched
            } else {
                EXPECT_EQ(handler.announced, std::vector<std::string>{dir / "top"});
                EXPECT_EQ(counted, std::set<std::string>{"mnt"});  // counted, but not entered
            }
        });
    }
}

// A sticky folder such as /tmp lets only an item's owner remove it: another person's file
// there is never overwritten, even where its permissions would let us write it.
TEST(DeleteWalkAtTheEdges, AnotherPersonsFileInAStickyFolderIsLeftUntouched) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a file of another user";
    TempDir dir;
    makeFolder(dir / "top");
    makeFolder(dir / "top/sticky");
    ASSERT_EQ(::chmod((dir / "top/sticky").c_str(), 01777), 0);
    writeFile(dir / "top/sticky/theirs", "theirs");
    ASSERT_EQ(::chmod((dir / "top/sticky/theirs").c_str(), 0666), 0);
    AsOrdinaryUser user;
    PosixFileManager files;
    EXPECT_FALSE(files.isDeletableFileAtPath(dir / "top/sticky/theirs"));
    RecordingHandler handler;
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));
    ASSERT_EQ(handler.errors.size(), 1u);
    EXPECT_EQ(handler.errors[0].path, dir / "top/sticky/theirs");
    EXPECT_EQ(handler.errors[0].reason.code, ReasonCode::NotRemovable);
    EXPECT_EQ(handler.errors[0].reason.errorNumber, EACCES);
    EXPECT_EQ(handler.announced, (std::vector<std::string>{dir / "top", dir / "top/sticky"}));
    EXPECT_EQ(readFile(dir / "top/sticky/theirs"), "theirs");
}

mode_t modeOf(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Permissions the walk widens to do its work are given back on whatever stays, and a file
// whose inode has another name is never widened; the count opens up an owner-only folder as
// the walk will, and closes it again.
TEST(DeleteWalkAtTheEdges, WidenedPermissionsAreGivenBackOnWhatStays) {
    TempDir dir;
    AsOrdinaryUser user;
    for (const char* folder : {"top", "top/kept", "top/closed"}) makeFolder(dir / folder);
    writeFile(dir / "top/kept/stop-here", "x");
    writeFile(dir / "top/kept/shared", "shared");
    ASSERT_EQ(::link((dir / "top/kept/shared").c_str(), (dir / "other-name").c_str()), 0);
    writeFile(dir / "top/closed/a", "1234");
    const std::pair<const char*, mode_t> modes[] = {
        {"other-name", 0400}, {"top/closed", 0000}, {"top/kept", 0500}, {"top", 0500}};
    for (const auto& [path, mode] : modes) ASSERT_EQ(::chmod((dir / path).c_str(), mode), 0);
    EXPECT_EQ(
        countedUnder(dir / "top"),
        (std::set<std::string>{"kept", "kept/stop-here", "kept/shared", "closed", "closed/a"}));
    EXPECT_EQ(modeOf(dir / "top/closed"), 0000u);
    PosixFileManager files;
    RecordingHandler handler;
    handler.refuse = dir / "top/kept/stop-here";
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));
    ASSERT_EQ(handler.errors.size(), 1u);
    EXPECT_EQ(modeOf(dir / "top"), 0500u);
    EXPECT_EQ(modeOf(dir / "top/kept"), 0500u);
    EXPECT_EQ(modeOf(dir / "other-name"), 0400u);
    EXPECT_TRUE(!exists(dir / "top/closed") || modeOf(dir / "top/closed") == 0000u);
}

// A tree shredded on ext4 leaves its names in the journal only: the folders were written
// again without them before their blocks were freed, which a removal alone never does; the
// files removed by the handler's own thread, as the shred run removes small files.
TEST(DeleteWalkAtTheEdges, OnExt4NoNameOfAShreddedTreeIsLeftOutsideTheJournal) {
    if (::geteuid() != 0 || ::access("/dev/loop-control", W_OK) != 0)
        GTEST_SKIP() << "needs root and loop devices to mount an ext4 image";
    TempDir dir;
    const std::string image = dir / "ext4.img", mnt = dir / "mnt", marker = "Kq7vQ-payroll";
    makeFolder(mnt);
    ASSERT_TRUE(sh("truncate -s 32M '" + image + "' && mkfs.ext4 -q -F -b 4096 '" + image + "'"));
    RUN_IN_PRIVATE_MOUNTS(false, [&] {
        ASSERT_TRUE(sh("mount -o loop '" + image + "' '" + mnt + "'"));
        const std::string top = mnt + "/" + marker + "-top";
        makeFolder(top);
        for (int f = 0; f < 5; ++f) {
            const std::string folder = top + "/" + marker + "-folder-" + std::to_string(f);
            makeFolder(folder);
            for (int i = 0; i < 10; ++i)
                writeFile(folder + "/" + marker + "-" + std::to_string(i) + ".ods", "c");
        }
        ::sync();
        RemovesFilesItself handler;
        NameLog seen;
        nameLog = &seen;
        EXPECT_TRUE(PosixFileManager().removeFileAtPath(top, handler));
        nameLog = nullptr;
        EXPECT_TRUE(handler.errors.empty());
        // Renamed first only where the kernel does not wipe the names itself.
        struct utsname system;
        ASSERT_EQ(::uname(&system), 0);
        EXPECT_EQ(seen.renames.empty(), removedNamesWiped("ext4", system.release));
        EXPECT_EQ(::umount(mnt.c_str()), 0);
    });
    ASSERT_TRUE(sh("debugfs -R 'blocks <8>' '" + image + "' >'" + dir / "journal'"));
    std::set<std::size_t> journal;
    std::istringstream blocks(readFile(dir / "journal"));
    for (std::size_t block; blocks >> block;) journal.insert(block);
    ASSERT_FALSE(journal.empty());
    const std::string raw = readFile(image);
    int inJournal = 0, outside = 0;
    for (auto at = raw.find(marker); at != std::string::npos; at = raw.find(marker, at + 1))
        ++(journal.count(at / 4096) != 0 ? inJournal : outside);
    EXPECT_GT(inJournal, 0);  // the scan finds the names where they are
    EXPECT_EQ(outside, 0);
}

// A file the handler removes itself but cannot (its folder closed to us after it was
// announced) keeps its own name and is reported as kept; the walk stops there.
TEST(DeleteWalk, AFileTheHandlerCouldNotRemoveKeepsItsOwnName) {
    for (const std::string under : {"", "/dev/shm"}) {
        const TempDir dir = under.empty() ? TempDir() : TempDir(under);
        SCOPED_TRACE(dir.path());
        AsOrdinaryUser user;
        makeFolder(dir / "top");
        writeFile(dir / "top/secret", "s");
        RemovesFilesItself handler;
        handler.onAnnounce = [&](const WalkItem& item) {
            if (S_ISREG(item.status.st_mode)) {
                ASSERT_EQ(::chmod((dir / "top").c_str(), 0500), 0);
            }
        };
        EXPECT_FALSE(PosixFileManager().removeFileAtPath(dir / "top", handler));
        ASSERT_EQ(handler.errors.size(), 1u);
        EXPECT_EQ(handler.errors[0].path, dir / "top/secret");
        EXPECT_EQ(handler.errors[0].reason.errorNumber, EACCES);
        ASSERT_TRUE(handler.errors[0].identity.has_value());
        EXPECT_EQ(readFile(dir / "top/secret"), "s");
        ::chmod((dir / "top").c_str(), 0700);
        EXPECT_EQ(countedUnder(dir / "top"), std::set<std::string>{"secret"});
    }
}

// Files of sibling folders are under way together, a folder read to the end waiting open for
// its own; with many under way the walk asks how the oldest ended, never letting more than a
// bounded number go on. A file kept stops the walk: its folder stays with it, every other
// file announced is gone, no emptied folder is left behind, and what was never announced is
// untouched.
TEST(DeleteWalk, FilesOfSiblingFoldersAreUnderWayTogetherAndAKeptOneStillStopsTheWalk) {
    for (const bool keepOne : {false, true}) {
        SCOPED_TRACE(keepOne ? "one kept" : "all removed");
        TempDir dir;
        makeFolder(dir / "top");
        for (int d = 0; d < 12; ++d) {
            const std::string folder = dir / ("top/d" + std::to_string(d));
            makeFolder(folder);
            for (int f = 0; f < (d == 0 ? 300 : 20); ++f)
                writeFile(folder + "/f" + std::to_string(f), "x");
        }
        if (keepOne)
            writeFile(dir / "top/d7/keep", "kept");
        RemovesFilesItself handler;
        EXPECT_EQ(PosixFileManager().removeFileAtPath(dir / "top", handler), !keepOne);
        EXPECT_TRUE(handler.waiting.empty());  // every file settled
        EXPECT_LE(handler.mostUnderWay, 128u);
        EXPECT_TRUE(handler.askedForSome);  // the 300 of d0 are never all under way
        if (!keepOne) {
            EXPECT_FALSE(exists(dir / "top"));
            EXPECT_GE(handler.mostFolders, 3u);
            continue;
        }
        ASSERT_EQ(handler.errors.size(), 1u);
        EXPECT_EQ(handler.errors[0].path, dir / "top/d7/keep");
        EXPECT_EQ(readFile(dir / "top/d7/keep"), "kept");
        struct stat kept;
        ASSERT_EQ(::lstat((dir / "top/d7/keep").c_str(), &kept), 0);
        EXPECT_EQ(handler.errors[0].identity, (ItemIdentity{kept.st_dev, kept.st_ino}));
        const std::set<std::string> announced(handler.announced.begin(), handler.announced.end());
        for (const std::string& left : countedUnder(dir / "top")) {
            const std::string path = dir / ("top/" + left);
            struct stat st;
            ASSERT_EQ(::lstat(path.c_str(), &st), 0) << path;
            if (S_ISDIR(st.st_mode)) {
                EXPECT_FALSE(countedUnder(path).empty()) << path << " left behind empty";
            } else if (path != dir / "top/d7/keep") {
                EXPECT_EQ(announced.count(path), 0u) << path << " announced, yet it stayed";
            }
        }
    }
}

// A folder the walk closed to spare descriptors, that cannot be opened again through ".."
// of the one it climbs from (moved away meanwhile): the walk stops there, and the folder it
// stands in gets its mode back.
TEST(DeleteWalk, AFolderThatCannotBeOpenedAgainStopsTheWalkAndGetsItsModeBack) {
    TempDir dir;
    makeChain(dir / "top", 40);
    ASSERT_EQ(::chmod((dir / "top/d").c_str(), 0555), 0);
    RecordingHandler handler;
    bool moved = false;
    handler.onAnnounce = [&](const WalkItem& item) {
        if (!moved && item.path.size() > (dir / "top").size() + 2 * 36)  // deep below top/d
            moved = ::rename((dir / "top/d").c_str(), (dir / "moved").c_str()) == 0;
    };
    EXPECT_FALSE(PosixFileManager().removeFileAtPath(dir / "top", handler));
    ASSERT_TRUE(moved);
    EXPECT_EQ(handler.errors.size(), 1u);
    EXPECT_TRUE(exists(dir / "top"));
    EXPECT_EQ(modeOf(dir / "moved"), 0555u);
    ::chmod((dir / "moved").c_str(), 0755);
}

// A folder parked with its files under way, in a folder parked in turn: each told once,
// nothing left unsettled. (A file kept in a parked folder: the test above.)
TEST(DeleteWalk, AParkedFolderInsideAParkedFolder) {
    TempDir dir;
    for (const char* folder : {"top", "top/a", "top/a/b"}) makeFolder(dir / folder);
    writeFile(dir / "top/a/f", "x");
    writeFile(dir / "top/a/b/g", "x");
    RemovesFilesItself handler;
    EXPECT_TRUE(PosixFileManager().removeFileAtPath(dir / "top", handler));
    EXPECT_TRUE(handler.errors.empty() && handler.waiting.empty());
    EXPECT_FALSE(exists(dir / "top"));
}

// A file removed on another thread, renamed first and unlinked a moment later, is never
// announced again under its random name, on ext3, where a folder read shows names added
// while it is read.
TEST(DeleteWalkAtTheEdges, AFileBeingRemovedOnAnotherThreadIsNotAnnouncedAgain) {
    if (::geteuid() != 0 || ::access("/dev/loop-control", W_OK) != 0)
        GTEST_SKIP() << "needs root and loop devices to mount an ext3 image";
    TempDir dir;
    const std::string image = dir / "ext3.img", mnt = dir / "mnt";
    makeFolder(mnt);
    ASSERT_TRUE(sh("truncate -s 64M '" + image + "' && mkfs.ext3 -q -F '" + image + "'"));
    RUN_IN_PRIVATE_MOUNTS(false, [&] {
        ASSERT_TRUE(sh("mount -t ext3 -o loop '" + image + "' '" + mnt + "'"));
        makeFolder(mnt + "/top");
        for (int f = 0; f < 4000; ++f) writeFile(mnt + "/top/f" + std::to_string(f), "x");
        RemovesFilesItself handler;
        slowRemovalsMs = 50;
        EXPECT_TRUE(PosixFileManager().removeFileAtPath(mnt + "/top", handler));
        slowRemovalsMs = 0;
        EXPECT_EQ(handler.announced.size(), 4001u);  // the folder and its files, once each
        EXPECT_TRUE(handler.errors.empty());
        EXPECT_EQ(::umount(mnt.c_str()), 0);
    });
}

// The descriptors this process holds open.
std::size_t openDescriptors() {
    const auto listed = std::filesystem::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(listed), end(listed)));
}

// Every folder a walk or a count opened is closed when it ends: read to the end, stopped by
// an error deep inside, or dropped halfway with a folder it was about to go into. With few
// descriptors to spare as well, the count stays exact and the walk still removes it all.
TEST(DeleteWalkAtTheEdges, NoFolderStaysOpenWhenAWalkOrACountEndsHoweverFewDescriptorsAreLeft) {
    const std::string deep = "/d/d/d/f";
    const std::pair<const char*, std::function<void(const std::string&)>> cases[] = {
        {"a whole walk",
         [](const std::string& top) {
             RecordingHandler handler;
             EXPECT_TRUE(PosixFileManager().removeFileAtPath(top, handler));
             EXPECT_TRUE(handler.errors.empty());
             EXPECT_FALSE(exists(top));
         }},
        {"a walk stopped deep inside",
         [&](const std::string& top) {
             RecordingHandler handler;
             handler.refuse = top + deep;
             EXPECT_FALSE(PosixFileManager().removeFileAtPath(top, handler));
         }},
        {"a whole count",
         [](const std::string& top) { EXPECT_EQ(countedUnder(top).size(), 200u); }},
        {"a count dropped halfway",
         [](const std::string& top) {
             PosixFileManager files;
             auto entries = files.enumeratorAtPath(top);
             int folders = 0;
             while (auto e = entries->nextObject())
                 if (e->ends_with("/d") && ++folders == 3)
                     break;
             EXPECT_EQ(folders, 3);
         }},
    };
    struct rlimit plenty;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &plenty), 0);
    for (const rlim_t limit : {plenty.rlim_cur, rlim_t{32}}) {
        for (const auto& [name, run] : cases) {
            TempDir dir;
            makeChain(dir / "top", 100);
            const std::size_t before = openDescriptors();
            const struct rlimit now = {limit, plenty.rlim_max};
            ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &now), 0);
            run(dir / "top");
            ::setrlimit(RLIMIT_NOFILE, &plenty);
            EXPECT_EQ(openDescriptors(), before) << name << ", with " << limit << " descriptors";
        }
    }
}

}  // namespace
