#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Display.h"
#include "FileManager.h"
#include "FreeSpace.h"
#include "Panels.h"
#include "Report.h"
#include "RunNotes.h"
#include "RunReport.h"
#include "Services.h"
#include "Trash.h"
#include "ZVUtility.h"

struct TrashContents;

// What the interface file connects: the window, its status display and the platform's
// services. The controller uses them and never owns them.
struct ShredderConnections {
    StatusDisplay display;  // made by statusDisplayOf
    Window* window = nullptr;

    FileManager* fileManager = nullptr;
    UserDefaults* defaults = nullptr;
    AlertPanels* alerts = nullptr;
    OpenPanel* openPanel = nullptr;
    SystemLog* log = nullptr;
    AccountView* account = nullptr;  // optional
    Application* application = nullptr;
    Workspace* workspace = nullptr;
    // Makes a number formatter for the pattern it is given.
    std::function<std::unique_ptr<NumberFormatter>(const std::string& pattern)> makeNumberFormatter;
    // Asked before each item of a walk and between blocks of a file; YES stops the walk
    // there, as a removal error would. Stop in the window, and a signal in the terminal.
    std::function<bool()> stopRequested;
    // Optional: small files are overwritten on its threads, their syncs in flight together.
    // Without it every file is overwritten in turn.
    TaskPool* overwriters = nullptr;
    // Replaces the sync that makes each pass reach the device (tests); answers 0 or errno.
    std::function<int(int fd)> syncPass;
    // The remedies for what overwriting in place cannot reach; optional.
    FreeSpaceWiper* freeSpace = nullptr;
    TrashCan* trash = nullptr;
    // Keep every item of a run for its report (the window, and the terminal when one is
    // asked for): the memory a run takes then grows with the items it has.
    bool recordItems = false;
};

// The one controller of the application: it runs every shred, answers the delete walk's
// callbacks, and carries out the menu actions. It knows nothing of threads: every call into
// it is made on one thread at a time.
class ZVORBAControlShredder : public RemovalHandler,
                              private OverwriteObserver,
                              private FillObserver {
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

    Decision fileManagerWillProcessPath(FileManager& manager, const WalkItem& item) override;
    std::vector<Decision> fileManagerFinishItems(FileManager& manager) override;
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
    std::uint64_t itemCounter() const { return count; }
    std::uint64_t byteCounter() const { return amount; }
    ShredMode runShredMode() const { return shredMode; }
    // The folders the last run's count could not read: its totals leave out what they hold.
    const std::vector<UnreadFolder>& unreadFolders() const { return unreadFolders_; }

private:
    void overwriteProgress(int pass, int passes, std::uint64_t written,
                           std::uint64_t length) override;
    bool overwriteShouldStop() override;
    void fillProgress(std::uint64_t written) override;
    bool fillShouldStop() override;
    bool stopRequested() const;

    std::string formatted(std::uint64_t number) const;
    // "2.0 kB (2,048 bytes)", or just "12 bytes".
    std::string exactBytes(std::uint64_t bytes) const;
    void showSelection(const std::string& path, bool isDirectory);
    void countSelection(const std::string& path, bool isDirectory);
    void countFolder(const std::string& path,
                     const std::function<void(const FileAttributes&, const std::string&)>& note);
    void countOff(const OverwriteOutcome& outcome);
    std::optional<Reason> reasonToKeep(const OverwriteOutcome& outcome);
    void resetProgress();
    // What overwriting will not reach in the counted selection, one line each.
    std::vector<std::string> warnings() const;
    void noteOverwrite(const WalkItem& item, const OverwriteOutcome& outcome);
    void showAccount();

    // The steps of a run, in order.
    void beginRun();
    Selection resolveChoice(const std::string& chosen, bool isDirectory) const;
    // Why the item may not be shredded at all, or null.
    const char* denialFor(const std::string& chosen, const Selection& selection) const;
    void deny(const std::string& path, const char* denial);
    void prepare(Selection& selection);
    bool confirmed(const Selection& selection);
    void walk(const Selection& selection);
    // The home folder, "/" or a folder directly under it: too much to shred by a slip.
    bool isWideChoice(const std::string& path) const;
    // Whether an item is at path, a folder or not; a symbolic link is one, whatever it
    // points to.
    bool itemExists(const std::string& path, bool& isDirectory) const;
    // Runs the file or folder panel; the chosen paths, or nothing when cancelled.
    std::optional<std::vector<std::string>> choose(bool folders);
    // Why the free space of that file system is not wiped, or nothing.
    std::optional<std::string> wipeRefusal(const std::string& folder,
                                           const std::optional<FileSystemFacts>& facts,
                                           int errorNumber) const;
    // The steps of a free-space wipe after the confirmation, and what it says.
    std::vector<std::string> wipeDetails(const FileSystemFacts& facts, double measuredRate) const;
    void fillAndTell(const std::string& folder, WipeFolder& held, const RandomBytes& random);
    std::vector<std::string> fillAccount(const FileSystemFacts& facts, const FillResult& result,
                                         double took, bool whole) const;
    void keepWipeRecord(const std::string& folder, const std::optional<FileSystemFacts>& facts,
                        const std::string& summary, const std::vector<std::string>& details,
                        const FillResult& result);
    void endRun();
    // Once a run: where what programs held in memory may lie unencrypted (swap, a hibernation
    // image), in one line that the run's confirmation, account and record then carry. stake
    // names what is at stake: "these files".
    void noteMemoryExposure(const char* stake = "these files");
    void settleSharedNames();
    void recordItem(const WalkItem& item, const std::string& type, const OverwriteOutcome* outcome,
                    const std::string& reason = {});
    void tellAccount(const std::string& summary, const std::vector<std::string>& details);
    // The Trash's steps (TrashRun.cpp): the one confirmation, the folders in turn, one
    // folder's items through shred runs and then their records (false when the folder was
    // moved or replaced meanwhile), and its directorysizes lines.
    bool trashConfirmed(const std::vector<TrashContents>& trash,
                        const std::vector<std::string>& notes);
    RunOutcome shredTrashFolders(const std::vector<TrashContents>& trash);
    bool shredTrashFolder(const TrashFolder& folder, const std::vector<TrashedItem>& items);
    bool forgetTrashSizes(const TrashFolder& folder, const std::vector<std::string>& gone);

    // Shows text in a field of the status display, redrawn at once or with the next frame.
    void show(Field field, const std::string& text, bool redrawNow);

    StatusDisplay display_;
    ProgressIndicator* progress;
    Window* window;
    std::optional<std::string> tempApplication;
    std::unique_ptr<NumberFormatter> commaFormat;
    std::uint64_t count = 0;
    std::uint64_t links = 0;
    std::uint64_t amount = 0;
    ShredMode shredMode = ShredMode::RandomPass;

    ShredderConnections services_;
    RunNotes notes_;  // services_ asks and tells through it
    bool running_ = false;
    RunOutcome outcome_ = RunOutcome::None;
    std::vector<UnreadFolder> unreadFolders_;
    SelectionFindings findings_;
    RunAccount account_;
    // Names removed unoverwritten because their contents had other links, by device and
    // inode: forgotten when a later name of the same contents is overwritten.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::string> sharedRemoved_;
    // The same, left over from earlier runs.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::string> sharedRemovedEarlier_;
    bool verifyLastPass_ = false;
    bool walkRefused_ = false;  // the walk was told to stop: later errors are only counted
    // Small files whose overwrite runs on the pool, in the order they were announced.
    struct InFlight {
        std::string name, path;
        struct stat status;
        OverwriteJob job;
        std::uint64_t ticket = 0;
    };
    std::vector<std::unique_ptr<InFlight>> inFlight_;
    // Progress inside the file in hand: the bar's value before it, and how much the run has
    // written so far, for the time left.
    double barBeforeFile_ = 0;
    std::uint64_t runWritten_ = 0;
    bool statusShowsPass_ = false;
    bool stoppedInAFile_ = false;  // a file was stopped after a whole pass and removed
    std::chrono::steady_clock::time_point runStarted_;
    // While a free-space wipe runs: the bytes it may fill.
    std::uint64_t fillTotal_ = 0;
    // While the Trash is shredded: the runs' accounts added up, and no run asks or tells on
    // its own.
    std::optional<RunAccount> batch_;
    // For the report: the items of the run (or of the Trash's runs) as they ended, when it
    // began, and what it comes to.
    std::vector<ReportItem> items_;
    std::map<std::string, std::size_t> itemIndex_;  // by path
    // Folders recorded as removed when the walk went into them, by index and path: settled
    // when the run ends, as some may stay.
    std::vector<std::pair<std::size_t, std::string>> recordedFolders_;
    std::chrono::system_clock::time_point runBegan_;
    RunRecord record_;
    std::optional<LeftInPlace> leftInPlace_;
    std::uint64_t runsBegun_ = 0;
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
