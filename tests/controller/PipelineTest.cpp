// Small files go to a pool of overwriters, their syncs in flight together; each file's own
// passes stay in order, each synced before the next and before the file is removed.

#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <mutex>

#include "ShredderFixture.h"
#include "platform/posix/ThreadTaskPool.h"

namespace {

class Pipeline : public ShredderFixture {
protected:
    Pipeline() {
        connections.overwriters = &pool;
        connections.syncPass = [this](int fd) { return sync(fd); };
        reconnect();
    }

    // What each file held at each of its syncs (the one byte it then held throughout), and
    // whether its name was still there; the file named failing gets EIO instead of its first
    // sync.
    int sync(int fd) {
        struct stat st;
        EXPECT_EQ(::fstat(fd, &st), 0);
        const std::string held = readFile("/proc/self/fd/" + std::to_string(fd));
        const bool uniform = !held.empty() && held.find_first_not_of(held[0]) == std::string::npos;
        std::lock_guard<std::mutex> lock(mutex);
        seen[st.st_ino].push_back(st.st_nlink != 1 ? "(removed before its sync)"
                                  : uniform        ? held.substr(0, 1)
                                                   : "(mixed)");
        if (st.st_ino == failing) {
            return EIO;
        }
        return ::fdatasync(fd) == 0 ? 0 : errno;
    }

    // count files f0, f1... of 4 KiB each in folder, each holding its own letter.
    std::map<std::string, ino_t> makeFiles(const std::string& folder, int count) {
        makeFolder(folder);
        std::map<std::string, ino_t> made;
        for (int i = 0; i < count; ++i) {
            const std::string path = folder + "/f" + std::to_string(i);
            writeFile(path, std::string(4096, static_cast<char>('a' + i % 26)));
            struct stat st;
            EXPECT_EQ(::stat(path.c_str(), &st), 0);
            made[path] = st.st_ino;
        }
        return made;
    }

    ThreadTaskPool pool{8};
    std::mutex mutex;
    std::map<ino_t, std::vector<std::string>> seen;
    ino_t failing = 0;
};

TEST_F(Pipeline, EachFilesPassesAreInOrderAndEachSyncedBeforeItIsRemoved) {
    std::map<std::string, ino_t> files;
    for (const char* folder : {"a", "b", "c"}) files.merge(makeFiles(dir / folder, 50));
    makeFolder(dir / "top");
    for (const char* folder : {"a", "b", "c"}) {
        ASSERT_EQ(::rename((dir / folder).c_str(), (dir / "top/" + folder).c_str()), 0);
    }
    defaults.values = {{"shredMode", 1}};
    shredder->shredFiles(dir / "top", true);
    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Shredded);
    EXPECT_FALSE(exists(dir / "top"));
    EXPECT_EQ(shredder->lastRunAccount().filesOverwritten, 150u);
    for (const auto& [path, inode] : files) {
        const std::vector<std::string> passes = {"\x55", "\xff", "\xaa", std::string(1, '\0')};
        EXPECT_EQ(seen[inode], passes) << path;
    }
}

// A sync that fails in flight keeps its file, named; the files beside it end as each would
// alone, and the account says exactly how.
TEST_F(Pipeline, ASyncFailingInFlightKeepsThatFileAndTheRestEndAsTheyWould) {
    const std::map<std::string, ino_t> files = makeFiles(dir / "top", 40);
    failing = files.at(dir / "top/f7");
    shredder->shredFiles(dir / "top", true);
    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Failed);
    EXPECT_EQ(statusText.value,
              "Could not overwrite the file (Input/output error): " + (dir / "top/f7"));
    EXPECT_EQ(alerts.seen.size(), 1u);
    for (const auto& [path, inode] : files) {
        EXPECT_EQ(exists(path), inode == failing) << path;
    }
    EXPECT_EQ(shredder->lastRunAccount().filesOverwritten, 39u);
    ASSERT_EQ(shredder->lastRunAccount().kept.size(), 1u);
    EXPECT_EQ(shredder->lastRunAccount().kept[0].first, dir / "top/f7");
}

// Stop lets no new file in: those under way finish and are removed, the rest stay whole.
TEST_F(Pipeline, AStopLetsTheFilesUnderWayFinishAndNoOtherIn) {
    const std::map<std::string, ino_t> files = makeFiles(dir / "top", 200);
    int asked = 0;  // on the walk's thread, at each announcement: the folder's, then a file's
    connections.stopRequested = [&] { return !bar.hidden && ++asked > 11; };
    reconnect();
    shredder->shredFiles(dir / "top", true);
    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Stopped);
    EXPECT_TRUE(alerts.seen.empty());
    int removed = 0;
    for (const auto& [path, inode] : files) {
        if (!exists(path)) {
            ++removed;
            EXPECT_EQ(seen[inode].size(), 1u) << path;  // its one pass, synced
        } else {
            const int i = std::stoi(path.substr(path.rfind('f') + 1));
            EXPECT_EQ(readFile(path), std::string(4096, static_cast<char>('a' + i % 26)));
            EXPECT_TRUE(seen[inode].empty()) << path;
        }
    }
    EXPECT_EQ(removed, 10);
    EXPECT_EQ(shredder->lastRunAccount().filesOverwritten, 10u);
}

}  // namespace
