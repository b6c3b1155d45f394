// What a report of a run says, made from the run's account: the record a front end writes
// as PDF or JSON. A kind of run adds its own figures to recordOfRun's.

#include <algorithm>
#include <ctime>

#include "controller/RunReport.h"

namespace {

std::string methodInWords(ShredMode mode) {
    switch (mode) {
        case ShredMode::FourPasses:
            return translated("Report",
                              "4 passes of the bytes 0x55, 0xFF, 0xAA, 0x00, each synced to the "
                              "disk before the next");
        case ShredMode::ElevenPasses:
            return translated("Report",
                              "11 passes of the bytes 0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, "
                              "0x11, 0xFF, 0x55, 0x00, each synced to the disk before the next");
        case ShredMode::RandomPass:
            break;
    }
    return translated("Report",
                      "1 pass of random bytes (a ChaCha20 stream keyed for each file from "
                      "/dev/urandom), synced to the disk");
}

}  // namespace

RunStatus statusOf(RunOutcome outcome, bool touched) {
    return outcome == RunOutcome::Shredded ? RunStatus::Shredded
           : touched                       ? RunStatus::Partly
                                           : RunStatus::Not;
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

RunRecord recordOfRun(RunKind kind, const std::string& subject,
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
        record.storage = {storage->fileSystem, storage->uuid,  storage->mountPoint,
                          storage->device,     storage->model, storage->serial,
                          storage->reach,      storage->reason};
        if (kind != RunKind::FreeSpace) {
            record.storage.names = namesForReport(*storage);  // the schema's words
        }
    }
    return record;
}

void addShredAccount(RunRecord& record, RunOutcome outcome, const RunAccount& account,
                     ShredMode mode, std::vector<ReportItem> items,
                     const std::vector<std::string>& warnings, const Grouped& grouped) {
    record.method = methodInWords(mode);
    record.verification =
        account.verifying
            ? withArgs(
                  translated("Report",
                             "the last pass of every file was read back from the device: %1 "
                             "of %2 files read back as written"),
                  {std::to_string(account.filesVerified), std::to_string(account.filesOverwritten)})
            : translated("Report", "not asked for: the passes were not read back");
    std::uint64_t removed = 0;
    for (const ReportItem& item : items) {
        removed += item.outcome != ItemOutcome::Kept ? 1 : 0;
    }
    record.totals.shred = {.items = items.size(),
                           .itemsRemoved = removed,
                           .filesOverwritten = account.filesOverwritten,
                           .bytesOverwritten = account.bytesOverwritten,
                           .filesVerified = account.filesVerified,
                           .symbolicLinksRemoved = account.symbolicLinks.count,
                           .specialFilesRemoved = account.specialFiles.count,
                           .namesRemovedWhileContentsStay = account.stillReachable.count,
                           .itemsKept = account.kept.size()};
    record.items = std::move(items);
    // A file stopped inside its first pass stays, partly overwritten: it was written to. Its
    // reason is in the person's words, as reasonInWords made it.
    const std::string stoppedInFirstPass =
        translated("ShredRun", shredder_text::kStoppedInFirstPass);
    const bool partlyOverwritten =
        std::any_of(account.kept.begin(), account.kept.end(),
                    [&](const auto& kept) { return kept.second == stoppedInFirstPass; });
    record.touched = removed > 0 || account.filesOverwritten > 0 || partlyOverwritten;
    record.status = statusOf(outcome, record.touched);
    // Names removed while their contents stay under another: not everything chosen is gone.
    if (record.status == RunStatus::Shredded && account.stillReachable.count > 0) {
        record.status = RunStatus::Partly;
    }
    record.summary = accountSummary(outcome, account, mode);
    record.details = accountDetails(outcome, account, mode, grouped);
    record.warnings = warnings;
}

void addTotals(ReportTotals& all, const ReportTotals& run) {
    if (run.shred) {
        ReportTotals::Shred& to = all.shred ? *all.shred : all.shred.emplace();
        const ReportTotals::Shred& from = *run.shred;
        to.items += from.items;
        to.itemsRemoved += from.itemsRemoved;
        to.filesOverwritten += from.filesOverwritten;
        to.bytesOverwritten += from.bytesOverwritten;
        to.filesVerified += from.filesVerified;
        to.symbolicLinksRemoved += from.symbolicLinksRemoved;
        to.specialFilesRemoved += from.specialFilesRemoved;
        to.namesRemovedWhileContentsStay += from.namesRemovedWhileContentsStay;
        to.itemsKept += from.itemsKept;
    }
    if (run.leftInPlace) {
        ReportTotals::LeftInPlace& to =
            all.leftInPlace ? *all.leftInPlace : all.leftInPlace.emplace();
        to.itemsLeftInPlace += run.leftInPlace->itemsLeftInPlace;
        to.bytesLeftInPlace += run.leftInPlace->bytesLeftInPlace;
    }
    if (run.freeSpace) {
        ReportTotals::FreeSpace& to = all.freeSpace ? *all.freeSpace : all.freeSpace.emplace();
        to.freeBytes += run.freeSpace->freeBytes;
        to.bytesWritten += run.freeSpace->bytesWritten;
        to.bytesLeftUnfilled += run.freeSpace->bytesLeftUnfilled;
        to.inodesMadeAnew += run.freeSpace->inodesMadeAnew;
    }
}

void addRun(RunRecord& all, const RunRecord& run) {
    if (all.kind == RunKind::None) {
        all = run;
        return;
    }
    // Runs of one invocation, one after the other: from the first one's start to the last
    // one's end, everything each did, and the worst of their results.
    if (all.totals.empty()) {  // the first of them did not run at all
        all.method = run.method;
        all.verification = run.verification;
    }
    // The worst of the file systems the runs were on; a run not judged says nothing.
    if (run.storage.reach &&
        (!all.storage.reach ||
         worseReach(*all.storage.reach, *run.storage.reach) != *all.storage.reach)) {
        all.storage = run.storage;
    }
    all.subject += ", " + run.subject;
    all.absoluteSubject += ", " + run.absoluteSubject;
    all.ended = run.ended;
    all.seconds += run.seconds;
    // Group by group: a stopped run has figures the others lack.
    addTotals(all.totals, run.totals);
    all.items.insert(all.items.end(), run.items.begin(), run.items.end());
    all.touched = all.touched || run.touched;
    if (run.status != RunStatus::Shredded || all.status != RunStatus::Shredded) {
        all.status = all.touched ? RunStatus::Partly : RunStatus::Not;
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
    if (record.absoluteSubject.empty() && record.kind != RunKind::Trash) {
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
    record.totals.leftInPlace = {.itemsLeftInPlace = left.items, .bytesLeftInPlace = left.bytes};
    // The form follows the count; the figures are grouped, as the account shows them.
    record.details.push_back(withArgs(
        translatedCount("Report", "Left in place when the run was stopped: %1 item and %2 bytes",
                        "Left in place when the run was stopped: %1 items and %2 bytes",
                        left.items),
        {grouped(left.items), grouped(left.bytes)}));
}
