// The run's words, alone: what each reason says, and an account that claims no more than
// the run did.

#include <gtest/gtest.h>

#include <cerrno>

#include "RunReport.h"

namespace {

TEST(RunReport, EachReasonIsWordedWithItsCause) {
    const std::pair<Reason, std::string> cases[] = {
        {{ReasonCode::SystemError, ENOENT}, "No such file or directory"},
        {{ReasonCode::MountPoint}, "Is a mount point: nothing in it was touched"},
        {{ReasonCode::NotRemovable, EACCES},
         "Left untouched: it could not be removed afterwards (Permission denied)"},
        {{ReasonCode::NotRemovable, EPERM},
         "Left untouched: it could not be removed afterwards (it or its folder is marked "
         "immutable or append-only)"},
        {{ReasonCode::StoppedByRequest}, shredder_text::kStoppedByRequest},
        {{ReasonCode::CouldNotExamine, EIO}, "Could not examine the item (Input/output error)"},
        {{ReasonCode::CouldNotOverwrite, EACCES},
         "Could not overwrite the file (Permission denied)"},
        {{ReasonCode::NoRandomBytes, ENOENT},
         "Could not overwrite the file: the random device /dev/urandom could not be opened (No "
         "such file or directory)"},
        {{ReasonCode::Unverified},
         "The last pass read back differently from what was written: the file is kept"},
        {{ReasonCode::Unverified, EIO},
         "The last pass could not be read back (Input/output error): the file is kept"},
    };
    for (const auto& [reason, words] : cases) {
        EXPECT_EQ(reasonInWords(reason), words);
    }
}

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
    EXPECT_EQ(details.front(), "Overwritten: 2 files, 2.0 kB (2048 bytes), 4 passes each");
    EXPECT_EQ(details.back(),
              "Storage (ext4): whether overwriting reaches the old data is "
              "unknown (a virtual disk)");
    EXPECT_EQ(accountSummary(RunOutcome::Denied, account, ShredMode::RandomPass),
              "Nothing was touched.");
    EXPECT_EQ(accountDetails(RunOutcome::Cancelled, RunAccount{}, ShredMode::RandomPass, grouped),
              std::vector<std::string>{});
    EXPECT_EQ(humanBytes(999), "999 bytes");
    EXPECT_EQ(humanBytes(999950), "1.0 MB");
}

}  // namespace
