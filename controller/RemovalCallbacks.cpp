// The delete walk's callbacks: each item announced is overwritten (in turn, or on the pool
// for a small file) and counted off, and what could not be removed is said.

#include <sys/stat.h>

#include <cmath>

#include "PathString.h"
#include "ZVORBAControlShredder.h"
#include "ZVUtility.h"

using namespace shredder_text;

namespace {

constexpr const char* kErrorPanelFormat = "%@. Due to this error, shredding will be stopped.";
// Files up to this size go to the pool of overwriters: their time is their syncs, and a
// pass's block of this size for each of the pool's threads keeps memory small.
constexpr off_t kPooledFileBytes = 256 << 10;

}  // namespace

void ZVORBAControlShredder::recordItem(const WalkItem& item, const std::string& type,
                                       const OverwriteOutcome* outcome, const std::string& reason) {
    if (!services_.recordItems) {
        return;
    }
    ReportItem line{item.path, type};
    line.size = S_ISREG(item.status.st_mode) ? static_cast<std::uint64_t>(item.status.st_size) : 0;
    line.outcome = "removed";
    line.reason = reason;
    if (outcome != nullptr) {
        line.passes = outcome->passesCompleted;
        line.verified = outcome->verified;
        const std::optional<Reason> keep = reasonToKeep(*outcome);
        if (keep) {
            line.outcome = "kept";
            line.reason = reasonInWords(*keep);
        } else if (outcome->passesCompleted > 0) {
            line.outcome = "shredded";
        }
    }
    itemIndex_[line.path] = items_.size();
    if (type == "folder") {
        recordedFolders_.emplace_back(items_.size(), item.path);
    }
    items_.push_back(std::move(line));
}

void ZVORBAControlShredder::noteOverwrite(const WalkItem& item, const OverwriteOutcome& outcome) {
    const std::pair<std::uint64_t, std::uint64_t> file{item.status.st_dev, item.status.st_ino};
    if (S_ISREG(item.status.st_mode)) {
        const bool shared = outcome.status == OverwriteStatus::NotOverwritable;
        recordItem(item, "file", &outcome,
                   shared                                     ? "its contents have another name"
                   : outcome.status == OverwriteStatus::Empty ? "empty: nothing to overwrite"
                   : outcome.status == OverwriteStatus::Stopped
                       ? "stopped after " + std::to_string(outcome.passesCompleted) + " pass(es)"
                       : "");
    } else if (!S_ISLNK(item.status.st_mode)) {
        recordItem(item, "special file", &outcome, "a special file: nothing to overwrite");
    }
    switch (outcome.status) {
        case OverwriteStatus::Overwritten:
        case OverwriteStatus::Stopped:
            if (outcome.status == OverwriteStatus::Stopped) {
                if (outcome.passesCompleted == 0) {
                    return;
                }
                account_.stoppedEarly.add(item.path);
            }
            account_.filesOverwritten += 1;
            account_.bytesOverwritten += outcome.bytes;
            account_.filesVerified += outcome.verified ? 1 : 0;
            // The last name of contents whose other names went earlier, in this run or an
            // earlier one: destroyed after all.
            sharedRemoved_.erase(file);
            sharedRemovedEarlier_.erase(file);
            return;
        case OverwriteStatus::NotOverwritable:
            if (S_ISREG(item.status.st_mode)) {
                sharedRemoved_[file] = item.path;
            } else if (!S_ISLNK(item.status.st_mode)) {
                account_.specialFiles.add(item.path);
            }
            return;
        default:
            return;
    }
}

Decision ZVORBAControlShredder::fileManagerWillProcessPath(FileManager& manager,
                                                           const WalkItem& item) {
    if (stopRequested()) {
        return Reason{ReasonCode::StoppedByRequest};  // the item stays, and so does the rest
    }
    show(Field::folderText, stringByDeletingLastPathComponent(item.path), true);
    const bool link = S_ISLNK(item.status.st_mode);
    bool folder = S_ISDIR(item.status.st_mode);
    if (link) {
        // The link is removed and what it leads to is left alone; one to a folder, or to
        // nothing, is not counted off as a file.
        const ItemExamination target = manager.examineLinkTarget(item);
        if (target.kind == ItemKind::Unexaminable) {
            // Not knowing what it is must never mean removing it unoverwritten.
            return Reason{ReasonCode::CouldNotExamine, target.errorNumber};
        }
        account_.symbolicLinks.add(item.path);
        recordItem(item, "symbolic link", nullptr, "what it points to was not touched");
        folder = target.kind != ItemKind::NotDirectory;
    }
    if (folder) {
        if (!link) {
            recordItem(item, "folder", nullptr);
        }
        show(Field::fileText, "", false);
        return {};
    }
    show(Field::fileText, lastPathComponent(item.path), true);

    OverwriteSeams watched;
    watched.verifyLastPass = verifyLastPass_;
    watched.syncPass = services_.syncPass;
    // A small file's time is its syncs: it goes to the pool, and the walk removes it once
    // every pass of it reached the device. Its own passes stay in order, each synced.
    if (!link && services_.overwriters != nullptr && S_ISREG(item.status.st_mode) &&
        item.status.st_nlink == 1 && item.status.st_size > 0 &&
        item.status.st_size <= kPooledFileBytes) {
        auto file = std::make_unique<InFlight>(InFlight{
            item.name, item.path, item.status,
            OverwriteJob(item.folderFd, item.name, item.status, shredMode, std::move(watched))});
        InFlight* started = file.get();
        file->ticket = services_.overwriters->start([started] { started->job.run(); });
        inFlight_.push_back(std::move(file));
        return Decision::later();
    }
    watched.observer = this;
    const OverwriteOutcome outcome =
        link ? OverwriteOutcome{0, OverwriteStatus::NotOverwritable}
             : overwriteExaminedFileAt(item.folderFd, item.name, item.status, shredMode, watched);
    noteOverwrite(item, outcome);
    countOff(outcome);
    const std::optional<Reason> keep = reasonToKeep(outcome);
    return keep ? Decision(*keep) : Decision();
}

// The files on the pool, in the order they were announced: each waited for, counted off and
// settled by how it ended, as one overwritten in turn would be.
std::vector<Decision> ZVORBAControlShredder::fileManagerFinishItems(FileManager& /*manager*/) {
    std::vector<Decision> decisions;
    for (const auto& file : inFlight_) {
        services_.overwriters->wait(file->ticket);
        const OverwriteOutcome& outcome = file->job.outcome();
        noteOverwrite({-1, file->name.c_str(), file->status, file->path}, outcome);
        countOff(outcome);
        const std::optional<Reason> keep = reasonToKeep(outcome);
        decisions.push_back(keep ? Decision(*keep) : Decision());
    }
    inFlight_.clear();
    return decisions;
}

// The file is off the counters and on the bar.
void ZVORBAControlShredder::countOff(const OverwriteOutcome& outcome) {
    runWritten_ += outcome.bytes * static_cast<std::uint64_t>(outcome.passesCompleted);
    if (statusShowsPass_) {
        show(Field::statusText, "", true);
        statusShowsPass_ = false;
    }
    // What appeared or grew after the count takes the figures to zero, never past it.
    if (count > 0) {
        count -= 1;
    } else {
        account_.itemsBeyondCount += 1;
    }
    show(Field::progressCount, formatted(count), true);
    const std::uint64_t counted = std::min(amount, outcome.bytes);
    account_.bytesBeyondCount += outcome.bytes - counted;
    amount -= counted;
    show(Field::progressBytes, exactBytes(amount), true);
    progress->setDoubleValue(barBeforeFile_);
    progress->incrementBy(static_cast<double>(outcome.bytes));
    progress->display();
    barBeforeFile_ += static_cast<double>(outcome.bytes);
}

// Removing a file that was not overwritten would leave its contents on the disk while telling
// the user it was shredded: it is kept, and the walk stops on it.
std::optional<Reason> ZVORBAControlShredder::reasonToKeep(const OverwriteOutcome& outcome) {
    switch (outcome.status) {
        case OverwriteStatus::Failed:
            return Reason{ReasonCode::CouldNotOverwrite, outcome.errorNumber};
        case OverwriteStatus::NoRandomBytes:
            return Reason{ReasonCode::NoRandomBytes, outcome.errorNumber};
        case OverwriteStatus::Changed:
            return Reason{ReasonCode::ChangedWhileOverwritten};
        case OverwriteStatus::Unverified:
            return Reason{ReasonCode::Unverified, outcome.errorNumber};
        case OverwriteStatus::Stopped:
            // After one whole pass its contents are gone: it is removed, and the walk stops at
            // the next item. Inside the first pass some of them are still there.
            if (outcome.passesCompleted == 0) {
                return Reason{ReasonCode::StoppedInFirstPass};
            }
            stoppedInAFile_ = true;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

bool ZVORBAControlShredder::stopRequested() const {
    return services_.stopRequested && services_.stopRequested();
}

bool ZVORBAControlShredder::overwriteShouldStop() {
    return stopRequested();
}

// A large file moves the bar as its passes go, and the status line says how far it is.
void ZVORBAControlShredder::overwriteProgress(int pass, int passes, std::uint64_t written,
                                              std::uint64_t length) {
    const double share = (pass + static_cast<double>(written) / static_cast<double>(length)) /
                         static_cast<double>(passes);
    progress->setDoubleValue(barBeforeFile_ + share * static_cast<double>(length));
    progress->display();

    std::string line = "Pass " + std::to_string(pass + 1) + " of " + std::to_string(passes) +
                       " \u00b7 " + humanBytes(written) + " of " + humanBytes(length);
    // The time left at the rate this run has written so far: what this file still needs,
    // and every pass of what the run has not reached yet.
    const std::uint64_t doneNow = runWritten_ + length * static_cast<std::uint64_t>(pass) + written;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - runStarted_).count();
    if (doneNow > 0 && seconds > 0) {
        const std::uint64_t fileLeft = length * static_cast<std::uint64_t>(passes) -
                                       (length * static_cast<std::uint64_t>(pass) + written);
        const std::uint64_t afterFile = amount > length ? amount - length : 0;
        const double left =
            (static_cast<double>(fileLeft) + static_cast<double>(afterFile) * passes) /
            (static_cast<double>(doneNow) / seconds);
        if (left < 1e7) {  // counters that wrapped give nothing sensible to say
            const long rounded = std::lround(left);
            line += " \u00b7 about " +
                    (rounded < 120 ? std::to_string(rounded) + " s"
                                   : std::to_string((rounded + 30) / 60) + " min") +
                    " left";
        }
    }
    show(Field::statusText, line, true);
    statusShowsPass_ = true;
}

bool ZVORBAControlShredder::fileManagerShouldProceedAfterError(FileManager& /*manager*/,
                                                               const RemovalError& info) {
    const std::string why = reasonInWords(info.reason);
    const std::string message = formatMessage(kErrorFormat, {why, info.path});
    account_.kept.emplace_back(info.path, why);
    if (services_.recordItems) {
        // The item the walk could not remove after all, or one it never announced.
        auto known = itemIndex_.find(info.path);
        if (known == itemIndex_.end()) {
            known = itemIndex_.emplace(info.path, items_.size()).first;
            items_.push_back({info.path, ""});
        }
        items_[known->second].outcome = "kept";
        items_[known->second].reason = why;
    }
    // Files already under way when the walk stopped are settled after it: the first error
    // was said and asked about, these are in the account.
    if (walkRefused_) {
        return false;
    }
    walkRefused_ = true;
    // A stop was asked for by a person or by the session ending: nobody needs to be told,
    // and a quit must not wait for a panel to be answered.
    if (!stopRequested()) {
        services_.alerts->run({.kind = Alert::Kind::Error,
                               .title = kFileSystemAlert,
                               .message = formatMessage(kErrorPanelFormat, {message}),
                               .defaultButton = kStopShredding});
    }
    show(Field::statusText, message, false);
    return false;
}
