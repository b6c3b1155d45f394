#include <gtest/gtest.h>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cctype>
#include <climits>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>

#include <sys/resource.h>

#include <algorithm>

#include "PathString.h"
#include "PosixFileManager.h"
#include "PrivateMounts.h"
#include "TempDir.h"
#include "ZVUtility.h"
#include "base/UniqueFd.h"

namespace {

// Records the walk's calls and checks, at each announcement, that the item is still there.
class RecordingHandler : public RemovalHandler {
public:
    std::optional<Reason> fileManagerWillProcessPath(FileManager&, const WalkItem& item) override {
        announced.push_back(item.path);
        struct stat st;
        presentWhenAnnounced = presentWhenAnnounced &&
                               ::fstatat(item.folderFd, item.name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                               sameFile(st, item.status);
        if (onAnnounce)
            onAnnounce(item);
        if (item.path == refuse)
            return Reason{ReasonCode::CouldNotOverwrite, EIO};
        return std::nullopt;
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

// What inotify saw in some folders: each rename as (from, to), and each path removed.
struct EntryEvents {
    std::vector<std::pair<std::string, std::string>> renames;
    std::set<std::string> removed;
};

class EntryWatch {
public:
    explicit EntryWatch(const std::vector<std::string>& folders)
        : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        for (const std::string& folder : folders) {
            folders_[::inotify_add_watch(fd_, folder.c_str(),
                                         IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE)] = folder;
        }
    }
    ~EntryWatch() { ::close(fd_); }
    EntryEvents events() {  // what happened since it was made
        EntryEvents seen;
        std::map<std::uint32_t, std::string> movedFrom;
        alignas(struct inotify_event) char buffer[1 << 16];
        for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + got;) {
                const auto* event = reinterpret_cast<const struct inotify_event*>(at);
                at += sizeof *event + event->len;
                const std::string path = folders_[event->wd] + "/" + event->name;
                if ((event->mask & IN_MOVED_FROM) != 0) {
                    movedFrom[event->cookie] = path;
                } else if ((event->mask & IN_MOVED_TO) != 0) {
                    seen.renames.push_back({movedFrom[event->cookie], path});
                } else if ((event->mask & IN_DELETE) != 0) {
                    seen.removed.insert(path);
                }
            }
        }
        return seen;
    }

private:
    int fd_;
    std::map<int, std::string> folders_;
};

// Every item is announced while it is still there, a folder before what it holds; then it,
// the top one too, is renamed within its folder to as many random letters and digits and
// removed under that name. The handler hears only the real paths; a link is not followed.
TEST(DeleteWalk, AnnouncesEveryItemThenRemovesItUnderARandomNameOfTheSameLength) {
    TempDir dir;
    const std::string top = dir / "top-secret";
    makeFolder(top);
    makeFolder(top + "/plans");
    makeFolder(top + "/plans/empty");
    writeFile(top + "/x", "x");  // one character: few names to choose from
    writeFile(top + "/plans/budget.ods", "b");
    ASSERT_EQ(::symlink("/etc/passwd", (top + "/link").c_str()), 0);
    ASSERT_EQ(::mkfifo((top + "/plans/fifo").c_str(), 0600), 0);
    std::set<std::string> items{top, top + "/x", top + "/link"};
    for (const char* name : {"", "/empty", "/budget.ods", "/fifo"})
        items.insert(top + "/plans" + name);
    EntryWatch watch({dir.path(), top, top + "/plans", top + "/plans/empty"});
    PosixFileManager files;
    RecordingHandler handler;
    EXPECT_TRUE(files.removeFileAtPath(top, handler));
    EXPECT_FALSE(exists(top));
    EXPECT_TRUE(handler.presentWhenAnnounced);
    EXPECT_TRUE(handler.errors.empty());
    EXPECT_EQ(std::set<std::string>(handler.announced.begin(), handler.announced.end()), items);
    EXPECT_EQ(handler.announced.front(), top);
    EXPECT_TRUE(exists("/etc/passwd"));
    const EntryEvents seen = watch.events();
    std::set<std::string> renamed, removedAs;
    for (const auto& [from, to] : seen.renames) {
        renamed.insert(from);
        removedAs.insert(to);
        const std::string name = lastPathComponent(to);
        EXPECT_EQ(stringByDeletingLastPathComponent(to), stringByDeletingLastPathComponent(from));
        EXPECT_EQ(name.size(), lastPathComponent(from).size()) << from;
        EXPECT_NE(name, lastPathComponent(from));
        EXPECT_TRUE(std::all_of(name.begin(), name.end(), ::isalnum)) << name;
    }
    EXPECT_EQ(renamed, items);
    EXPECT_EQ(seen.removed, removedAs);  // nothing was removed under its real name
}

// Where renaming is refused outright, as in a sandbox whose system-call filter predates
// renameat2, every item is removed all the same, under its own name.
TEST(DeleteWalk, ItemsThatCannotBeRenamedAreRemovedUnderTheirOwnNames) {
    TempDir dir;
    const std::string top = dir / "top";
    makeFolder(top);
    makeFolder(top + "/sub");
    writeFile(top + "/sub/f", "f");
    EntryWatch watch({dir.path(), top, top + "/sub"});
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        struct sock_filter filter[] = {
            BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(struct seccomp_data, nr)),
            BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_renameat2, 0, 1),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | ENOSYS),
            BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        };
        struct sock_fprog program = {sizeof filter / sizeof filter[0], filter};
        if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
            ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
            ::_exit(2);
        }
        PosixFileManager files;
        RecordingHandler handler;
        ::_exit(files.removeFileAtPath(top, handler) && handler.errors.empty() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 2) {
        GTEST_SKIP() << "system-call filters are not allowed here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(exists(top));
    const EntryEvents seen = watch.events();
    EXPECT_TRUE(seen.renames.empty());
    EXPECT_EQ(seen.removed, (std::set<std::string>{top, top + "/sub", top + "/sub/f"}));
}

// Walks top/a/f and top/b/f; atSecondFile runs when the second file is announced, the first
// folder then waiting, emptied, under a random name.
bool walkTwoFolders(const TempDir& dir, RecordingHandler& handler,
                    const std::function<void(const WalkItem&)>& atSecondFile) {
    for (const char* folder : {"top", "top/a", "top/b"}) makeFolder(dir / folder);
    writeFile(dir / "top/a/f", "a");
    writeFile(dir / "top/b/f", "b");
    int seen = 0;
    handler.onAnnounce = [&](const WalkItem& item) {
        if (lastPathComponent(item.path) == "f" && ++seen == 2)
            atSecondFile(item);
    };
    return PosixFileManager().removeFileAtPath(dir / "top", handler);
}

// The walk stops at the first error and keeps what it had not reached; a folder already
// emptied is removed all the same, never left behind under a random name.
TEST(DeleteWalk, StopsAtFirstErrorAndLeavesNothingUnderARandomName) {
    TempDir dir;
    PosixFileManager files;
    RecordingHandler handler;
    EXPECT_FALSE(
        walkTwoFolders(dir, handler, [&](const WalkItem& item) { handler.refuse = item.path; }));
    ASSERT_EQ(handler.errors.size(), 1u);
    EXPECT_EQ(handler.errors[0].path, handler.refuse);
    EXPECT_EQ(handler.errors[0].reason.code, ReasonCode::CouldNotOverwrite);
    EXPECT_EQ(handler.announced.size(), 5u);  // top, a folder, its file, the other, its file
    std::set<std::string> left;
    for (auto entries = files.enumeratorAtPath(dir / "top"); auto e = entries->nextObject();)
        left.insert(*e);
    const std::string kept = lastPathComponent(stringByDeletingLastPathComponent(handler.refuse));
    EXPECT_EQ(left, (std::set<std::string>{kept, kept + "/f"}));
}

// An emptied folder waits under its random name until its parent is read to the end; one
// that gains an entry meanwhile cannot be removed, and gets its own name back.
TEST(DeleteWalk, AWaitingFolderThatGainsAnEntryGetsItsOwnNameBack) {
    TempDir dir;
    PosixFileManager files;
    RecordingHandler handler;
    handler.proceed = true;
    EXPECT_FALSE(walkTwoFolders(dir, handler, [&](const WalkItem&) {
        for (auto entries = files.enumeratorAtPath(dir / "top"); auto e = entries->nextObject();)
            if (*e != "a" && *e != "b" && e->find('/') == std::string::npos)
                writeFile(dir / ("top/" + *e + "/intruder"), "new");
    }));
    ASSERT_EQ(handler.errors.size(), 2u);  // the folder, then the top that holds it
    EXPECT_EQ(handler.errors[0].reason.errorNumber, ENOTEMPTY);
    const std::string own = lastPathComponent(handler.errors[0].path);
    EXPECT_EQ(readFile(dir / ("top/" + own + "/intruder")), "new");
    std::set<std::string> left;
    for (auto entries = files.enumeratorAtPath(dir / "top"); auto e = entries->nextObject();)
        left.insert(*e);
    EXPECT_EQ(left, (std::set<std::string>{own, own + "/intruder"}));
}

TEST(DeleteWalk, MissingItemIsAnErrorAndASymlinkTopIsRemovedNotFollowed) {
    TempDir dir;
    PosixFileManager files;
    RecordingHandler missing;
    EXPECT_FALSE(files.removeFileAtPath(dir / "nothing", missing));
    ASSERT_EQ(missing.errors.size(), 1u);
    EXPECT_EQ(missing.errors[0].reason.errorNumber, ENOENT);

    makeFolder(dir / "elsewhere");
    writeFile(dir / "elsewhere/precious", "p");
    ASSERT_EQ(::symlink((dir / "elsewhere").c_str(), (dir / "link").c_str()), 0);
    RecordingHandler handler;
    EXPECT_TRUE(files.removeFileAtPath(dir / "link", handler));
    EXPECT_FALSE(exists(dir / "link"));
    EXPECT_EQ(readFile(dir / "elsewhere/precious"), "p");
    EXPECT_EQ(handler.announced, std::vector<std::string>{dir / "link"});
}

// The walk reaches every item through the folder it holds: a file deeper than PATH_MAX is
// reachable, and a folder swapped for a link after the walk saw it leads nowhere outside
// the tree. Run with /proc and, below, without it.
void walkADeepTreeWithAFolderSwappedForALink() {
    TempDir dir;
    makeFolder(dir / "top");
    ::close(makeFoldersDeeperThanPathMax(dir / "top", "deep-file"));
    makeFolder(dir / "top/sub");
    writeFile(dir / "top/sub/f", "x");
    makeFolder(dir / "outside");
    writeFile(dir / "outside/precious", "p");
    PosixFileManager files;
    RecordingHandler handler;
    handler.proceed = true;  // past the swapped folder, on to the deep file
    bool deepFileFound = false;
    handler.onAnnounce = [&](const WalkItem& item) {
        if (item.path == dir / "top/sub") {
            ASSERT_EQ(::rename((dir / "top/sub").c_str(), (dir / "moved").c_str()), 0);
            ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "top/sub").c_str()), 0);
        }
        if (lastPathComponent(item.path) == "deep-file") {
            EXPECT_GT(item.path.size(), static_cast<std::size_t>(PATH_MAX));
            struct stat st;
            deepFileFound = ::fstatat(item.folderFd, item.name, &st, 0) == 0 &&
                            S_ISREG(st.st_mode) && st.st_size == 6;
        }
    };
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));  // the swapped folder
    EXPECT_TRUE(deepFileFound);
    EXPECT_EQ(readFile(dir / "outside/precious"), "p");
    ASSERT_FALSE(handler.errors.empty());
    EXPECT_EQ(handler.errors[0].path, dir / "top/sub");
    for (const auto& path : handler.announced) {
        EXPECT_EQ(path.find("precious"), std::string::npos);
    }
}

TEST(DeleteWalk, ADeepTreeIsReachedAndASwappedFolderIsNotFollowed) {
    walkADeepTreeWithAFolderSwappedForALink();
}

TEST(FileManagerQueries, DeletabilityExistenceAndCopy) {
    TempDir dir;
    PosixFileManager files;
    writeFile(dir / "f", "data");
    EXPECT_TRUE(files.isDeletableFileAtPath(dir / "f"));
    EXPECT_FALSE(files.isDeletableFileAtPath(dir / "missing"));
    {
        AsOrdinaryUser user;
        makeFolder(dir / "locked");
        writeFile(dir / "locked/f", "x");
        ::chmod((dir / "locked").c_str(), 0555);
        EXPECT_FALSE(files.isDeletableFileAtPath(dir / "locked/f"));
        ::chmod((dir / "locked").c_str(), 0755);
    }
    ASSERT_EQ(::symlink("nowhere", (dir / "dangling").c_str()), 0);
    bool isDirectory = true;
    EXPECT_FALSE(files.fileExistsAtPath(dir / "dangling", isDirectory));
    EXPECT_TRUE(files.fileExistsAtPath(dir / "f", isDirectory));
    EXPECT_FALSE(isDirectory);

    EXPECT_TRUE(files.copyPath(dir / "f", dir / "copy"));
    EXPECT_EQ(readFile(dir / "copy"), "data");
    writeFile(dir / "f", "newer");
    EXPECT_FALSE(files.copyPath(dir / "f", dir / "copy"));  // never replaces
    EXPECT_EQ(readFile(dir / "copy"), "data");

    auto made = files.makeUniqueDirectory(dir / "app.42.XXXXX");
    ASSERT_TRUE(made);
    EXPECT_EQ(made->size(), (dir / "app.42.XXXXX").size());
    struct stat st;
    ASSERT_EQ(::stat(made->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_NE(files.makeUniqueDirectory(dir / "app.42.XXXXX"), made);
}

mode_t modeOf(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Everything that is the root of a mount inside the selection stays whole, and the walk stops
// on it; so does a selection that is itself the root of a mount.
TEST(DeleteWalkAtTheEdges, MountsAreNeitherEnteredNorOverwrittenNorRemoved) {
    enum Kind { OtherFileSystem, BoundFolder, BoundFile, TopIsAMount };
    for (Kind kind : {OtherFileSystem, BoundFolder, BoundFile, TopIsAMount}) {
        TempDir dir;
        makeFolder(dir / "top");
        makeFolder(dir / "outside");
        writeFile(dir / "outside/precious", "precious");
        RUN_IN_PRIVATE_MOUNTS(false, [&] {
            std::string mountPoint = dir / "top/mnt";
            std::string kept = dir / "top/mnt/inside";
            if (kind == BoundFile) {
                writeFile(dir / "top/mnt", "covered");
                bindMount(dir / "outside/precious", mountPoint);
                kept = dir / "outside/precious";
            } else if (kind == TopIsAMount) {
                mountPoint = dir / "top";
                mountTmpfs(mountPoint);
                kept = dir / "top/inside";
            } else {
                makeFolder(mountPoint);
                if (kind == OtherFileSystem) {
                    mountTmpfs(mountPoint);
                } else {
                    bindMount(dir / "outside", mountPoint);
                    kept = dir / "top/mnt/precious";
                }
            }
            if (kind != BoundFile && kind != BoundFolder) {
                writeFile(kept, "inside");
            }
            const std::string before = readFile(kept);
            PosixFileManager files;
            std::set<std::string> counted;
            for (auto entries = files.enumeratorAtPath(dir / "top");
                 auto e = entries->nextObject();)
                counted.insert(*e);
            RecordingHandler handler;
            EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));
            ASSERT_EQ(handler.errors.size(), 1u) << kind;
            EXPECT_EQ(handler.errors[0].path, mountPoint) << kind;
            EXPECT_EQ(handler.errors[0].reason.code, ReasonCode::MountPoint);
            EXPECT_EQ(readFile(kept), before) << kind;
            EXPECT_TRUE(exists(mountPoint)) << kind;
            for (const std::string& path : handler.announced) {
                EXPECT_NE(path, mountPoint) << kind;
                EXPECT_NE(path, kept) << kind;
            }
            if (kind == TopIsAMount) {
                EXPECT_TRUE(handler.announced.empty());  // refused before anything is touched
            } else {
                EXPECT_EQ(counted.count("mnt"), 1u) << kind;  // counted, but not entered
                EXPECT_EQ(counted.count("mnt/inside") + counted.count("mnt/precious"), 0u);
            }
        });
    }
}

// Without /proc (a chroot, a rescue shell, a small container) the same holds.
TEST(DeleteWalkAtTheEdges, WithoutProcEveryItemIsReachedThroughTheHeldFolder) {
    RUN_IN_PRIVATE_MOUNTS(true, [] {
        ASSERT_NE(::access("/proc/self/fd", F_OK), 0);
        walkADeepTreeWithAFolderSwappedForALink();
    });
}

// A sticky folder such as /tmp lets only an item's owner remove it: another person's file
// there is never overwritten, even where its permissions would let us write it.
TEST(DeleteWalkAtTheEdges, AnotherPersonsFileInAStickyFolderIsLeftUntouched) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to make a file of another user";
    }
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
    EXPECT_EQ(
        std::count(handler.announced.begin(), handler.announced.end(), dir / "top/sticky/theirs"),
        0);
    EXPECT_EQ(readFile(dir / "top/sticky/theirs"), "theirs");
}

// Permissions the walk widens to do its work are given back on whatever stays, and a file
// whose inode has another name is never widened; the count opens up an owner-only folder as
// the walk will, and closes it again.
TEST(DeleteWalkAtTheEdges, WidenedPermissionsAreGivenBackOnWhatStays) {
    TempDir dir;
    AsOrdinaryUser user;
    makeFolder(dir / "top");
    makeFolder(dir / "top/kept");
    writeFile(dir / "top/kept/stop-here", "x");
    writeFile(dir / "top/kept/shared", "shared");
    ASSERT_EQ(::link((dir / "top/kept/shared").c_str(), (dir / "other-name").c_str()), 0);
    ASSERT_EQ(::chmod((dir / "other-name").c_str(), 0400), 0);
    makeFolder(dir / "top/closed");
    writeFile(dir / "top/closed/a", "1234");
    ASSERT_EQ(::chmod((dir / "top/closed").c_str(), 0000), 0);
    ASSERT_EQ(::chmod((dir / "top/kept").c_str(), 0500), 0);
    ASSERT_EQ(::chmod((dir / "top").c_str(), 0500), 0);

    PosixFileManager files;
    std::set<std::string> counted;
    for (auto entries = files.enumeratorAtPath(dir / "top"); auto e = entries->nextObject();) {
        counted.insert(*e);
        EXPECT_TRUE(entries->unreadFolders().empty());
    }
    EXPECT_EQ(counted, (std::set<std::string>{"kept", "kept/stop-here", "kept/shared", "closed",
                                              "closed/a"}));
    EXPECT_EQ(modeOf(dir / "top/closed"), 0000u);

    RecordingHandler handler;
    handler.refuse = dir / "top/kept/stop-here";
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", handler));
    ASSERT_EQ(handler.errors.size(), 1u);
    EXPECT_EQ(modeOf(dir / "top"), 0500u);
    EXPECT_EQ(modeOf(dir / "top/kept"), 0500u);
    EXPECT_EQ(modeOf(dir / "other-name"), 0400u);
    if (exists(dir / "top/closed")) {
        EXPECT_EQ(modeOf(dir / "top/closed"), 0000u);
    }
}

// Removing an item needs write and search permission on its folder, not read permission.
TEST(DeleteWalkAtTheEdges, AFolderWeMayWriteButNotReadStillGivesUpItsItems) {
    TempDir dir;
    AsOrdinaryUser user;
    makeFolder(dir / "drop-box");
    writeFile(dir / "drop-box/f", "x");
    ASSERT_EQ(::chmod((dir / "drop-box").c_str(), 0300), 0);
    PosixFileManager files;
    RecordingHandler handler;
    EXPECT_TRUE(files.removeFileAtPath(dir / "drop-box/f", handler));
    EXPECT_TRUE(handler.errors.empty());
    ::chmod((dir / "drop-box").c_str(), 0700);
    EXPECT_FALSE(exists(dir / "drop-box/f"));
}

// A tree shredded on ext4 leaves its names in the journal only: the folders were written
// again without them before their blocks were freed, which a removal alone never does.
TEST(DeleteWalkAtTheEdges, OnExt4NoNameOfAShreddedTreeIsLeftOutsideTheJournal) {
    if (::geteuid() != 0 || ::access("/dev/loop-control", W_OK) != 0) {
        GTEST_SKIP() << "needs root and loop devices to mount an ext4 image";
    }
    const std::string marker = "Kq7vQ-payroll";
    constexpr std::size_t kBlockSize = 4096;
    TempDir dir;
    const std::string image = dir / "ext4.img", mountPoint = dir / "mnt";
    makeFolder(mountPoint);
    writeFile(image, "");
    ASSERT_EQ(::truncate(image.c_str(), 32 << 20), 0);
    ASSERT_EQ(std::system(("mkfs.ext4 -q -F -b 4096 '" + image + "'").c_str()), 0);
    RUN_IN_PRIVATE_MOUNTS(false, [&] {
        ASSERT_EQ(std::system(("mount -o loop '" + image + "' '" + mountPoint + "'").c_str()), 0);
        const std::string top = mountPoint + "/" + marker + "-top";
        makeFolder(top);
        for (int f = 0; f < 5; ++f) {
            const std::string folder = top + "/" + marker + "-folder-" + std::to_string(f);
            makeFolder(folder);
            for (int i = 0; i < 10; ++i) {
                writeFile(folder + "/" + marker + "-quarter-" + std::to_string(i) + ".ods",
                          std::string(kBlockSize, 'c'));
            }
        }
        ::sync();
        PosixFileManager files;
        RecordingHandler handler;
        handler.onAnnounce = [](const WalkItem& item) {
            if (S_ISREG(item.status.st_mode)) {
                EXPECT_EQ(overwriteExaminedFileAt(item.folderFd, item.name, item.status,
                                                  ShredMode::RandomPass)
                              .status,
                          OverwriteStatus::Overwritten);
            }
        };
        EXPECT_TRUE(files.removeFileAtPath(top, handler));
        EXPECT_EQ(::umount(mountPoint.c_str()), 0);
    });
    std::set<std::size_t> journal;
    FILE* blocks = ::popen(("debugfs -R 'blocks <8>' '" + image + "' 2>/dev/null").c_str(), "r");
    ASSERT_NE(blocks, nullptr);
    for (unsigned long block; std::fscanf(blocks, "%lu", &block) == 1;) journal.insert(block);
    ::pclose(blocks);
    ASSERT_FALSE(journal.empty());
    const std::string raw = readFile(image);
    int inJournal = 0, outside = 0;
    for (auto at = raw.find(marker); at != std::string::npos; at = raw.find(marker, at + 1)) {
        ++(journal.count(at / kBlockSize) != 0 ? inJournal : outside);
    }
    EXPECT_GT(inJournal, 0);  // the scan finds the names where they are
    EXPECT_EQ(outside, 0);
}

// With few descriptors to spare, the count stays exact and the walk still removes it all.
TEST(DeleteWalkAtTheEdges, ADeepTreeWithFewDescriptorsIsCountedExactlyAndRemoved) {
    TempDir dir;
    std::string path = dir / "top";
    makeFolder(path);
    for (int depth = 0; depth < 100; ++depth) {
        writeFile(path + "/f", "x");
        path += "/d";
        makeFolder(path);
    }
    struct rlimit before;
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &before), 0);
    struct rlimit few = before;
    few.rlim_cur = 32;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &few), 0);
    PosixFileManager files;
    int counted = 0;
    auto entries = files.enumeratorAtPath(dir / "top");
    while (entries->nextObject()) ++counted;
    const bool countedAll = entries->unreadFolders().empty();
    entries.reset();
    RecordingHandler handler;
    const bool removed = files.removeFileAtPath(dir / "top", handler);
    ::setrlimit(RLIMIT_NOFILE, &before);
    EXPECT_EQ(counted, 200);
    EXPECT_TRUE(countedAll);
    EXPECT_TRUE(removed);
    EXPECT_TRUE(handler.errors.empty());
    EXPECT_FALSE(exists(dir / "top"));
}

}  // namespace
