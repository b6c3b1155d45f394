#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Display.h"
#include "FileManager.h"
#include "Panels.h"
#include "Services.h"
#include "ZVUtility.h"

// What the interface file connects: the window, its status display and the platform's
// services. The controller uses them and never owns them.
struct ShredderConnections {
    ProgressIndicator* progress = nullptr;
    Window* window = nullptr;
    TextField* folderText = nullptr;
    TextField* fileText = nullptr;
    TextField* statusText = nullptr;
    TextField* totalCount = nullptr;
    TextField* totalLinks = nullptr;
    TextField* totalBytes = nullptr;
    TextField* progressCount = nullptr;
    TextField* progressLinks = nullptr;
    TextField* progressBytes = nullptr;

    FileManager* fileManager = nullptr;
    UserDefaults* defaults = nullptr;
    AlertPanels* alerts = nullptr;
    OpenPanel* openPanel = nullptr;
    SystemLog* log = nullptr;
    Application* application = nullptr;
    Workspace* workspace = nullptr;
    // Makes a number formatter for the pattern it is given.
    std::function<std::unique_ptr<NumberFormatter>(const std::string& pattern)> makeNumberFormatter;
    // Asked before each item of a walk and between blocks of a file; YES stops the walk
    // there, as a removal error would. Stop in the window, and a signal in the terminal.
    std::function<bool()> stopRequested;
};

// How the last shred run ended.
enum class RunOutcome {
    None,       // no run yet
    Denied,     // the item may not be removed: nothing touched
    Cancelled,  // the confirmation was not answered "Proceed": nothing touched
    Stopped,    // a stop was asked for: the walk ended early
    Failed,     // the walk met an error and stopped
    Shredded,   // everything was overwritten and removed
};

// The one controller of the application: it runs every shred, answers the delete walk's
// callbacks, and carries out the menu actions. It knows nothing of threads: every call into
// it is made on one thread at a time.
class ZVORBAControlShredder : public RemovalHandler, private OverwriteObserver {
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
    // A path the desktop asks us to open; answers whether anything existed there.
    bool applicationOpenFile(const std::string& path);

    std::optional<std::string> fileManagerWillProcessPath(FileManager& manager,
                                                          const std::string& path) override;
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
    const std::optional<std::string>& privateTempFolder() const { return tempApplication; }
    std::uint64_t itemCounter() const { return count; }
    std::uint64_t linkCounter() const { return links; }
    std::uint64_t byteCounter() const { return amount; }
    std::int32_t runShredMode() const { return shredMode; }
    // The folders the last run's count could not read: its totals leave out what they hold.
    const std::vector<UnreadFolder>& unreadFolders() const { return unreadFolders_; }

private:
    void overwriteProgress(int pass, int passes, std::uint64_t written,
                           std::uint64_t length) override;
    bool overwriteShouldStop() override;
    bool stopRequested() const;

    std::string formatted(std::uint64_t number) const;
    void showSelection(const std::string& path, bool isDirectory);
    void countSelection(const std::string& path, bool isDirectory);
    void resetProgress();
    // The home folder, "/" or a folder directly under it: too much to shred by a slip.
    bool isWideChoice(const std::string& path) const;
    // Runs the file or folder panel; the chosen paths, or nothing when cancelled.
    std::optional<std::vector<std::string>> choose(bool folders);

    // Fields in the order the interface file knows them.
    ProgressIndicator* progress;
    Window* window;
    TextField* folderText;
    TextField* fileText;
    TextField* statusText;
    TextField* totalCount;
    TextField* totalLinks;
    TextField* totalBytes;
    TextField* progressCount;
    TextField* progressLinks;
    TextField* progressBytes;
    std::optional<std::string> tempApplication;
    std::unique_ptr<NumberFormatter> commaFormat;
    std::uint64_t count = 0;
    std::uint64_t links = 0;
    std::uint64_t amount = 0;
    std::int32_t shredMode = 0;

    ShredderConnections services_;
    bool running_ = false;
    RunOutcome outcome_ = RunOutcome::None;
    std::vector<UnreadFolder> unreadFolders_;
    // Progress inside the file in hand: the bar's value before it, and how much the run has
    // written so far, for the time left.
    double barBeforeFile_ = 0;
    std::uint64_t runWritten_ = 0;
    bool statusShowsPass_ = false;
    bool stoppedInAFile_ = false;  // a file was stopped after a whole pass and removed
    std::chrono::steady_clock::time_point runStarted_;
};

// Shown texts and settings keys, shared with the front ends and their tests.
namespace shredder_text {
inline constexpr const char* kShredAlert = "Shred Alert";
inline constexpr const char* kFileSystemAlert = "File System Alert";
inline constexpr const char* kNothingTouched = "No files were touched - shredding cancelled.";
inline constexpr const char* kShredded = "Files have been shredded.";
inline constexpr const char* kAllFilesInFolder = "(all files in package or folder)";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kProceed = "Proceed";
inline constexpr const char* kCancelShredding = "Cancel Shredding";
inline constexpr const char* kStopShredding = "Stop Shredding";
inline constexpr const char* kStoppedByRequest = "Shredding was interrupted";
inline constexpr const char* kStoppedInFirstPass =
    "Shredding was interrupted in the first pass: this file is left partly overwritten";
inline constexpr const char* kConfirmation =
    "If you proceed, you will be UNABLE to recover the shredded files. Please confirm that you "
    "wish to proceed.";
inline constexpr const char* kHelpCopyName = "ORBA Zurizede Readme.pdf";
inline constexpr const char* kMailURL =
    "mailto:support@zurizede.example.com?subject=Can%20you%20help%20with%20VARUdivezovu?";
inline constexpr const char* kWebURL = "http://www.zurizede.example.com/";
inline constexpr const char* kDiskUtilityTitle = "Apple Format Utility";
inline constexpr const char* kLaunchDiskUtility = "Launch Disk Utility";
}  // namespace shredder_text

namespace settings_key {
inline constexpr const char* kShredMode = "shredMode";
inline constexpr const char* kShredWarning = "shredWarning";
inline constexpr const char* kShredLogging = "shredLogging";
}  // namespace settings_key

// A byte count in the largest unit that keeps it at or above one: "1.2 GB", "512 bytes".
std::string humanBytes(std::uint64_t bytes);

// Replaces each "%@" of format by the next argument, in order.
std::string formatMessage(const std::string& format, std::initializer_list<std::string> args);
// The path with control characters and backslashes escaped, so that a log entry stays on
// one line and says exactly which bytes the path holds.
std::string escapedForLog(const std::string& path);
