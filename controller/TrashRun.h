#pragma once

// Shredding the Trash: every trashed item through a shred run of its own, then its record,
// under one confirmation and one account.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "controller/Run.h"
#include "controller/ShredRun.h"

struct TrashContents;

class TrashRun : public Run {
public:
    // initialMode: what the record names as the method when the Trash holds nothing.
    TrashRun(const ShredderConnections& services,
             const std::unique_ptr<NumberFormatter>& commaFormat, RunNotes& notes,
             SharedNames& earlier, ShredMode initialMode);

    // Every trusted trash folder, held for the run, its items shredded in turn.
    void run();

    // The item runs' accounts added up, with each trash folder's storage.
    const RunAccount& account() const { return account_; }

private:
    // The one confirmation: each trash folder's count and storage, the mode, and the notes.
    bool confirmed(const std::vector<TrashContents>& trash) const;
    // Folder after folder, until one is moved or replaced under the run, or a stop.
    RunOutcome shredFolders(const std::vector<TrashContents>& trash);
    struct FolderEnd {
        RunOutcome worst = RunOutcome::Shredded;
        bool inPlace = true;  // the folder's path still led to the folder held
    };
    FolderEnd shredFolder(const TrashFolder& folder, const std::vector<TrashedItem>& items);
    // One path through a shred run of its own, its account and items added to the Trash's;
    // what fell short is noted in worst.
    void shredItem(const std::string& path, bool isDirectory, RunOutcome& worst);
    bool forgetSizes(const TrashFolder& folder, const std::vector<std::string>& gone);
    // The one end: the status line (unless empty), the account, the record.
    void finish(RunOutcome outcome, const std::string& status, const std::string& summary,
                const std::vector<std::string>& details);

    SharedNames& sharedRemovedEarlier_;
    ShredMode mode_;
    RunAccount account_;
    std::vector<ReportItem> items_;
    // The trash folders passed over and the items copied across file systems: said throughout.
    std::vector<std::string> notes_;
};
