#pragma once

// The free-space wipe of the file system holding one folder: refused, asked, filled and given
// back, then said in the status line, the account and the record.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "controller/Run.h"

class WipeRun : public Run, private FillObserver {
public:
    WipeRun(const ShredderConnections& services,
            const std::unique_ptr<NumberFormatter>& commaFormat, RunNotes& notes,
            std::string folder);

    // The whole wipe, from opening the folder to its record.
    void run();

    // What the account says of where the free space lies, once the wipe was not refused.
    const std::optional<StorageVerdict>& storage() const { return storage_; }

private:
    void fillProgress(std::uint64_t written) override;
    bool fillShouldStop() override;

    // Why the free space of that file system is not wiped, or nothing.
    std::optional<std::string> refusal(int errorNumber) const;
    // The steps of a free-space wipe after the confirmation, and what it says.
    std::vector<std::string> wipeDetails(double measuredRate) const;
    bool confirmed(const std::vector<std::string>& details) const;
    void fillAndTell(WipeFolder& held, const RandomBytes& random);
    std::vector<std::string> fillAccount(double took, bool whole) const;
    // The one end of every wipe: the status line (unless empty), the account (but for a
    // refusal, which its alert said) and the record. The confirmation's details are kept in
    // the record alone when nothing was filled.
    void finish(RunOutcome outcome, const std::string& status, const std::string& summary,
                const std::vector<std::string>& details);

    const std::string folder_;
    std::optional<FileSystemFacts> facts_;
    std::optional<StorageVerdict> storage_;
    bool filled_ = false;
    FillResult result_;
    std::uint64_t fillTotal_ = 0;  // the bytes the fill may write
    std::chrono::steady_clock::time_point fillStarted_;
};
