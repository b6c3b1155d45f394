// The run's account alone: it claims no more than the run did.

#include <gtest/gtest.h>

#include <algorithm>

#include "controller/RunNotes.h"
#include "controller/RunReport.h"

namespace {

TEST(RunReport, TheAccountNamesWhatWasNotDestroyedAndNothingForARefusal) {
    RunAccount account;
    account.filesOverwritten = 2;
    account.bytesOverwritten = 2048;
    account.symbolicLinks.add("/t/link");
    account.stillReachable.add("/t/shared");
    account.kept.emplace_back("/t/kept", "Permission denied");
    account.storage = StorageVerdict{StorageReach::Unknown, "ext4", "a virtual disk", false};
    EXPECT_EQ(accountSummary(RunOutcome::Failed, account, ShredMode::FourPasses),
              "2 files overwritten (2.0 kB, 4 passes) \u00b7 1 name removed, contents still on "
              "the disk \u00b7 1 link removed, targets untouched \u00b7 1 item kept \u00b7 see "
              "the storage note");
    const auto grouped = [](std::uint64_t n) { return std::to_string(n); };
    const std::vector<std::string> details =
        accountDetails(RunOutcome::Failed, account, ShredMode::FourPasses, grouped);
    EXPECT_NE(std::find(details.begin(), details.end(), "Kept: /t/kept: Permission denied"),
              details.end());
    EXPECT_EQ(accountSummary(RunOutcome::Denied, account, ShredMode::RandomPass),
              "Nothing was touched.");
}

// A report's result claims no more than the run did: a name removed while its contents stay
// under another leaves the run partly done, and a file stopped inside its first pass was
// written to, though nothing was removed.
TEST(RunReport, TheReportsResultIsPartlyWhereContentsStayOrAFileWasWrittenTo) {
    const auto grouped = [](std::uint64_t n) { return std::to_string(n); };
    const auto statusOf = [&](RunOutcome outcome, const RunAccount& account) {
        RunRecord record;
        addShredAccount(record, outcome, account, ShredMode::RandomPass, {}, {}, grouped);
        return record.status;
    };
    RunAccount done;
    done.filesOverwritten = 1;
    EXPECT_EQ(statusOf(RunOutcome::Shredded, done), RunStatus::Shredded);
    RunAccount shared = done;
    shared.stillReachable.add("/t/shared");
    EXPECT_EQ(statusOf(RunOutcome::Shredded, shared), RunStatus::Partly);
    RunAccount stopped;
    stopped.kept.emplace_back("/t/big", reasonInWords({ReasonCode::StoppedInFirstPass}));
    EXPECT_EQ(statusOf(RunOutcome::Stopped, stopped), RunStatus::Partly);
    stopped.kept.back().second = "Permission denied";
    EXPECT_EQ(statusOf(RunOutcome::Stopped, stopped), RunStatus::Not);
}

// Runs on several file systems (the Trash's folders, several paths) tell the worst verdict of
// them, in the account and in the report, whatever their order.
TEST(RunReport, RunsOnSeveralFileSystemsTellTheWorstVerdict) {
    using enum StorageReach;
    const StorageVerdict verdicts[] = {{Reaches, "ext4"}, {Unknown, "vfat"}, {NotNeeded, "tmpfs"}};
    for (const std::size_t first : {0, 1, 2}) {
        RunAccount total;
        RunRecord all;
        for (std::size_t i = 0; i < 3; ++i) {
            RunAccount run;
            run.storage = verdicts[(first + i) % 3];
            addTo(total, run);
            const auto now = std::chrono::system_clock::now();
            addRun(all, recordOfRun(RunKind::Shred, "x", now, now, run.storage));
        }
        EXPECT_EQ(total.storage->fileSystem, "vfat");
        EXPECT_EQ(all.storage.fileSystem, "vfat");
    }
}

// Swap areas and a hibernation image elsewhere, in the one line a run says of them.
TEST(RunReport, UnencryptedSwapAndHibernationAreSaidInOneLine) {
    const std::string tail =
        ": what programs held in memory, the contents of these files among "
        "them, may have been written there.";
    const struct {
        MemoryOnDisk found;
        std::string said;
    } cases[] = {
        {{}, ""},
        {{{"/dev/sda2"}, ""}, "Swap on /dev/sda2 is not encrypted" + tail},
        {{{"/dev/sda2", "/swap file", "/dev/loop0"}, ""},
         "Swap on /dev/sda2, /swap file and /dev/loop0 is not encrypted" + tail},
        {{{}, "/dev/sda3"}, "The hibernation image on /dev/sda3 is not encrypted" + tail},
        {{{"/dev/sda2"}, "/dev/sda3"},
         "Swap on /dev/sda2 is not encrypted, nor is the hibernation image on /dev/sda3" + tail},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(memoryOnDiskInWords(c.found, "these files"), c.said);
    }
}

// Each byte that would not read back as itself (a control, a backslash, a byte that is not
// part of well-formed UTF-8) is written as its escape; well-formed text stays as it is.
TEST(RunReport, EscapingKeepsEveryNameDistinctAndReadable) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain/é/\U0001F600", "plain/é/\U0001F600"},
        {"ctl\x01\\", "ctl\\x01\\\\"},
        {"n\xff", "n\\xff"},
        {"n\xfe", "n\\xfe"},
        {"overlong\xc0\xaf", "overlong\\xc0\\xaf"},
        {"surrogate\xed\xa0\x80", "surrogate\\xed\\xa0\\x80"},
        {"beyond\xf4\x90\x80\x80", "beyond\\xf4\\x90\\x80\\x80"},
        {"cut\xe2\x82", "cut\\xe2\\x82"},
        {"c1\xc2\x9b", "c1\\xc2\\x9b"},
    };
    for (const auto& [raw, escaped] : cases) {
        EXPECT_EQ(escapedForLog(raw), escaped);
    }
}

}  // namespace
