// The run's account alone: it claims no more than the run did.

#include <gtest/gtest.h>

#include <algorithm>

#include "RunReport.h"

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
