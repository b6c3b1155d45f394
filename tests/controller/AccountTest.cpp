// What a run says it will not reach before it starts, and what it did after it.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "PrivateMounts.h"
#include "ShredderFixture.h"

namespace {

class RecordingAccount : public AccountView {
public:
    void showWarnings(const std::vector<std::string>& lines) override {
        warnings = lines;
        watchedWasThere = exists(watched);
    }
    void showAccount(const std::string& line, const std::vector<std::string>& lines) override {
        summary = line;
        details = lines;
    }
    std::string summary, watched;
    std::vector<std::string> details, warnings;
    bool watchedWasThere = false;
};

bool anyHolds(const std::vector<std::string>& lines, const std::string& part) {
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& line) { return line.find(part) != line.npos; });
}

using Account = ShredderFixture;

// "tree": a plain file, a file with a second name outside, one whose two names are both
// inside, a fifo and a link to a folder outside.
TEST_F(Account, TheConfirmationNamesTheSelectionAndTheAccountWhatWasNotDestroyed) {
    makeFolder(dir / "tree");
    makeFolder(dir / "tree/sub");
    makeFolder(dir / "outside");
    writeFile(dir / "tree/plain", std::string(3000, 'p'));
    writeFile(dir / "outside/backup", "kept under another name");
    ASSERT_EQ(::link((dir / "outside/backup").c_str(), (dir / "tree/shared").c_str()), 0);
    writeFile(dir / "tree/twice", std::string(5000, 't'));
    ASSERT_EQ(::link((dir / "tree/twice").c_str(), (dir / "tree/sub/twice-again").c_str()), 0);
    ASSERT_EQ(::mkfifo((dir / "tree/fifo").c_str(), 0600), 0);
    ASSERT_EQ(::symlink((dir / "outside").c_str(), (dir / "tree/elsewhere").c_str()), 0);
    const int twice = ::open((dir / "tree/twice").c_str(), O_RDONLY);
    RecordingAccount view;
    connections.account = &view;
    reconnect();
    defaults.values = {{"shredWarning", 1}};
    alerts.answers = {0};  // Proceed
    shredder->shredFiles(dir / "tree", true);

    ASSERT_EQ(alerts.seen.size(), 1u);
    const std::vector<std::string>& said = alerts.seen[0].details;
    EXPECT_TRUE(anyHolds(said, "How much: 7 items (1 symbolic link), "));
    // Only the name with a name outside is said to keep its contents, by its name.
    EXPECT_TRUE(anyHolds(
        said, "1 file also has names outside the selection: " + (dir / "tree/shared") + ". "));
    EXPECT_TRUE(anyHolds(said, "1 special file (device, pipe or socket) is removed"));
    EXPECT_TRUE(anyHolds(said, "1 symbolic link is removed; what it points to is left alone"));

    EXPECT_FALSE(exists(dir / "tree"));
    EXPECT_EQ(readFile(dir / "outside/backup"), "kept under another name");
    // The contents with both names inside were destroyed at their last name.
    char first[8] = {};
    EXPECT_EQ(::pread(twice, first, sizeof first, 0), 8);
    ::close(twice);
    EXPECT_NE(std::string(first, 8), std::string(8, 't'));

    for (const char* part : {"2 files overwritten", "1 name removed, contents still on the disk",
                             "1 link removed, targets untouched", "1 special file removed"}) {
        EXPECT_NE(view.summary.find(part), std::string::npos) << view.summary;
    }
    EXPECT_TRUE(anyHolds(view.details, "under another name (hard link): " + (dir / "tree/shared")));

    // Nobody asked: the warnings come before the walk, while the tree is still there.
    makeFolder(dir / "again");
    ASSERT_EQ(::symlink("outside", (dir / "again/link").c_str()), 0);
    view.watched = dir / "again";
    defaults.values = {{"shredWarning", 0}};
    shredder->shredFiles(dir / "again", true);
    EXPECT_TRUE(view.watchedWasThere && anyHolds(view.warnings, "1 symbolic link is removed"));
    EXPECT_EQ(alerts.seen.size(), 1u);
    EXPECT_FALSE(exists(dir / "again"));
}

// What cannot be removed is left whole, and the run stops on it saying why when it is not a
// matter of permission: an immutable file, an append-only one, a file in an immutable folder.
// The flags go with the private tmpfs.
TEST_F(Account, WhatCannotBeRemovedIsLeftWholeAndTheFlagIsNamed) {
    RUN_IN_PRIVATE_MOUNTS(false, [this] {
        makeFolder(dir / "mount");
        mountTmpfs(dir / "mount");
        for (const auto& [marked, flag] :
             {std::pair{"/a/in/file", "+i"}, std::pair{"/b/in/file", "+a"},
              std::pair{"/c/in", "+i"}}) {
            const std::string top = dir / ("mount" + std::string(marked, 2));
            makeFolder(top);
            makeFolder(top + "/in");
            writeFile(top + "/in/file", "whole");
            const std::string path = dir / ("mount" + std::string(marked));
            ASSERT_EQ(std::system(("chattr " + std::string(flag) + " '" + path + "'").c_str()), 0);
            shredder->shredFiles(top, true);
            EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Failed) << marked;
            EXPECT_EQ(statusText.value,
                      "Left untouched: it could not be removed afterwards (it or its folder is "
                      "marked immutable or append-only): " +
                          path);
            EXPECT_EQ(readFile(top + "/in/file"), "whole");
        }
    });
}

}  // namespace
