#pragma once

// What a run says, in words: the confirmation's details, the warnings, the account and the
// reasons an item was kept. Pure functions of what the run counted and did.

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/ZVUtility.h"
#include "platform/FileManager.h"
#include "platform/PathString.h"
#include "platform/Report.h"
#include "platform/Texts.h"

// How the last shred run ended.
enum class RunOutcome {
    None,       // no run yet
    Denied,     // the item may not be removed: nothing touched
    Cancelled,  // the confirmation was not answered "Proceed": nothing touched
    Stopped,    // a stop was asked for: the walk ended early
    Failed,     // the walk met an error and stopped
    Shredded,   // everything was overwritten and removed
};

// Paths of one kind: how many there were, and the first few to name.
struct NamedItems {
    static constexpr std::size_t kNamed = 5;
    std::uint64_t count = 0;
    std::vector<std::string> first;
    void add(const std::string& path) {
        if (++count <= kNamed) {
            first.push_back(path);
        }
    }
};

// What a run did, as far as overwriting is concerned: its account.
struct RunAccount {
    std::uint64_t filesOverwritten = 0;
    std::uint64_t bytesOverwritten = 0;  // each file's size once, not once per pass
    std::uint64_t filesVerified = 0;
    bool verifying = false;
    // Removed after fewer passes than the mode has, because a stop was asked for.
    NamedItems stoppedEarly;
    // Removed without their contents being destroyed: names whose contents stay reachable
    // through another link, symbolic links (targets left alone), special files.
    NamedItems stillReachable;
    NamedItems symbolicLinks;
    NamedItems specialFiles;
    // What the walk kept and why.
    std::vector<std::pair<std::string, std::string>> kept;
    // Files that appeared, and bytes that files grew, after the count was taken: the left-to-
    // shred figures stop at zero, and the account says these.
    std::uint64_t itemsBeyondCount = 0, bytesBeyondCount = 0;
    std::optional<StorageVerdict> storage;
    // The Trash's: each trash folder's verdict, by its path, said in place of storage's.
    std::vector<std::pair<std::string, StorageVerdict>> storageOf;
};

// Adds one run's account to the accounts of the runs before it.
void addTo(RunAccount& total, const RunAccount& run);

// What the count found that overwriting will not reach.
struct SelectionFindings {
    NamedItems topNames;  // the names directly in a chosen folder
    NamedItems shared;    // regular files with names outside the selection (hard links)
    std::uint64_t specialFiles = 0;
};

// What was chosen for a run, and how it is to be shredded.
struct Selection {
    std::string path;
    bool isDirectory = false;
    std::uint64_t items = 0, links = 0, bytes = 0;
    ShredMode mode = ShredMode::RandomPass;
    bool verifying = false;
};

// A count grouped by thousands, as the number formatter "#,##0" shows it.
using Grouped = std::function<std::string(std::uint64_t)>;

// Shown texts, shared with the front ends and their tests. Each is translated where it is
// shown, in the context "ShredRun".
namespace shredder_text {
inline constexpr const char* kShredAlert = TRANSLATABLE("ShredRun", "Shred Alert");
inline constexpr const char* kFileSystemAlert = TRANSLATABLE("ShredRun", "File System Alert");
inline constexpr const char* kNothingTouched =
    TRANSLATABLE("ShredRun", "No files were touched - shredding cancelled.");
inline constexpr const char* kShredded = TRANSLATABLE("ShredRun", "Files have been shredded.");
inline constexpr const char* kAllFilesInFolder =
    TRANSLATABLE("ShredRun", "(all files in package or folder)");
inline constexpr const char* kCancel = TRANSLATABLE("ShredRun", "Cancel");
inline constexpr const char* kProceed = TRANSLATABLE("ShredRun", "Proceed");
inline constexpr const char* kCancelShredding = TRANSLATABLE("ShredRun", "Cancel Shredding");
inline constexpr const char* kStopShredding = TRANSLATABLE("ShredRun", "Stop Shredding");
inline constexpr const char* kStoppedByRequest =
    TRANSLATABLE("ShredRun", "Shredding was interrupted");
inline constexpr const char* kStoppedInFirstPass = TRANSLATABLE(
    "ShredRun",
    "Shredding was interrupted in the first pass: this file is left partly overwritten");
inline constexpr const char* kConfirmation = TRANSLATABLE(
    "ShredRun",
    "If you proceed, you will be UNABLE to recover the shredded files. Please confirm that you "
    "wish to proceed.");
inline constexpr const char* kHelpCopyName = "ORBA Zurizede Readme.pdf";
inline constexpr const char* kMailURL =
    "mailto:support@zurizede.example.com?subject=Can%20you%20help%20with%20VARUdivezovu?";
inline constexpr const char* kWebURL = "http://www.zurizede.example.com/";
inline constexpr const char* kDiskUtilityTitle = TRANSLATABLE("ShredRun", "Apple Format Utility");
inline constexpr const char* kLaunchDiskUtility = TRANSLATABLE("ShredRun", "Launch Disk Utility");
// A report's reason for a name removed unoverwritten while its contents had another, until
// the run's end tells where they went.
inline constexpr const char* kContentsHaveAnotherName =
    TRANSLATABLE("ShredRun", "its contents have another name");
}  // namespace shredder_text

// A byte count in the largest decimal unit that keeps it at or above one: "1.2 GB",
// "512 bytes".
std::string humanBytes(std::uint64_t bytes);

// The mode in words: "1 pass of random bytes", "4 passes", "11 passes".
std::string modeInWords(ShredMode mode);
// Why an item was kept, in words: the one place a reason becomes text.
std::string reasonInWords(const Reason& reason);
// The storage verdict in words, with the file system and the reason.
std::string storageInWords(const StorageVerdict& verdict);
// How the walk made removed names unreadable on that file system: "the file system wipes
// removed names" or "renamed before removal".
std::string namesInWords(const StorageVerdict& verdict);
// The same in the report schema's English words, which a report's JSON keeps; translated
// where shown in the context "Storage".
const char* namesForReport(const StorageVerdict& verdict);

// Replaces each "%@" of format by the next argument, in order.
std::string formatMessage(const std::string& format, std::initializer_list<std::string> args);
// "2.0 kB (2,048 bytes)", or just "12 bytes".
std::string exactBytes(std::uint64_t bytes, const Grouped& grouped);
// What overwriting will not reach in the counted selection, one line each.
std::vector<std::string> unreachedWarnings(const RunAccount& account,
                                           const SelectionFindings& findings, std::uint64_t links);
// The lines below the confirmation: what, how much, how, and the warnings.
std::vector<std::string> confirmationDetails(const Selection& chosen,
                                             const SelectionFindings& findings,
                                             const RunAccount& account, const Grouped& grouped);
// The account's one line, and the details behind it.
std::string accountSummary(RunOutcome outcome, const RunAccount& account, ShredMode mode);
std::vector<std::string> accountDetails(RunOutcome outcome, const RunAccount& account,
                                        ShredMode mode, const Grouped& grouped);

// What a report of a run says: the facts every kind of run has (the times, the storage),
// then, for a shred or the Trash, the account item by item.
RunRecord recordOfRun(RunKind kind, const std::string& subject,
                      std::chrono::system_clock::time_point began,
                      std::chrono::system_clock::time_point ended,
                      const std::optional<StorageVerdict>& storage);
void addShredAccount(RunRecord& record, RunOutcome outcome, const RunAccount& account,
                     ShredMode mode, std::vector<ReportItem> items,
                     const std::vector<std::string>& warnings, const Grouped& grouped);
// A report's final status: shredded, partly when anything was written or removed, or not.
RunStatus statusOf(RunOutcome outcome, bool touched);
// Fills in where each item and the subject were, from the root: a relative path is taken from
// currentFolder (the process's own, which a run never changes). The trash is not a path.
void addAbsolutePaths(RunRecord& record, const std::string& currentFolder);

// What is still there of a path after a stopped run: every item, and the bytes of its
// regular files. A link is not followed, as the walk does not follow it.
struct LeftInPlace {
    std::uint64_t items = 0;
    std::uint64_t bytes = 0;
};
LeftInPlace leftInPlace(const FileManager& files, const std::string& path);
// A stopped run's record says what it left, in figures and in words.
void addLeftInPlace(RunRecord& record, const LeftInPlace& left, const Grouped& grouped);
// "2026-12-07T19:40:12+01:00".
std::string isoTime(std::chrono::system_clock::time_point time);
// Adds a later run of the same invocation to a record (the terminal's several PATHs).
void addRun(RunRecord& all, const RunRecord& run);
// Adds a run's figures to those before it, group by group.
void addTotals(ReportTotals& all, const ReportTotals& run);
