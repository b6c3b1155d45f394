#include <sys/stat.h>
#include <unistd.h>

#include "ShredderFixture.h"

namespace {

using RemovalCallbacks = ShredderFixture;

// A file that cannot be overwritten stops the run on it: it stays, the panel and the status
// line say why, and nothing claims success.
TEST_F(RemovalCallbacks, AFileThatCannotBeOverwrittenStopsTheRunAndStays) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs a second user to own the file";
    makeFolder(dir / "top");
    writeFile(dir / "top/locked", "locked contents");
    ASSERT_EQ(::chmod((dir / "top/locked").c_str(), 0000), 0);  // root's, unreadable
    defaults.values = {{"shredLogging", 1}};
    AsOrdinaryUser user;  // may remove it (the folder is open to all) but not overwrite it
    shredder->shredFiles(dir / "top", true);
    const std::string expected =
        "Could not overwrite the file (Permission denied): " + (dir / "top/locked");
    EXPECT_EQ(statusText.value, expected);
    EXPECT_EQ(alerts.seen.size(), 1u);  // saying so too
    EXPECT_EQ(shredder->lastRunOutcome(), RunOutcome::Failed);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(exists(dir / "top/locked"));
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

}  // namespace
