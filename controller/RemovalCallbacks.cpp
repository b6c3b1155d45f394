// A shred run's part in the delete walk: each item announced is overwritten (in turn, or on the
// pool for a small file) and counted off, and what could not be removed is said.

#include <sys/stat.h>

#include <cmath>

#include "controller/ShredRun.h"
#include "engine/ZVUtility.h"
#include "platform/PathString.h"
#include "platform/Texts.h"

using namespace shredder_text;

namespace {

constexpr const char* kErrorPanelFormat =
    TRANSLATABLE("ShredRun", "%1. Due to this error, shredding will be stopped.");
// Files up to this size go to the pool of overwriters: their time is their syncs, and a
// pass's block of this size for each of the pool's threads keeps memory small.
constexpr off_t kPooledFileBytes = 256 << 10;

}  // namespace

std::optional<Reason> reasonToKeep(const OverwriteOutcome& outcome) {
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
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

void ShredRun::recordItem(const WalkItem& item, ItemType type, const OverwriteOutcome* outcome,
                          const std::string& reason) {
    if (!services_.recordItems) {
        return;
    }
    ReportItem line{item.path, type};
    line.size = S_ISREG(item.status.st_mode) ? static_cast<std::uint64_t>(item.status.st_size) : 0;
    line.outcome = ItemOutcome::Removed;
    line.reason = reason;
    if (outcome != nullptr) {
        line.passes = outcome->passesCompleted;
        line.verified = outcome->verified;
        const std::optional<Reason> keep = reasonToKeep(*outcome);
        if (keep) {
            line.outcome = ItemOutcome::Kept;
            line.reason = reasonInWords(*keep);
        } else if (outcome->passesCompleted > 0) {
            line.outcome = ItemOutcome::Shredded;
        }
    }
    itemIndex_[{item.status.st_dev, item.status.st_ino}] = items_.size();
    if (type == ItemType::Folder) {
        recordedFolders_.emplace_back(items_.size(), item.path);
    }
    items_.push_back(std::move(line));
}

void ShredRun::noteOverwrite(const WalkItem& item, const OverwriteOutcome& outcome) {
    const std::pair<std::uint64_t, std::uint64_t> file{item.status.st_dev, item.status.st_ino};
    if (S_ISREG(item.status.st_mode)) {
        const bool shared = outcome.status == OverwriteStatus::NotOverwritable;
        const auto passes = static_cast<std::uint64_t>(outcome.passesCompleted);
        // The first reason is a mark the end of the run replaces by where the contents went.
        recordItem(item, ItemType::File, &outcome,
                   shared ? kContentsHaveAnotherName
                   : outcome.status == OverwriteStatus::Empty
                       ? translated("ShredRun", "empty: nothing to overwrite")
                   : outcome.status == OverwriteStatus::Stopped
                       ? translatedCount("ShredRun", "stopped after %n pass(es)",
                                         "stopped after %n pass(es)", passes)
                       : "");
    } else if (!S_ISLNK(item.status.st_mode)) {
        recordItem(item, ItemType::SpecialFile, &outcome,
                   translated("ShredRun", "a special file: nothing to overwrite"));
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

Decision ShredRun::fileManagerWillProcessPath(FileManager& manager, const WalkItem& item) {
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
        recordItem(item, ItemType::SymbolicLink, nullptr,
                   translated("ShredRun", "what it points to was not touched"));
        folder = target.kind != ItemKind::NotDirectory;
    }
    if (folder) {
        if (!link) {
            recordItem(item, ItemType::Folder, nullptr);
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
        return startInFlight(manager, item, std::move(watched));
    }
    watched.observer = this;
    return settle(item, link ? OverwriteOutcome{0, OverwriteStatus::NotOverwritable}
                             : overwriteExaminedFileAt(item.folderFd, item.name, item.status, mode_,
                                                       watched));
}

// The file's passes, and once they all reached the device its removal, on a thread of the
// pool: the removals overlap as the syncs do. The walk holds its folder until it is answered.
Decision ShredRun::startInFlight(FileManager& manager, const WalkItem& item,
                                 OverwriteSeams watched) {
    auto file = std::make_unique<InFlight>(
        InFlight{item.name, item.path, item.status,
                 OverwriteJob(item.folderFd, item.name, item.status, mode_, std::move(watched))});
    InFlight* started = file.get();
    file->ticket = services_.overwriters->start([started, &manager, folderFd = item.folderFd,
                                                 rename = item.renameBeforeRemoval] {
        started->job.run();
        if (!reasonToKeep(started->job.outcome())) {
            started->removalError = manager.removeAnnouncedFile(folderFd, started->name, rename);
            started->removedOnPool = true;
        }
    });
    file->handle = ++handles_;
    inFlight_.push_back(std::move(file));
    return Decision::later(handles_);
}

// The file overwritten, in turn or on the pool: noted, counted off, and removed or kept.
Decision ShredRun::settle(const WalkItem& item, const OverwriteOutcome& outcome) {
    noteOverwrite(item, outcome);
    countOff(outcome);
    if (outcome.status == OverwriteStatus::Stopped && outcome.passesCompleted > 0) {
        stoppedInAFile_ = true;
    }
    const std::optional<Reason> keep = reasonToKeep(outcome);
    return keep ? Decision(*keep) : Decision();
}

// The `count` files on the pool announced first, in that order: each waited for, counted off
// and settled by how it ended, as one overwritten in turn would be, and answered by its
// handle: removed already, or kept with the reason it stayed.
std::vector<Decision> ShredRun::fileManagerFinishItems(FileManager& /*manager*/,
                                                       std::size_t count) {
    count = std::min(count, inFlight_.size());
    std::vector<Decision> decisions;
    for (std::size_t i = 0; i < count; ++i) {
        const InFlight& file = *inFlight_[i];
        services_.overwriters->wait(file.ticket);
        Decision decision =
            settle({-1, file.name.c_str(), file.status, file.path}, file.job.outcome());
        if (file.removedOnPool) {
            decision = file.removalError == 0
                           ? Decision::removed()
                           : Decision(Reason{ReasonCode::SystemError, file.removalError});
        }
        decision.handle = file.handle;
        decisions.push_back(decision);
    }
    inFlight_.erase(inFlight_.begin(), inFlight_.begin() + static_cast<std::ptrdiff_t>(count));
    return decisions;
}

// The file is off the counters and on the bar.
void ShredRun::countOff(const OverwriteOutcome& outcome) {
    runWritten_ += outcome.bytes * static_cast<std::uint64_t>(outcome.passesCompleted);
    if (statusShowsPass_) {
        show(Field::statusText, "", true);
        statusShowsPass_ = false;
    }
    // What appeared or grew after the count takes the figures to zero, never past it.
    if (count_ > 0) {
        count_ -= 1;
    } else {
        account_.itemsBeyondCount += 1;
    }
    progress_->setItemsLeft(count_);  // before the field is drawn with it
    show(Field::progressCount, formatted(count_), true);
    const std::uint64_t counted = std::min(amount_, outcome.bytes);
    account_.bytesBeyondCount += outcome.bytes - counted;
    amount_ -= counted;
    show(Field::progressBytes, exactBytes(amount_), true);
    progress_->setDoubleValue(barBeforeFile_);
    progress_->incrementBy(static_cast<double>(outcome.bytes));
    progress_->display();
    barBeforeFile_ += static_cast<double>(outcome.bytes);
}

bool ShredRun::overwriteShouldStop() {
    return stopRequested();
}

// A large file moves the bar as its passes go, and the status line says how far it is.
void ShredRun::overwriteProgress(int pass, int passes, std::uint64_t written,
                                 std::uint64_t length) {
    const double share = (pass + static_cast<double>(written) / static_cast<double>(length)) /
                         static_cast<double>(passes);
    progress_->setDoubleValue(barBeforeFile_ + share * static_cast<double>(length));
    progress_->display();

    const std::string passNow = std::to_string(pass + 1), passesAll = std::to_string(passes);
    std::string line = withArgs(translated("ShredRun", "Pass %1 of %2 \u00b7 %3 of %4"),
                                {passNow, passesAll, humanBytes(written), humanBytes(length)});
    // The time left at the rate this run has written so far: what this file still needs,
    // and every pass of what the run has not reached yet.
    const std::uint64_t doneNow = runWritten_ + length * static_cast<std::uint64_t>(pass) + written;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - walkStarted_).count();
    if (doneNow > 0 && seconds > 0) {
        const std::uint64_t fileLeft = length * static_cast<std::uint64_t>(passes) -
                                       (length * static_cast<std::uint64_t>(pass) + written);
        const std::uint64_t afterFile = amount_ > length ? amount_ - length : 0;
        const double left =
            (static_cast<double>(fileLeft) + static_cast<double>(afterFile) * passes) /
            (static_cast<double>(doneNow) / seconds);
        if (left < 1e7) {  // counters that wrapped give nothing sensible to say
            const long rounded = std::lround(left);
            line = withArgs(
                translated("ShredRun", "Pass %1 of %2 \u00b7 %3 of %4 \u00b7 about %5 left"),
                {passNow, passesAll, humanBytes(written), humanBytes(length),
                 rounded < 120 ? std::to_string(rounded) + " s"
                               : std::to_string((rounded + 30) / 60) + " min"});
        }
    }
    show(Field::statusText, line, true);
    statusShowsPass_ = true;
}

bool ShredRun::fileManagerShouldProceedAfterError(FileManager& /*manager*/,
                                                  const RemovalError& info) {
    const std::string why = reasonInWords(info.reason);
    const std::string message = errorAt(why, info.path);
    account_.kept.emplace_back(info.path, why);
    if (services_.recordItems) {
        // The item the walk could not remove after all, or one it never announced.
        const auto known = info.identity ? itemIndex_.find(*info.identity) : itemIndex_.end();
        const std::size_t at = known != itemIndex_.end() ? known->second : items_.size();
        if (at == items_.size()) {
            items_.push_back({info.path, ItemType::Unknown});
        }
        items_[at].outcome = ItemOutcome::Kept;
        items_[at].reason = why;
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
        services_.alerts->run(
            {.kind = Alert::Kind::Error,
             .title = translated("ShredRun", shredder_text::kFileSystemAlert),
             .message = withArgs(translated("ShredRun", kErrorPanelFormat), {message}),
             .defaultButton = translated("ShredRun", shredder_text::kStopShredding)});
    }
    show(Field::statusText, message, false);
    return false;
}
