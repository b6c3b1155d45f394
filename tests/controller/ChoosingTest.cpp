#include "ShredderFixture.h"

namespace {

using namespace shredder_text;

using Choosing = ShredderFixture;

// Each folder chosen asks its own confirmation, in the panel's order; a vanished one is still
// handed on, denied, and stops none after it.
TEST_F(Choosing, EachFolderAsksItsOwnConfirmationInThePanelsOrderAndAVanishedOneIsDenied) {
    for (const char* name : {"one", "two", "three"}) {
        makeFolder(dir / name);
        writeFile(dir / name + "/inside", name);
    }
    panel.paths = {dir / "one", dir / "vanished", dir / "two", dir / "three"};
    defaults.values = {{"shredWarning", 1}};
    alerts.answers = {1, 1, 0, 0};  // Cancel the first, Proceed with the others
    shredder->shredDirectory();
    ASSERT_EQ(alerts.seen.size(), 4u);
    for (std::size_t i : {0u, 2u, 3u}) EXPECT_EQ(alerts.seen[i].message, kConfirmation) << i;
    EXPECT_EQ(alerts.seen[1].message, "The folder " + (dir / "vanished") +
                                          " contains files you do not have permission to delete.");
    EXPECT_EQ(readFile(dir / "one/inside"), "one");
    EXPECT_FALSE(exists(dir / "two") || exists(dir / "three"));
}

}  // namespace
