#include <sys/stat.h>
#include <unistd.h>

#include "ShredderFixture.h"

namespace {

using namespace shredder_text;

class RemovalCallbacks : public ShredderFixture {};

TEST_F(RemovalCallbacks, FilesAreOverwrittenAndCountedDownWrappingBelowZero) {
    writeFile(dir / "ten", "0123456789");
    writeFile(dir / "empty", "");
    bar.value = 0;
    EXPECT_FALSE(shredder->fileManagerWillProcessPath(files, dir / "ten"));
    EXPECT_NE(readFile(dir / "ten"), "0123456789");
    EXPECT_EQ(fileText.shown, std::vector<std::string>{"ten"});
    // From zero counters the subtraction wraps modulo 2^64.
    EXPECT_EQ(shredder->itemCounter(), ~0ull);
    EXPECT_EQ(shredder->byteCounter(), 0ull - 10);
    EXPECT_EQ(progressCount.shown.back(), "18,446,744,073,709,551,615");
    EXPECT_EQ(progressBytes.shown.back(), "18,446,744,073,709,551,606");
    EXPECT_EQ(bar.value, 10.0);
    EXPECT_EQ(bar.redraws, 1);

    EXPECT_FALSE(shredder->fileManagerWillProcessPath(files, dir / "empty"));
    EXPECT_EQ(shredder->itemCounter(), ~0ull - 1);
    EXPECT_EQ(shredder->byteCounter(), 0ull - 10);
    EXPECT_EQ(bar.value, 10.0);
}

TEST_F(RemovalCallbacks, LinksAndVanishedItems) {
    makeLinks("target");
    // A link to a file is handed on and counted down, but its target is not written.
    EXPECT_FALSE(shredder->fileManagerWillProcessPath(files, dir / "file-link"));
    EXPECT_EQ(shredder->itemCounter(), ~0ull);
    EXPECT_EQ(shredder->byteCounter(), 0u);
    EXPECT_EQ(readFile(dir / "target"), "target");
    for (const char* name : {"folder-link", "dangling", "vanished"}) {
        EXPECT_FALSE(shredder->fileManagerWillProcessPath(files, dir / name)) << name;
        EXPECT_EQ(fileText.value, "") << name;
        EXPECT_EQ(shredder->itemCounter(), ~0ull) << name;
    }
}

TEST_F(RemovalCallbacks, ErrorPanelAndStatusLine) {
    EXPECT_FALSE(shredder->fileManagerShouldProceedAfterError(files, {"/a/b", "X"}));
    ASSERT_EQ(alerts.seen.size(), 1u);
    EXPECT_FALSE(alerts.seen[0].critical);
    EXPECT_EQ(alerts.seen[0].title, kFileSystemAlert);
    EXPECT_EQ(alerts.seen[0].message, "X: /a/b. Due to this error, shredding will be stopped.");
    EXPECT_EQ(alerts.seen[0].defaultButton, kStopShredding);
    EXPECT_EQ(alerts.seen[0].alternateButton, "");
    EXPECT_EQ(statusText.value, "X: /a/b");
}

TEST_F(RemovalCallbacks, AFileThatCannotBeOverwrittenStopsTheWalkAndStays) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs a second user to own the file";
    }
    makeFolder(dir / "top");
    writeFile(dir / "top/locked", "locked contents");
    ASSERT_EQ(::chmod((dir / "top/locked").c_str(), 0000), 0);  // root's, unreadable
    AsOrdinaryUser user;  // may remove it (the folder is open to all) but not overwrite it
    EXPECT_FALSE(files.removeFileAtPath(dir / "top", *shredder));
    ASSERT_EQ(alerts.seen.size(), 1u);
    const std::string expected =
        "Could not overwrite the file (Permission denied): " + (dir / "top/locked");
    EXPECT_EQ(statusText.value, expected);
    EXPECT_EQ(alerts.seen[0].message, expected + ". Due to this error, shredding will be stopped.");
    EXPECT_TRUE(exists(dir / "top/locked"));
}

TEST_F(RemovalCallbacks, OwnFileWithoutPermissionsIsOpenedUpAndShredded) {
    AsOrdinaryUser user;
    makeFolder(dir / "top");
    writeFile(dir / "top/mine", "mine");
    ASSERT_EQ(::chmod((dir / "top/mine").c_str(), 0000), 0);
    EXPECT_TRUE(files.removeFileAtPath(dir / "top", *shredder));
    EXPECT_TRUE(alerts.seen.empty());
    EXPECT_FALSE(exists(dir / "top"));
    EXPECT_EQ(shredder->byteCounter(), 0ull - 4);  // overwritten: its bytes were counted off
}

}  // namespace
