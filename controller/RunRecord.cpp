// What a report of a run says, made from the run's account: the record a front end writes
// as PDF or JSON. A kind of run adds its own figures to recordOfRun's.

#include <algorithm>
#include <ctime>

#include "RunReport.h"

namespace {

std::string reachInWords(StorageReach reach) {
    switch (reach) {
        case StorageReach::Reaches:
            return "reaches";
        case StorageReach::MayNotReachAll:
            return "may not reach all";
        case StorageReach::CannotReach:
            return "cannot reach";
        case StorageReach::NotNeeded:
            return "not needed";
        case StorageReach::Unknown:
            return "unknown";
    }
    return "unknown";
}

// The verdict a record's words stand for; Unknown for none.
StorageReach reachOf(const std::string& words) {
    for (const StorageReach reach : {StorageReach::Reaches, StorageReach::MayNotReachAll,
                                     StorageReach::CannotReach, StorageReach::NotNeeded}) {
        if (words == reachInWords(reach)) {
            return reach;
        }
    }
    return StorageReach::Unknown;
}

std::string methodInWords(ShredMode mode) {
    switch (mode) {
        case ShredMode::FourPasses:
            return "4 passes of the bytes 0x55, 0xFF, 0xAA, 0x00, each synced to the disk "
                   "before the next";
        case ShredMode::ElevenPasses:
            return "11 passes of the bytes 0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, 0x11, 0xFF, "
                   "0x55, 0x00, each synced to the disk before the next";
        case ShredMode::RandomPass:
            break;
    }
    return "1 pass of random bytes (a ChaCha20 stream keyed for each file from /dev/urandom), "
           "synced to the disk";
}

}  // namespace

std::string statusOf(RunOutcome outcome, bool touched) {
    return outcome == RunOutcome::Shredded ? "shredded" : touched ? "partly" : "not";
}

std::string isoTime(std::chrono::system_clock::time_point time) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    std::string iso = text;
    // ISO 8601 writes the zone's hours and minutes apart: +0100 becomes +01:00.
    if (iso.size() >= 5) {
        iso.insert(iso.size() - 2, ":");
    }
    return iso;
}

RunRecord recordOfRun(const std::string& kind, const std::string& subject,
                      std::chrono::system_clock::time_point began,
                      std::chrono::system_clock::time_point ended,
                      const std::optional<StorageVerdict>& storage) {
    RunRecord record;
    record.kind = kind;
    record.subject = subject;
    record.started = isoTime(began);
    record.ended = isoTime(ended);
    record.seconds = std::chrono::duration<double>(ended - began).count();
    if (storage) {
        record.storage = {
            storage->fileSystem, storage->uuid,   storage->mountPoint,          storage->device,
            storage->model,      storage->serial, reachInWords(storage->reach), storage->reason};
    }
    return record;
}

void addShredAccount(RunRecord& record, RunOutcome outcome, const RunAccount& account,
                     ShredMode mode, std::vector<ReportItem> items,
                     const std::vector<std::string>& warnings, const Grouped& grouped) {
    record.method = methodInWords(mode);
    record.verification = account.verifying
                              ? "the last pass of every file was read back from the device: " +
                                    std::to_string(account.filesVerified) + " of " +
                                    std::to_string(account.filesOverwritten) +
                                    " files read back as written"
                              : "not asked for: the passes were not read back";
    std::uint64_t removed = 0;
    for (const ReportItem& item : items) {
        removed += item.outcome != "kept" ? 1 : 0;
    }
    record.totals = {{"items", items.size()},
                     {"itemsRemoved", removed},
                     {"filesOverwritten", account.filesOverwritten},
                     {"bytesOverwritten", account.bytesOverwritten},
                     {"filesVerified", account.filesVerified},
                     {"symbolicLinksRemoved", account.symbolicLinks.count},
                     {"specialFilesRemoved", account.specialFiles.count},
                     {"namesRemovedWhileContentsStay", account.stillReachable.count},
                     {"itemsKept", account.kept.size()}};
    record.items = std::move(items);
    // A file stopped inside its first pass stays, partly overwritten: it was written to.
    const bool partlyOverwritten = std::any_of(
        account.kept.begin(), account.kept.end(),
        [](const auto& kept) { return kept.second == shredder_text::kStoppedInFirstPass; });
    record.touched = removed > 0 || account.filesOverwritten > 0 || partlyOverwritten;
    record.status = statusOf(outcome, record.touched);
    // Names removed while their contents stay under another: not everything chosen is gone.
    if (record.status == "shredded" && account.stillReachable.count > 0) {
        record.status = "partly";
    }
    record.summary = accountSummary(outcome, account, mode);
    record.details = accountDetails(outcome, account, mode, grouped);
    record.warnings = warnings;
}

void addRun(RunRecord& all, const RunRecord& run) {
    if (all.kind.empty()) {
        all = run;
        return;
    }
    // Runs of one invocation, one after the other: from the first one's start to the last
    // one's end, everything each did, and the worst of their results.
    if (all.totals.empty()) {  // the first of them did not run at all
        all.method = run.method;
        all.verification = run.verification;
        all.totals = run.totals;
        for (auto& [name, figure] : all.totals) {
            figure = 0;
        }
    }
    // The worst of the file systems the runs were on; a run not judged says nothing.
    const StorageReach told = reachOf(all.storage.reach), seen = reachOf(run.storage.reach);
    if (!run.storage.reach.empty() &&
        (all.storage.reach.empty() || worseReach(told, seen) != told)) {
        all.storage = run.storage;
    }
    all.subject += ", " + run.subject;
    all.absoluteSubject += ", " + run.absoluteSubject;
    all.ended = run.ended;
    all.seconds += run.seconds;
    // By name: a stopped run has figures the others lack.
    for (const auto& [name, figure] : run.totals) {
        auto same = std::find_if(all.totals.begin(), all.totals.end(),
                                 [&name](const auto& total) { return total.first == name; });
        if (same == all.totals.end()) {
            all.totals.emplace_back(name, figure);
        } else {
            same->second += figure;
        }
    }
    all.items.insert(all.items.end(), run.items.begin(), run.items.end());
    all.touched = all.touched || run.touched;
    if (run.status != "shredded" || all.status != "shredded") {
        all.status = all.touched ? "partly" : "not";
    }
    all.summary += " " + run.summary;
    all.details.insert(all.details.end(), run.details.begin(), run.details.end());
    all.warnings.insert(all.warnings.end(), run.warnings.begin(), run.warnings.end());
}

void addAbsolutePaths(RunRecord& record, const std::string& currentFolder) {
    const auto absolute = [&currentFolder](const std::string& path) -> std::string {
        if (!path.empty() && path.front() == '/') {
            return path;
        }
        return currentFolder.empty() ? "" : stringByAppendingPathComponent(currentFolder, path);
    };
    for (ReportItem& item : record.items) {
        if (item.absolutePath.empty()) {
            item.absolutePath = absolute(item.path);
        }
    }
    if (record.absoluteSubject.empty() && record.kind != "trash") {
        record.absoluteSubject = absolute(record.subject);
    }
}

LeftInPlace leftInPlace(const FileManager& files, const std::string& path) {
    LeftInPlace left;
    auto add = [&left](const FileAttributes& attributes) {
        left.items += 1;
        left.bytes += attributes.type == FileType::Regular ? attributes.size : 0;
    };
    const auto top = files.fileAttributesAtPath(path, false);
    if (!top) {
        return left;
    }
    add(*top);
    if (top->type == FileType::Directory) {
        auto entries = files.enumeratorAtPath(path);
        while (entries->nextObject()) {
            if (auto attributes = entries->fileAttributes()) {
                add(*attributes);
            } else {
                left.items += 1;
            }
        }
    }
    return left;
}

void addLeftInPlace(RunRecord& record, const LeftInPlace& left, const Grouped& grouped) {
    record.totals.emplace_back("itemsLeftInPlace", left.items);
    record.totals.emplace_back("bytesLeftInPlace", left.bytes);
    record.details.push_back("Left in place when the run was stopped: " + grouped(left.items) +
                             (left.items == 1 ? " item" : " items") + " and " +
                             grouped(left.bytes) + " bytes");
}
