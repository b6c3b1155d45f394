#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>

#include "PrivateMounts.h"
#include "ShredderFixture.h"

namespace {

using namespace shredder_text;

using ShredRun = ShredderFixture;

// The log entry stays on one line and names the path's bytes exactly.
TEST_F(ShredRun, SucceededShowsTheSelectionAndLogsTheCountedTotal) {
    const std::string top = dir / "caf\xc3\xa9\n\\";
    makeFolder(top);
    writeFile(top + "/big", std::string(1234567, 'x'));
    defaults.values = {{"shredLogging", 1}, {"shredMode", 1}, {"shredWarning", 2}};
    shredder->shredFiles(top, true);
    EXPECT_TRUE(alerts.seen.empty());  // only 1 means ask
    EXPECT_FALSE(exists(top));
    EXPECT_EQ(statusText.value, kShredded);
    EXPECT_EQ(folderText.value, top);
    EXPECT_EQ(fileText.value, kAllFilesInFolder);
    EXPECT_EQ(totalCount.value, "1");
    EXPECT_EQ(totalLinks.value, "0");
    EXPECT_EQ(totalBytes.value, "1.2 MB (1,234,567 bytes)");
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0],
              "Shred 1,234,567 bytes @ path '" + (dir / "caf\xc3\xa9\\x0a\\\\") + "'");
    EXPECT_EQ(bar.max, 1234567.0);
    EXPECT_EQ(bar.value, 1234567.0);
    EXPECT_EQ(shredder->runShredMode(), ShredMode::FourPasses);
    expectProgressReset();
}

TEST_F(ShredRun, DeniedTouchesNothingButTheStatusLine) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a folder owned by another user";
    makeFolder(dir / "locked");
    writeFile(dir / "locked/f", "keep");
    ::chmod((dir / "locked").c_str(), 0755);
    folderText.value = "before";
    AsOrdinaryUser user;
    shredder->shredFiles(dir / "locked/f", false);
    ASSERT_EQ(alerts.seen.size(), 1u);
    EXPECT_TRUE(alerts.seen[0].critical);
    EXPECT_EQ(alerts.seen[0].message,
              "You do not have permission to delete the file " + (dir / "locked/f") + ".");
    EXPECT_EQ(alerts.seen[0].defaultButton, kCancelShredding);
    EXPECT_EQ(statusText.value, kNothingTouched);
    EXPECT_EQ(folderText.value, "before");
    EXPECT_EQ(readFile(dir / "locked/f"), "keep");
}

// Counted, then cancelled: the totals take in links, folders and sparse bytes beyond 4 GiB,
// and nothing is touched. Should the walk ever start, it stops at once instead of writing
// five gigabytes.
TEST_F(ShredRun, ACancelledConfirmationTouchesNothingAfterCountingEverything) {
    makeFolder(dir / "top");
    makeFolder(dir / "top/empty-sub");
    makeFolder(dir / "elsewhere");
    writeFile(dir / "elsewhere/keep", "keep");
    ASSERT_EQ(::symlink((dir / "elsewhere").c_str(), (dir / "top/folder-link").c_str()), 0);
    int fd = ::open((dir / "top/sparse").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::ftruncate(fd, 5LL << 30), 0);  // 5 GiB of nothing on disk
    ::close(fd);
    connections.stopRequested = [this] {
        if (!bar.hidden) {  // shown just before the walk starts
            ADD_FAILURE() << "the walk started although the confirmation was cancelled";
            return true;
        }
        return false;
    };
    reconnect();
    alerts.answers = {1};
    defaults.values = {{"shredWarning", 1}};
    shredder->shredFiles(dir / "top", true);
    ASSERT_EQ(alerts.seen.size(), 1u);
    EXPECT_EQ(alerts.seen[0].message, kConfirmation);
    EXPECT_EQ(alerts.seen[0].defaultButton, kCancel);
    EXPECT_EQ(alerts.seen[0].alternateButton, kProceed);
    EXPECT_EQ(statusText.value, kNothingTouched);
    EXPECT_EQ(totalCount.value, "3");
    EXPECT_EQ(totalLinks.value, "1");
    struct stat sub, link;
    ::lstat((dir / "top/empty-sub").c_str(), &sub);
    ::lstat((dir / "top/folder-link").c_str(), &link);
    const std::uint64_t expected = (5ull << 30) + sub.st_size + link.st_size;
    EXPECT_EQ(shredder->byteCounter(), expected);
    EXPECT_EQ(bar.max, static_cast<double>(expected));
    EXPECT_TRUE(exists(dir / "top/sparse"));
    EXPECT_EQ(readFile(dir / "elsewhere/keep"), "keep");
    expectProgressReset();
}

TEST_F(ShredRun, AStopRequestEndsTheWalkLikeAnErrorAndIsNoSuccess) {
    makeFolder(dir / "top");
    for (const char* name : {"a", "b", "c"}) {
        writeFile(dir / "top/" + name, name);
    }
    // Stop is pressed once the first file is gone.
    connections.stopRequested = [this] {
        return !exists(dir / "top/a") || !exists(dir / "top/b") || !exists(dir / "top/c");
    };
    reconnect();
    defaults.values = {{"shredLogging", 1}};
    shredder->shredFiles(dir / "top", true);

    EXPECT_TRUE(alerts.seen.empty());  // asked for: nothing to tell, and no panel to wait on
    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Stopped);
    EXPECT_EQ(statusText.value.rfind(kStoppedByRequest, 0), 0u) << statusText.value;
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(exists(dir / "top"));
    int left = 0;
    for (const char* name : {"a", "b", "c"}) {
        if (exists(dir / "top/" + name)) {
            EXPECT_EQ(readFile(dir / "top/" + name), name);  // untouched, not half-written
            ++left;
        }
    }
    EXPECT_EQ(left, 2);
    EXPECT_EQ(shredder->itemCounter(), 2u);  // the two files left, of one byte each
    EXPECT_EQ(shredder->byteCounter(), 2u);
    expectProgressReset();
}

// Without /proc, every file is still overwritten before it is removed: one deeper than
// PATH_MAX, and those of a folder moved away while the walk is inside it.
TEST_F(ShredRun, WithoutProcEveryFileIsOverwrittenBeforeItIsRemoved) {
    makeFolder(dir / "top");
    // The files' contents stay readable through these after they are removed.
    std::vector<int> held = {makeFoldersDeeperThanPathMax(dir / "top", "deep")};
    writeFile(dir / "top/near", "secret");
    held.push_back(::open((dir / "top/near").c_str(), O_RDONLY));
    RUN_IN_PRIVATE_MOUNTS(true, [&] {
        int announced = 0;
        connections.stopRequested = [&] {
            if (!bar.hidden && ++announced == 2) {  // inside the top folder: move it away
                EXPECT_EQ(::rename((dir / "top").c_str(), (dir / "moved").c_str()), 0);
            }
            return false;
        };
        reconnect();
        defaults.values = {{"shredMode", 1}};
        shredder->shredFiles(dir / "top", true);
        EXPECT_TRUE(alerts.seen.empty());
        for (int f : held) {
            char contents[6];
            EXPECT_EQ(::pread(f, contents, 6, 0), 6);
            EXPECT_EQ(std::string(contents, 6), std::string(6, '\0'));
        }
    });
    for (int f : held) ::close(f);
}

// A folder the count cannot read is said before anyone confirms totals that leave it out.
TEST_F(ShredRun, AFolderTheCountCannotReadIsSaidBeforeTheConfirmation) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a folder owned by another user";
    makeFolder(dir / "top");
    makeFolder(dir / "top/theirs");
    writeFile(dir / "top/theirs/f", "x");
    ASSERT_EQ(::chmod((dir / "top/theirs").c_str(), 0700), 0);
    defaults.values = {{"shredWarning", 1}};
    alerts.answers = {1};
    AsOrdinaryUser user;
    shredder->shredFiles(dir / "top", true);
    const std::string note = "Not counted: 1 folder(s) could not be read, the first " +
                             (dir / "top/theirs") + " (Permission denied)";
    EXPECT_NE(std::find(statusText.shown.begin(), statusText.shown.end(), note),
              statusText.shown.end());
    EXPECT_EQ(totalCount.value, "1");
    ASSERT_EQ(shredder->unreadFolders().size(), 1u);
}

// Stop inside a large file: in its first pass the file stays, partly overwritten, and the
// status line says so; after a whole pass its contents are gone and it is removed. The stop
// is asked for on a given block: the hook is asked at the announcement and after each block.
TEST_F(ShredRun, AStopInsideAFileKeepsItOnlyWhileItsFirstPassLasts) {
    constexpr std::size_t kBlock = 1 << 20;
    for (int stopAtCall : {3, 7}) {  // in the second block of pass 1, or of pass 2
        writeFile(dir / "big", std::string(4 * kBlock, 'x'));
        int calls = 0;  // during the walk, which starts with the bar shown
        connections.stopRequested = [&] { return !bar.hidden && ++calls >= stopAtCall; };
        reconnect();
        defaults.values = {{"shredMode", 1}};
        shredder->shredFiles(dir / "big", false);
        EXPECT_EQ(bar.max, 4.0 * kBlock);  // a file run scales its bar too
        if (stopAtCall == 3) {
            EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Stopped);
            EXPECT_EQ(statusText.value, std::string(kStoppedInFirstPass) + ": " + (dir / "big"));
            const std::string left = readFile(dir / "big");
            EXPECT_EQ(left.substr(0, 2 * kBlock), std::string(2 * kBlock, '\x55'));
            EXPECT_EQ(left.substr(2 * kBlock), std::string(2 * kBlock, 'x'));
        } else {
            // Its contents are gone and it was removed, but not in every pass: no success.
            EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Stopped);
            EXPECT_EQ(statusText.value, std::string(kStoppedByRequest) + ": " + (dir / "big"));
            EXPECT_FALSE(exists(dir / "big"));
        }
    }
}

// While one large file is overwritten, the bar moves and the status line tells the pass.
TEST_F(ShredRun, TheBarRisesDuringOneLargeFile) {
    writeFile(dir / "big", std::string(64 << 20, 'x'));
    defaults.values = {{"shredMode", 2}};
    shredder->shredFiles(dir / "big", false);
    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Shredded);
    std::vector<double> inside;
    for (double v : bar.history) {
        if (v > 0 && v < bar.max)
            inside.push_back(v);
    }
    ASSERT_FALSE(inside.empty());
    EXPECT_TRUE(std::is_sorted(inside.begin(), inside.end()));
    const bool passShown =
        std::any_of(statusText.shown.begin(), statusText.shown.end(),
                    [](const std::string& s) { return s.rfind("Pass ", 0) == 0; });
    EXPECT_TRUE(passShown);
    EXPECT_EQ(statusText.value, kShredded);
}

// The home folder, or a folder directly under "/", is shredded only after a question that
// names it, even with confirmation off.
// However the path spells it: relative to the working folder, through "..", with a slash.
TEST_F(ShredRun, AWideChoiceIsAskedAboutEvenWithConfirmationOff) {
    struct Wide {
        std::string folder, workingFolder;
        std::vector<std::string> spellings;
    };
    std::vector<Wide> wide = {
        {dir / "home", dir.path(), {dir / "home", "home", dir / "home/../home", dir / "home//"}}};
    application.home = dir / "home/";
    const std::string name = "zurizede-test-" + std::to_string(::getpid());
    if (::geteuid() == 0 && ::mkdir(("/" + name).c_str(), 0700) == 0) {
        wide.push_back({"/" + name, "/", {"/" + name, name, "/tmp/../" + name, name + "/"}});
    }
    makeFolder(dir / "home");
    char* before = ::getcwd(nullptr, 0);
    for (const Wide& each : wide) {
        ASSERT_EQ(::chdir(each.workingFolder.c_str()), 0);
        writeFile(each.folder + "/kept", "kept");
        for (const std::string& spelled : each.spellings) {
            alerts.seen.clear();
            alerts.answers = {1};  // Cancel
            shredder->shredFiles(spelled, true);
            ASSERT_EQ(alerts.seen.size(), 1u) << spelled;
            EXPECT_TRUE(alerts.seen[0].critical);
            EXPECT_EQ(alerts.seen[0].message.rfind(spelled + " is your home folder", 0), 0u)
                << alerts.seen[0].message;
            EXPECT_EQ(readFile(each.folder + "/kept"), "kept");
            EXPECT_EQ(statusText.value, kNothingTouched);
        }
        alerts.answers = {0};  // Proceed
        shredder->shredFiles(each.folder, true);
        EXPECT_FALSE(exists(each.folder)) << each.folder;
    }
    ::chdir(before);
    std::free(before);
    ::rmdir(("/" + name).c_str());
}

// Refused before anything is touched, each in its own words: a device node (removing it would
// erase nothing on the device), the root of the file system, and a path ending in "." or
// "..", which names a folder only by the way it was reached.
TEST_F(ShredRun, DevicesTheRootAndAmbiguousPathsAreRefusedInTheirOwnWords) {
    makeFolder(dir / "d");
    writeFile(dir / "d/kept", "kept");
    std::vector<std::pair<std::string, std::string>> refused = {
        {"/", "/ is the root of the file system: it is never shredded."},
        {"//", "/ is the root of the file system: it is never shredded."},
        {dir / "d/..", (dir / "d/..") + " ends in \".\" or \"..\", which is ambiguous: name the "
                                        "folder itself."},
        {dir / "d/./", (dir / "d/./") + " ends in \".\" or \"..\", which is ambiguous: name the "
                                        "folder itself."}};
    if (::mknod((dir / "disk").c_str(), S_IFBLK | 0600, makedev(7, 250)) == 0 &&
        ::mknod((dir / "tty").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        for (const char* name : {"disk", "tty"}) {
            refused.push_back(
                {dir / name,
                 (dir / name) + " is a device: erase whole devices with the disk utility"});
        }
    }
    for (const auto& [path, why] : refused) {
        alerts.seen.clear();
        shredder->shredFiles(path, true);
        ASSERT_EQ(alerts.seen.size(), 1u) << path;
        EXPECT_EQ(alerts.seen[0].message, why);
        EXPECT_EQ(statusText.value, kNothingTouched);
        EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Denied);
    }
    EXPECT_EQ(readFile(dir / "d/kept"), "kept");
    EXPECT_TRUE(::geteuid() != 0 || exists(dir / "disk"));
}

}  // namespace
