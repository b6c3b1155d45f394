#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controller/RunNotes.h"
#include "controller/RunReport.h"
#include "controller/ShredRun.h"
#include "controller/ShredderConnections.h"
#include "engine/ZVUtility.h"
#include "platform/Display.h"
#include "platform/FileManager.h"
#include "platform/FreeSpace.h"
#include "platform/Panels.h"
#include "platform/Report.h"
#include "platform/Services.h"
#include "platform/Trash.h"

// The one controller of the application: it starts every run (ShredRun, TrashRun, WipeRun),
// keeps what spans them, and carries out the menu actions. It knows nothing of threads: every call
// into it is made on one thread at a time.
class ZVORBAControlShredder : public RemovalHandler {
public:
    explicit ZVORBAControlShredder(const ShredderConnections& connections);
    ~ZVORBAControlShredder() override;

    // Start-up: the formatter, the window frame, the registered defaults, the private
    // temporary folder.
    void awakeFromNib();
    // A new owner-only folder named from the template inside base, or nothing.
    std::optional<std::string> setupDirectory(const std::optional<std::string>& base,
                                              const std::optional<std::string>& name);

    // One shred run over one item: a folder with everything in it when isDirectory.
    void shredFiles(const std::string& path, bool isDirectory);
    void shredFile();       // the file panel, then a run per chosen file
    void shredDirectory();  // the folder panel, then a run per chosen folder
    // Fills the free space of the file system holding the folder with random bytes and gives
    // it back, after saying what that reaches and asking.
    void wipeFreeSpaceAtPath(const std::string& folder);
    void wipeFreeSpace();  // the folder panel, then the wipe
    // Every item of every trash folder the user has, each through a shred run, with its
    // record; one confirmation and one account for all of it.
    void shredTrash();
    // A path the desktop asks us to open; answers whether anything existed there.
    bool applicationOpenFile(const std::string& path);
    // The names removed by every run so far whose contents were not overwritten under
    // another name by the end of the last: contents that stay on the disk. A later run that
    // overwrites a file under its last name settles the names removed before it.
    std::vector<std::string> namesWithContentsElsewhere() const;

    // The delete walk's callbacks, answered by the last shred run.
    Decision fileManagerWillProcessPath(FileManager& manager, const WalkItem& item) override;
    std::vector<Decision> fileManagerFinishItems(FileManager& manager, std::size_t count) override;
    bool fileManagerShouldProceedAfterError(FileManager& manager,
                                            const RemovalError& info) override;

    bool windowShouldClose();
    void applicationWillTerminate();

    void showHelp();
    void zevvyMail();
    void zevvyWWW();
    void diskUtility();

    // Whether a shred run is in progress (a quit request then waits for its end).
    bool isRunning() const { return running_; }
    RunOutcome lastRunOutcome() const { return outcome_; }
    const RunAccount& lastRunAccount() const { return account_; }
    // What a report of the last run says (of the last choice, when several were chosen).
    const RunRecord& lastRunRecord() const { return record_; }
    // What the last run left in place, when it was stopped (also in its record).
    const std::optional<LeftInPlace>& lastRunLeftInPlace() const { return leftInPlace_; }
    // How many runs have begun: a front end tells a new record from one it has seen.
    std::uint64_t runsBegun() const { return runsBegun_; }
    const std::optional<std::string>& privateTempFolder() const { return tempApplication; }
    // The last shred run's figures left, its mode, and the folders its count could not read
    // (its totals leave out what they hold).
    std::uint64_t itemCounter() const { return shred_->itemsLeft(); }
    std::uint64_t byteCounter() const { return shred_->bytesLeft(); }
    ShredMode runShredMode() const { return shred_->mode(); }
    const std::vector<UnreadFolder>& unreadFolders() const { return shred_->unreadFolders(); }

private:
    // A new run's start: it is counted, and nothing is left of the last one's ending.
    void beginRun();
    // Its end: the run's record, with the run's notes among its warnings.
    void endRun(RunRecord record);
    // Runs the file or folder panel; the chosen paths, or nothing when cancelled.
    std::optional<std::vector<std::string>> choose(bool folders);
    bool stopRequested() const;

    ShredderConnections services_;  // asking and telling through notes_
    RunNotes notes_;
    std::optional<std::string> tempApplication;
    std::unique_ptr<NumberFormatter> commaFormat;
    // Names removed unoverwritten by every run so far whose contents had other links, by
    // device and inode: forgotten when a later name of the same contents is overwritten.
    SharedNames sharedRemovedEarlier_;
    // The last shred run alone (an idle one before the first): the walk's callbacks and the
    // figures go to it.
    std::unique_ptr<ShredRun> shred_;
    bool running_ = false;
    std::uint64_t runsBegun_ = 0;
    // How the last run ended, for the front ends.
    RunOutcome outcome_ = RunOutcome::None;
    RunAccount account_;
    RunRecord record_;
    std::optional<LeftInPlace> leftInPlace_;
};

// Settings keys, shared with the front ends and their tests.
namespace settings_key {
inline constexpr const char* kShredMode = "shredMode";
inline constexpr const char* kShredWarning = "shredWarning";
inline constexpr const char* kShredLogging = "shredLogging";
inline constexpr const char* kShredVerify = "shredVerify";
// Text, not a number: the name reports give as the person who ran them.
inline constexpr const char* kOperatorName = "operatorName";
}  // namespace settings_key
