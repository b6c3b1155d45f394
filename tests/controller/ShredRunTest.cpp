#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <tuple>

#include "PrivateMounts.h"
#include "ShredderFixture.h"

namespace {

using namespace shredder_text;

using ShredRun = ShredderFixture;

// Files that appear or grow once the count is taken are shredded all the same; the figures
// left to shred stop at zero, and the account says what was beyond the count.
TEST_F(ShredRun, WhatAppearsOrGrowsAfterTheCountTakesTheFiguresToZeroNeverPast) {
    makeFolder(dir / "top");
    writeFile(dir / "top/a", "abc");
    bool added = false;
    connections.stopRequested = [&] {
        if (!added && !bar.hidden) {  // the walk began: the count is taken
            added = true;
            writeFile(dir / "top/a", std::string(5000, 'x'));
            writeFile(dir / "top/b", "new");
        }
        return false;
    };
    reconnect();
    shredder->shredFiles(dir / "top", true);

    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Shredded) << statusText.value;
    EXPECT_FALSE(exists(dir / "top"));
    const RunAccount& account = shredder->lastRunAccount();
    EXPECT_EQ(account.itemsBeyondCount, 1u);
    EXPECT_EQ(account.bytesBeyondCount, 5003u - 3u);
    for (const Field field : {Field::progressCount, Field::progressBytes}) {
        for (const std::string& shown : fields[static_cast<std::size_t>(field)].shown) {
            EXPECT_LT(shown.size(), 12u) << "a figure wrapped: " << shown;
        }
    }
    const auto details = accountDetails(RunOutcome::Shredded, account, ShredMode::RandomPass,
                                        [](std::uint64_t n) { return std::to_string(n); });
    EXPECT_NE(
        std::find(details.begin(), details.end(),
                  "Not in the count: 1 file that appeared and 5.0 kB (5000 bytes) that files grew "
                  "after it was taken"),
        details.end());
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
        defaults.values = {{"shredMode", 1}};  // its last pass writes zeros
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

// Stop inside a large file: in its first pass the file stays, partly overwritten, and the
// status line says so; after a whole pass its contents are gone and it is removed, but the
// run is no success, asks nothing and logs no shred. The hook is asked at the announcement
// and after each block.
TEST_F(ShredRun, AStopInsideAFileKeepsItOnlyWhileItsFirstPassLasts) {
    constexpr std::size_t kBlock = 1 << 20;
    for (int stopAtCall : {3, 7}) {  // in the second block of pass 1, or of pass 2
        writeFile(dir / "big", std::string(4 * kBlock, 'x'));
        int calls = 0;  // during the walk, which starts with the bar shown
        connections.stopRequested = [&] { return !bar.hidden && ++calls >= stopAtCall; };
        reconnect();
        defaults.values = {{"shredMode", 1}, {"shredLogging", 1}};
        shredder->shredFiles(dir / "big", false);
        EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Stopped);
        EXPECT_TRUE(alerts.seen.empty() && log.lines.empty());
        if (stopAtCall == 3) {
            EXPECT_EQ(statusText.value, std::string(kStoppedInFirstPass) + ": " + (dir / "big"));
            EXPECT_EQ(readFile(dir / "big"),
                      std::string(2 * kBlock, '\x55') + std::string(2 * kBlock, 'x'));
        } else {
            EXPECT_EQ(statusText.value, std::string(kStoppedByRequest) + ": " + (dir / "big"));
            EXPECT_FALSE(exists(dir / "big"));
        }
    }
}

// The home folder, or a folder directly under "/", is shredded only after a question that
// names it, even with confirmation off, however the path spells it: relative to the working
// folder, through "..", with a slash.
TEST_F(ShredRun, AWideChoiceIsAskedAboutEvenWithConfirmationOff) {
    application.home = dir / "home/";
    makeFolder(dir / "home");
    const std::string top = "zurizede-test-" + std::to_string(::getpid());
    // Each folder, the working folder its relative spelling starts from, and its spellings.
    std::vector<std::tuple<std::string, std::string, std::vector<std::string>>> wide = {
        {dir / "home", dir.path(), {dir / "home", "home", dir / "home/../home", dir / "home//"}}};
    if (::geteuid() == 0 && ::mkdir(("/" + top).c_str(), 0700) == 0) {
        wide.push_back({"/" + top, "/", {"/" + top, top, "/tmp/../" + top, top + "/"}});
    }
    for (const auto& [folder, workingFolder, spellings] : wide) {
        ASSERT_EQ(::chdir(workingFolder.c_str()), 0);
        writeFile(folder + "/kept", "kept");
        for (const std::string& spelled : spellings) {
            alerts.seen.clear();
            shredder->shredFiles(spelled, true);  // answered Cancel
            ASSERT_EQ(alerts.seen.size(), 1u) << spelled;
            EXPECT_EQ(alerts.seen[0].message.rfind(spelled + " is your home folder", 0), 0u)
                << alerts.seen[0].message;
            EXPECT_EQ(readFile(folder + "/kept"), "kept");
        }
        alerts.answers = {0};  // Proceed
        shredder->shredFiles(folder, true);
        EXPECT_FALSE(exists(folder)) << folder;
    }
    ::chdir("/");
    ::rmdir(("/" + top).c_str());  // when it was not shredded
}

// Refused before anything is touched, each in its own words: the root of the file system, a
// path ending in "." or "..", which names a folder only by the way it was reached, a device
// node (removing it would erase nothing on the device), and a file its user may not remove.
TEST_F(ShredRun, WhatCannotOrMustNotBeShreddedIsRefusedAndTouchesNothing) {
    makeFolder(dir / "d");
    writeFile(dir / "d/kept", "kept");
    writeFile(dir / "d/theirs", "kept");
    ::chmod((dir / "d/theirs").c_str(), 0666);  // it could be overwritten, but not removed
    ::chmod((dir / "d").c_str(), 0555);
    std::vector<std::pair<std::string, std::string>> refused = {
        {"/", "/ is the root of the file system"},
        {"//", "/ is the root of the file system"},
        {dir / "d/..", " ends in \".\" or \"..\", which is ambiguous"},
        {dir / "d/./", " ends in \".\" or \"..\", which is ambiguous"},
        {dir / "d/theirs", "You do not have permission to delete the file "}};
    if (::mknod((dir / "disk").c_str(), S_IFBLK | 0600, makedev(7, 250)) == 0 &&
        ::mknod((dir / "tty").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) {
        refused.insert(refused.end(),
                       {{dir / "disk", " is a device"}, {dir / "tty", " is a device"}});
    }
    AsOrdinaryUser user;
    for (const auto& [path, why] : refused) {
        alerts.seen.clear();
        EXPECT_TRUE(shredder->applicationOpenFile(path));
        ASSERT_EQ(alerts.seen.size(), 1u) << path;
        EXPECT_NE(alerts.seen[0].message.find(why), std::string::npos) << alerts.seen[0].message;
        EXPECT_EQ(statusText.value, kNothingTouched);
        EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Denied);
        EXPECT_TRUE(exists(path));
    }
    EXPECT_EQ(readFile(dir / "d/kept") + readFile(dir / "d/theirs"), "keptkept");
}

}  // namespace
