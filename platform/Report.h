#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One item of a run, as a report lists it. Paths are escaped already: control characters
// and backslashes as the log writes them.
struct ReportItem {
    std::string path;
    std::string type;  // "file", "folder", "symbolic link", "special file"
    std::uint64_t size = 0;
    int passes = 0;  // whole passes that reached the disk
    bool verified = false;
    std::string outcome;  // "shredded", "removed" (nothing to overwrite, or not here), "kept"
    std::string reason;   // why, in the account's words; empty for a plain shred
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
    std::string kind;            // "shred", "free-space", "trash"
    std::string subject;         // what was chosen, escaped
    std::string started, ended;  // ISO 8601, with the zone
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

// Writes reports of runs.
class ReportWriter {
public:
    virtual ~ReportWriter() = default;
    // Writes the record to path: PDF for ".pdf" (with the JSON beside it, whose digest it
    // shows), JSON for ".json". Answers an empty string, or why it could not be written.
    virtual std::string write(const RunRecord& record, const std::string& path) = 0;
};
