#include "ShredderFixture.h"

namespace {

using namespace shredder_text;

using Choosing = ShredderFixture;

// A vanished folder is still handed on, denied, and does not stop the folders after it.
TEST_F(Choosing, EachFolderAsksItsOwnConfirmationInThePanelsOrderAndAVanishedOneIsDenied) {
    for (const char* name : {"one", "two", "three"}) {
        makeFolder(dir / name);
        writeFile(dir / name + "/inside", name);
    }
    panel.paths = {dir / "one", dir / "vanished", dir / "two", dir / "three"};
    defaults.values = {{"shredWarning", 1}};
    alerts.answers = {1, 1, 0, 0};  // Cancel the first, Proceed with the others
    shredder->shredDirectory();

    ASSERT_EQ(panel.shown.size(), 1u);
    EXPECT_TRUE(panel.shown[0].canChooseDirectories);
    ASSERT_EQ(alerts.seen.size(), 4u);
    for (std::size_t i : {0u, 2u, 3u}) {
        EXPECT_EQ(alerts.seen[i].message, kConfirmation) << i;
    }
    EXPECT_EQ(alerts.seen[1].message, "The folder " + (dir / "vanished") +
                                          " contains files you do not have permission to delete.");
    EXPECT_EQ(readFile(dir / "one/inside"), "one");
    EXPECT_FALSE(exists(dir / "two"));
    EXPECT_FALSE(exists(dir / "three"));
    EXPECT_EQ(statusText.value, kShredded);
    EXPECT_EQ(folderText.value, dir / "three");
}

TEST_F(Choosing, TheFilePanelSkipsMissingPathsAndHandsLinksOnAsWhatTheyReach) {
    writeFile(dir / "target", "target contents");
    makeFolder(dir / "folder");
    ASSERT_EQ(::symlink((dir / "target").c_str(), (dir / "file-link").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "folder").c_str(), (dir / "folder-link").c_str()), 0);
    ASSERT_EQ(::symlink("missing", (dir / "dangling").c_str()), 0);
    writeFile(dir / "plain", "plain");
    panel.paths = {dir / "dangling", dir / "gone", dir / "file-link", dir / "folder-link",
                   dir / "plain"};
    shredder->shredFile();

    EXPECT_FALSE(panel.shown.at(0).canChooseDirectories);
    EXPECT_TRUE(alerts.seen.empty());        // nothing said about the missing ones
    EXPECT_FALSE(exists(dir / "dangling"));  // a link, even one leading nowhere
    EXPECT_FALSE(exists(dir / "file-link"));
    EXPECT_EQ(readFile(dir / "target"), "target contents");
    EXPECT_FALSE(exists(dir / "folder-link"));
    EXPECT_TRUE(exists(dir / "folder"));
    EXPECT_FALSE(exists(dir / "plain"));
    EXPECT_EQ(folderText.value, dir.path());
    EXPECT_EQ(fileText.value, "plain");
}

TEST_F(Choosing, ACancelledPanelLeavesTheDisplayAsItWas) {
    writeFile(dir / "kept", "kept");
    panel.paths = {dir / "kept"};
    panel.confirm = false;
    statusText.setStringValue("earlier outcome");
    const std::size_t redraws = statusText.shown.size();
    shredder->shredFile();
    shredder->shredDirectory();
    EXPECT_EQ(panel.shown.size(), 2u);
    EXPECT_EQ(statusText.value, "earlier outcome");
    EXPECT_EQ(statusText.shown.size(), redraws);
    EXPECT_TRUE(alerts.seen.empty());
    EXPECT_EQ(readFile(dir / "kept"), "kept");
}

}  // namespace
