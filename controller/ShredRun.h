#pragma once

// One shred run over one chosen item: the choice checked, counted, confirmed, walked (each
// item overwritten in turn, or on the pool for a small file, then counted off) and ended in
// the status line, the account and the record.

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controller/Run.h"
#include "engine/ZVUtility.h"

// Names removed unoverwritten because their contents had other links, by device and inode.
using SharedNames = std::map<std::pair<std::uint64_t, std::uint64_t>, std::string>;

// Why an overwrite's file must be kept: removing a file that was not overwritten would leave
// its contents on the disk while saying it was shredded. Nothing when it may go.
std::optional<Reason> reasonToKeep(const OverwriteOutcome& outcome);

class ShredRun : public Run, public RemovalHandler, private OverwriteObserver {
public:
    // A run alone asks and tells for itself; one of the Trash's items does neither, its
    // Trash run asks once and tells for all. earlier: the names removed by earlier runs whose
    // contents stay elsewhere, which this run may settle and add to.
    ShredRun(const ShredderConnections& services,
             const std::unique_ptr<NumberFormatter>& commaFormat, RunNotes& notes,
             SharedNames& earlier, bool partOfTrash);
    ~ShredRun() override;

    // The whole run over what was chosen: a folder with everything in it when isDirectory.
    void run(const std::string& chosen, bool isDirectory);

    const RunAccount& account() const { return account_; }
    // A run alone: what it left in place when it was stopped.
    const std::optional<LeftInPlace>& leftInPlace() const { return leftInPlace_; }
    // One of the Trash's items: its items, for the Trash's record.
    std::vector<ReportItem> takeItems() { return std::move(items_); }
    std::uint64_t itemsLeft() const { return count_; }
    std::uint64_t bytesLeft() const { return amount_; }
    ShredMode mode() const { return mode_; }
    // The folders the count could not read: its totals leave out what they hold.
    const std::vector<UnreadFolder>& unreadFolders() const { return unreadFolders_; }

    Decision fileManagerWillProcessPath(FileManager& manager, const WalkItem& item) override;
    std::vector<Decision> fileManagerFinishItems(FileManager& manager, std::size_t count) override;
    bool fileManagerShouldProceedAfterError(FileManager& manager,
                                            const RemovalError& info) override;

private:
    void overwriteProgress(int pass, int passes, std::uint64_t written,
                           std::uint64_t length) override;
    bool overwriteShouldStop() override;

    // The steps of a run, in order (ShredRun.cpp).
    Selection resolveChoice(const std::string& chosen, bool isDirectory) const;
    // Why the item may not be shredded at all, or null.
    const char* denialFor(const std::string& chosen, const Selection& selection) const;
    void deny(const std::string& path, const char* denial);
    void prepare(Selection& selection);
    bool confirmed(const Selection& selection);
    bool asked(const Alert& alert);
    // The walk; the status line it ends with, or nothing when its error said it.
    std::string walk(const Selection& selection);
    // The one end of every shred run: the status line (unless empty), then, for a run alone,
    // the account and the record.
    void finish(RunOutcome outcome, const std::string& status, const std::string& chosen);
    void settleSharedNames();

    void showSelection(const std::string& path, bool isDirectory);
    void countSelection(const std::string& path, bool isDirectory);
    void countFolder(const std::string& path,
                     const std::function<void(const FileAttributes&, const std::string&)>& note);
    // The home folder, "/" or a folder directly under it: too much to shred by a slip.
    bool isWideChoice(const std::string& path) const;
    // What overwriting will not reach in the counted selection, one line each.
    std::vector<std::string> warnings() const;

    // The walk's callbacks' steps (RemovalCallbacks.cpp).
    Decision startInFlight(FileManager& manager, const WalkItem& item, OverwriteSeams watched);
    Decision settle(const WalkItem& item, const OverwriteOutcome& outcome);
    void noteOverwrite(const WalkItem& item, const OverwriteOutcome& outcome);
    void countOff(const OverwriteOutcome& outcome);
    void recordItem(const WalkItem& item, ItemType type, const OverwriteOutcome* outcome,
                    const std::string& reason = {});

    const bool partOfTrash_;
    SharedNames& sharedRemovedEarlier_;
    ShredMode mode_ = ShredMode::RandomPass;
    bool verifyLastPass_ = false;
    // The count, taken off as the walk goes: items, links and bytes left.
    std::uint64_t count_ = 0, links_ = 0, amount_ = 0;
    std::vector<UnreadFolder> unreadFolders_;
    SelectionFindings findings_;
    RunAccount account_;
    // Names removed unoverwritten because their contents had other links: forgotten when a
    // later name of the same contents is overwritten.
    SharedNames sharedRemoved_;
    bool walkRefused_ = false;  // the walk was told to stop: later errors are only counted
    // Small files whose overwrite runs on the pool, in the order they were announced.
    struct InFlight {
        std::string name, path;
        struct stat status;
        OverwriteJob job;
        std::uint64_t ticket = 0;
        std::uint64_t handle = 0;  // the walk's name for it, from its Later answer
        // Removed on the pool once overwritten, as the walk would: 0, or why it stayed.
        int removalError = 0;
        bool removedOnPool = false;
    };
    std::vector<std::unique_ptr<InFlight>> inFlight_;
    std::uint64_t handles_ = 0;  // the last handle given
    // Progress inside the file in hand: the bar's value before it, and how much the run has
    // written so far, for the time left.
    double barBeforeFile_ = 0;
    std::uint64_t runWritten_ = 0;
    bool statusShowsPass_ = false;
    bool stoppedInAFile_ = false;  // a file was stopped after a whole pass and removed
    std::chrono::steady_clock::time_point walkStarted_;
    // For the report: the items as they ended, found by identity; folders recorded as removed
    // when the walk went into them, settled when the run ends, as some may stay.
    std::vector<ReportItem> items_;
    std::map<ItemIdentity, std::size_t> itemIndex_;
    std::vector<std::pair<std::size_t, std::string>> recordedFolders_;
    std::optional<LeftInPlace> leftInPlace_;
};
