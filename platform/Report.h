#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileManager.h"

// What a record holds as values; the report writer alone turns them into words.
enum class ItemType { Unknown, File, Folder, SymbolicLink, SpecialFile };
enum class ItemOutcome {
    Removed,   // nothing to overwrite, or not here
    Shredded,  // overwritten, then removed
    Kept,
};
enum class RunKind { None, Shred, FreeSpace, Trash };  // None: no run yet
enum class RunStatus { None, Shredded, Partly, Not };

// One item of a run, as a report lists it. Text here is the file system's bytes: a writer
// escapes it as the log does (control characters, backslashes, bytes that are not UTF-8).
struct ReportItem {
    std::string path;  // as the walk reached it from what was given
    ItemType type = ItemType::Unknown;
    std::uint64_t size = 0;
    int passes = 0;  // whole passes that reached the disk
    bool verified = false;
    ItemOutcome outcome = ItemOutcome::Removed;
    std::string reason;        // why, in the account's words; empty for a plain shred
    std::string absolutePath;  // the path from the root, where it was; empty when unknown
};

// Where the run's items were stored, and what overwriting reaches there.
struct ReportStorage {
    std::string fileSystem, uuid, mountPoint, device, model, serial;
    std::optional<StorageReach> reach;  // none when the run never examined its storage
    std::string reason;
    // How a shred made removed names unreadable there, in words; empty for a run that removed
    // none of its own choosing (a free-space wipe).
    std::string names;
};

// A report's figures, in groups by kind of run; a group the run did not have is absent.
struct ReportTotals {
    struct Shred {  // a shred and the Trash
        std::uint64_t items = 0, itemsRemoved = 0, filesOverwritten = 0, bytesOverwritten = 0,
                      filesVerified = 0, symbolicLinksRemoved = 0, specialFilesRemoved = 0,
                      namesRemovedWhileContentsStay = 0, itemsKept = 0;
    };
    struct LeftInPlace {  // a stopped run
        std::uint64_t itemsLeftInPlace = 0, bytesLeftInPlace = 0;
    };
    struct FreeSpace {
        std::uint64_t freeBytes = 0, bytesWritten = 0, bytesLeftUnfilled = 0, inodesMadeAnew = 0;
    };
    std::optional<Shred> shred;
    std::optional<LeftInPlace> leftInPlace;
    std::optional<FreeSpace> freeSpace;
    bool empty() const { return !shred && !leftInPlace && !freeSpace; }
};

// What a report of one run says: made from the run's account and nothing else, so that it
// never says more than the account did. What only a front end knows (the tool's version, the
// machine, the person) is added when it is written.
struct RunRecord {
    RunKind kind = RunKind::None;
    std::string subject;          // what was chosen, as it was given
    std::string absoluteSubject;  // the same from the root; empty when unknown
    std::string started, ended;   // ISO 8601, with the zone
    double seconds = 0;
    std::string method;        // the mode, its passes and patterns, in words
    std::string verification;  // whether the last pass was read back, and what that found
    ReportStorage storage;
    ReportTotals totals;
    std::vector<ReportItem> items;  // every item, in order
    RunStatus status = RunStatus::None;
    std::string summary;                // the account's line
    std::vector<std::string> details;   // and its details
    std::vector<std::string> warnings;  // what the confirmation and the account warned of
    bool touched = false;               // anything was written or removed
};

// Who made a report, where and with what: added to the run's record when it is written.
struct ReportAuthor {
    std::string tool = "ORBA Zurizede";
    std::string version, commit;
    std::string operatorName;  // optional: who ran it, for whom
};

// What writing a report came to.
struct ReportWritten {
    std::vector<std::string> files;  // every file written, the JSON beside a PDF included
    std::string error;               // empty, or why nothing was written, in words
};

// Writes reports of runs.
class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    // Writes the record to path: PDF for ".pdf" (with the JSON beside it, whose digest it
    // shows), JSON for ".json". Each file is written whole or not at all, readable by its
    // owner alone, and never through a symbolic link.
    virtual ReportWritten write(const RunRecord& record, const std::string& path) = 0;
};
