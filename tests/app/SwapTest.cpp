// A swap area on an unencrypted device, said once a run by zurizede-cli: in the confirmation,
// the account and the report. Switches a real swap area on and off: needs root.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"
#include "TempDir.h"

namespace {

// The lines of text naming the swap area as one that memory may have been written to.
int swapLinesNaming(const std::string& text, const std::string& device) {
    int lines = 0;
    std::istringstream all(text);
    for (std::string line; std::getline(all, line);) {
        lines += line.find("Swap on ") != npos && line.find(device) != npos &&
                 line.find(" is not encrypted: what programs held in memory, the contents of ") !=
                     npos &&
                 line.find(" among them, may have been written there.") != npos;
    }
    return lines;
}

using Swap = Cli;

TEST_F(Swap, UnencryptedSwapIsSaidOnceARunInTheConfirmationTheAccountAndTheReport) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root: a swap area is switched on";
    std::string device;
    if (!sh("truncate -s 16M '" + (dir / "swap.img") + "' && losetup --find --show '" +
                (dir / "swap.img") + "'",
            &device)) {
        GTEST_SKIP() << "no loop device could be attached";
    }
    const struct Detach {
        std::string device;
        ~Detach() { sh("swapoff " + device + " 2>/dev/null; losetup --detach " + device); }
    } detach{device};
    if (!sh("mkswap " + device + " >/dev/null && swapon " + device + " 2>/dev/null"))
        GTEST_SKIP() << "swapon was refused here";
    // A shred, and the Trash and a wipe that nobody confirms: each asks and tells once.
    const std::vector<std::string> runs[] = {
        {"--yes", "secret"}, {"--trash"}, {"--free-space", "."}};
    makeFolder(dir / "data");
    for (const bool on : {true, false}) {
        for (const std::vector<std::string>& args : runs) {
            SCOPED_TRACE(args.front() + (on ? ", swap on" : ", swap off"));
            writeFile(dir / "secret", "contents");
            trashItem(dir / "data/Trash", "old", "contents", "/old");
            std::vector<std::string> all = args;
            all.insert(all.end(), {"--report", dir / "run.json"});
            const Finished done = finish(start(all, false, dir / "data"));
            EXPECT_EQ(swapLinesNaming(done.output, device), on ? 2 : 0) << done.output;
            EXPECT_EQ(swapLinesNaming(readFile(dir / "run.json"), device), on ? 1 : 0);
        }
        ASSERT_TRUE(!on || sh("swapoff " + device));
    }
}

}  // namespace
