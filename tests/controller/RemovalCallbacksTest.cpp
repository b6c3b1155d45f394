#include <sys/stat.h>
#include <unistd.h>

#include "ShredderFixture.h"

namespace {

using namespace shredder_text;

using RemovalCallbacks = ShredderFixture;

// A file that cannot be overwritten stops the run on it: it stays, the panel and the status
// line say why, and nothing claims success.
TEST_F(RemovalCallbacks, AFileThatCannotBeOverwrittenStopsTheRunAndStays) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs a second user to own the file";
    }
    makeFolder(dir / "top");
    writeFile(dir / "top/locked", "locked contents");
    ASSERT_EQ(::chmod((dir / "top/locked").c_str(), 0000), 0);  // root's, unreadable
    defaults.values = {{"shredLogging", 1}};
    AsOrdinaryUser user;  // may remove it (the folder is open to all) but not overwrite it
    shredder->shredFiles(dir / "top", true);
    const std::string expected =
        "Could not overwrite the file (Permission denied): " + (dir / "top/locked");
    EXPECT_EQ(statusText.value, expected);
    ASSERT_EQ(alerts.seen.size(), 1u);
    EXPECT_FALSE(alerts.seen[0].critical);
    EXPECT_EQ(alerts.seen[0].kind, Alert::Kind::Error);
    EXPECT_EQ(alerts.seen[0].title, kFileSystemAlert);
    EXPECT_EQ(alerts.seen[0].message, expected + ". Due to this error, shredding will be stopped.");
    EXPECT_EQ(alerts.seen[0].defaultButton, kStopShredding);
    EXPECT_EQ(alerts.seen[0].alternateButton, "");
    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Failed);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(exists(dir / "top/locked"));
    EXPECT_EQ(fileText.value, "locked");
    expectProgressReset();
}

// A link whose target cannot be looked at when it is announced is kept and reported: not
// knowing what it leads to must never mean removing anything unoverwritten.
TEST_F(RemovalCallbacks, ALinkWhoseTargetCannotBeExaminedIsKept) {
    class Unexaminable : public PosixFileManager {
    public:
        ItemExamination examineLinkTarget(const WalkItem&) const override {
            return {ItemKind::Unexaminable, EIO};
        }
    } files;
    writeFile(dir / "f", "contents");
    ASSERT_EQ(::symlink("f", (dir / "link").c_str()), 0);
    EXPECT_FALSE(files.removeFileAtPath(dir / "link", *shredder));
    EXPECT_EQ(statusText.value,
              "Could not examine the item (Input/output error): " + (dir / "link"));
    EXPECT_TRUE(exists(dir / "link"));
    EXPECT_EQ(readFile(dir / "f"), "contents");
}

TEST_F(RemovalCallbacks, OwnFileWithoutPermissionsIsOpenedUpAndShredded) {
    AsOrdinaryUser user;
    makeFolder(dir / "top");
    writeFile(dir / "top/mine", "mine");
    ASSERT_EQ(::chmod((dir / "top/mine").c_str(), 0000), 0);
    shredder->shredFiles(dir / "top", true);
    EXPECT_TRUE(alerts.seen.empty());
    EXPECT_FALSE(exists(dir / "top"));
    EXPECT_EQ(shredder->lastRunAccount().filesOverwritten, 1u);
}

}  // namespace
