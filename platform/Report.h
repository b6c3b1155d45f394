#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One item of a run, as a report lists it. Text here is the file system's bytes: a writer
// escapes it as the log does (control characters, backslashes, bytes that are not UTF-8).
struct ReportItem {
    std::string path;  // as the walk reached it from what was given
    std::string type;  // "file", "folder", "symbolic link", "special file"
    std::uint64_t size = 0;
    int passes = 0;  // whole passes that reached the disk
    bool verified = false;
    std::string outcome;       // "shredded", "removed" (nothing to overwrite, or not here), "kept"
    std::string reason;        // why, in the account's words; empty for a plain shred
    std::string absolutePath;  // the path from the root, where it was; empty when unknown
};

// Where the run's items were stored, and what overwriting reaches there.
struct ReportStorage {
    std::string fileSystem, uuid, mountPoint, device, model, serial;
    std::string reach;  // "reaches", "may not reach all", "cannot reach", "not needed", "unknown"
    std::string reason;
};

// What a report of one run says: made from the run's account and nothing else, so that it
// never says more than the account did. What only a front end knows (the tool's version, the
// machine, the person) is added when it is written.
struct RunRecord {
    std::string kind;             // "shred", "free-space", "trash"
    std::string subject;          // what was chosen, as it was given
    std::string absoluteSubject;  // the same from the root; empty when unknown
    std::string started, ended;   // ISO 8601, with the zone
    double seconds = 0;
    std::string method;        // the mode, its passes and patterns, in words
    std::string verification;  // whether the last pass was read back, and what that found
    ReportStorage storage;
    // Named figures, in order; a name in camel case ("filesOverwritten") reads as words.
    std::vector<std::pair<std::string, std::uint64_t>> totals;
    std::vector<ReportItem> items;      // every item, in order
    std::string status;                 // "shredded", "partly", "not"
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
