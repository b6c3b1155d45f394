// Shredding the Trash: every trashed item through a shred run of its own, then its record,
// under one confirmation and one account. Every trash folder is reached through the
// descriptors its trust check opened, held by the file manager for the whole run.

#include <cerrno>

#include "ZVORBAControlShredder.h"

using namespace shredder_text;

// What a folder's trash holds, counted, and what overwriting reaches where it is stored.
struct TrashContents {
    TrashFolder folder;
    std::vector<TrashedItem> items;
    std::uint64_t count = 0, bytes = 0;
    StorageVerdict storage;
};

namespace {

constexpr const char* kTrashTitle = "Shred Trash";
constexpr const char* kTrashQuestion =
    "Shred everything in the trash? If you proceed, you will be UNABLE to recover the shredded "
    "files. Please confirm that you wish to proceed.";
constexpr const char* kTrashEmpty = "The trash is empty: nothing was shredded.";
constexpr const char* kTrashShredded = "The trash has been shredded.";
constexpr const char* kEmptyButPassedOver =
    "The trash you may trust is empty, but %@ passed over: nothing was shredded.";
constexpr const char* kShreddedButPassedOver = "The trash has been shredded, but %@ passed over.";
constexpr const char* kPassedOver = "%@ was passed over, and nothing in it touched: %@.";
constexpr const char* kNotHeld =
    "%@ was passed over, and nothing in it touched: it could not be held open for the run.";
constexpr const char* kTrashMoved =
    "%@ was moved or replaced while the trash was shredded: the rest of the trash was left "
    "alone.";
constexpr const char* kTrashFellShort =
    "Not all of the trash was shredded: what stays, and why, is listed below.";
constexpr const char* kCopiedAcross =
    "%@ was trashed from another file system (%@): moving it to the trash copied it, and the "
    "original's blocks lie in the free space there. Wipe Free Space on %@ reaches them.";

// Why a trash folder was not trusted, as a sentence that names it.
std::string passedOverInWords(const UntrustedTrash& untrusted) {
    const std::string part = untrusted.part == untrusted.path ? "it" : untrusted.part;
    std::string why;
    switch (untrusted.why) {
        case UntrustedTrash::Why::Link:
            why = part + " is a link";
            break;
        case UntrustedTrash::Why::NotAFolder:
            why = part + " is not a folder";
            break;
        case UntrustedTrash::Why::NotOwned:
            why = part + " is not owned by you";
            break;
        case UntrustedTrash::Why::OthersMayWrite:
            why = "others may write in " + part;
            break;
        case UntrustedTrash::Why::NoStickyBit:
            why = "there is no sticky bit on " + part + ", so others may rename what is in it";
            break;
    }
    return formatMessage(kPassedOver, {untrusted.path, why});
}

// The folder's items, their count and size, and its storage verdict, all reached through the
// folder as the file manager holds it.
TrashContents contentsOf(const TrashFolder& folder, FileManager& files, const TrashCan& trash,
                         std::vector<std::string>& copiedAcross) {
    TrashContents contents{folder, trash.itemsIn(folder)};
    for (const TrashedItem& item : contents.items) {
        const std::string path = folder.path + "/files/" + item.name;
        contents.count += 1;
        if (const auto attributes = files.fileAttributesAtPath(path, false)) {
            contents.bytes += attributes->type == FileType::Regular ? attributes->size : 0;
        }
        if (item.isDirectory) {
            auto entries = files.enumeratorAtPath(path);
            while (entries->nextObject()) {
                contents.count += 1;
                if (const auto attributes = entries->fileAttributes()) {
                    contents.bytes += attributes->type == FileType::Regular ? attributes->size : 0;
                }
            }
        }
        if (item.fromAnotherFileSystem) {
            copiedAcross.push_back(
                formatMessage(kCopiedAcross, {item.name, item.originalPath, item.originalMount}));
        }
    }
    if (!contents.items.empty()) {
        contents.storage = files.storageVerdictAtPath(folder.path + "/files");
    }
    return contents;
}

// The file manager reaches the folder's files/ and info/ through the descriptors the trust
// check opened, for as long as the holds live. False when it cannot: the folder is then left
// alone, since its paths would be looked up again.
bool hold(const TrashFolder& folder, FileManager& files,
          std::vector<std::unique_ptr<FolderHold>>& holds) {
    for (const auto& [part, fd] :
         {std::pair{"/files", folder.held->files}, std::pair{"/info", folder.held->info}}) {
        if (fd >= 0) {
            holds.push_back(files.holdFolder(folder.path + part, fd));
            if (holds.back() == nullptr) {
                return false;
            }
        }
    }
    return true;
}

// The trusted folders that hold anything, held for the run and counted; a note for each
// folder passed over and each item copied across file systems.
std::vector<TrashContents> gathered(const TrashFolders& found, FileManager& files,
                                    const TrashCan& trashCan,
                                    std::vector<std::unique_ptr<FolderHold>>& holds,
                                    std::vector<std::string>& notes) {
    for (const UntrustedTrash& untrusted : found.passedOver) {
        notes.push_back(passedOverInWords(untrusted));
    }
    std::vector<TrashContents> trash;
    for (const TrashFolder& folder : found.trusted) {
        if (!hold(folder, files, holds)) {
            notes.push_back(formatMessage(kNotHeld, {folder.path}));
            continue;
        }
        TrashContents contents = contentsOf(folder, files, trashCan, notes);
        if (!contents.items.empty()) {
            trash.push_back(std::move(contents));
        }
    }
    return trash;
}

}  // namespace

void ZVORBAControlShredder::shredTrash() {
    running_ = true;
    beginRun();
    const auto began = runBegan_;
    FileManager& files = *services_.fileManager;
    const TrashFolders found = services_.trash->trashFolders();
    std::vector<std::unique_ptr<FolderHold>> holds;
    std::vector<std::string> notes, details;  // the passed over and the copied, said throughout
    const std::vector<TrashContents> trash = gathered(found, files, *services_.trash, holds, notes);
    const std::string passedOver =
        counted(found.passedOver.size(), "trash folder was", "trash folders were");
    // Whatever it comes to, the report says so.
    const auto finish = [&](const std::string& status) {
        if (!status.empty()) {
            show(Field::statusText, status, false);
        }
        details.insert(details.end(), notes.begin(), notes.end());
        // A run that shredded anything is summed up by its account.
        const bool ran = !trash.empty() && outcome_ != RunOutcome::Cancelled;
        tellAccount(ran ? accountSummary(outcome_, account_, shredMode) : status, details);
        record_ = recordOfRun("trash", "the trash", began, std::chrono::system_clock::now(),
                              account_.storage);
        addShredAccount(record_, outcome_, account_, shredMode, std::move(items_), notes,
                        [this](std::uint64_t n) { return formatted(n); });
        record_.details = details;
        endRun();
    };
    if (trash.empty()) {
        outcome_ = RunOutcome::Shredded;
        const std::string empty = found.passedOver.empty()
                                      ? kTrashEmpty
                                      : formatMessage(kEmptyButPassedOver, {passedOver});
        finish(empty);
        record_.summary = empty;
        return;
    }
    shredMode = shredModeFrom(services_.defaults->integerForKey(settings_key::kShredMode));
    noteMemoryExposure();
    if (!trashConfirmed(trash, notes)) {
        outcome_ = RunOutcome::Cancelled;
        finish(kNothingTouched);
        return;
    }
    batch_ = RunAccount{};
    const RunOutcome worst = shredTrashFolders(trash);
    account_ = *batch_;
    batch_.reset();
    outcome_ = worst;
    for (const TrashContents& contents : trash) {
        account_.storageOf.emplace_back(contents.folder.path, contents.storage);
    }
    account_.storage = trash.front().storage;
    details = accountDetails(outcome_, account_, shredMode,
                             [this](std::uint64_t n) { return formatted(n); });
    finish(worst != RunOutcome::Shredded ? std::string()
           : found.passedOver.empty()    ? kTrashShredded
                                         : formatMessage(kShreddedButPassedOver, {passedOver}));
}

// The one confirmation: each trash folder's count and storage, the mode, and the notes.
bool ZVORBAControlShredder::trashConfirmed(const std::vector<TrashContents>& trash,
                                           const std::vector<std::string>& notes) {
    if (services_.defaults->integerForKey(settings_key::kShredWarning) != 1) {
        return true;
    }
    std::vector<std::string> details;
    for (const TrashContents& contents : trash) {
        details.push_back(contents.folder.path + ": " + counted(contents.count, "item", "items") +
                          ", " + exactBytes(contents.bytes));
        details.push_back(contents.folder.path + ": " + storageInWords(contents.storage));
    }
    details.push_back("Mode: " + modeInWords(shredMode));
    details.insert(details.end(), notes.begin(), notes.end());
    return services_.alerts->run({.kind = Alert::Kind::Confirmation,
                                  .critical = true,
                                  .title = kTrashTitle,
                                  .message = kTrashQuestion,
                                  .defaultButton = kCancel,
                                  .alternateButton = kProceed,
                                  .details = details}) == 0;
}

// Folder after folder, until one is moved or replaced under the run, or a stop.
RunOutcome ZVORBAControlShredder::shredTrashFolders(const std::vector<TrashContents>& trash) {
    RunOutcome worst = RunOutcome::Shredded;
    for (const TrashContents& contents : trash) {
        const bool inPlace = shredTrashFolder(contents.folder, contents.items);
        if (outcome_ != RunOutcome::Shredded) {
            worst = outcome_;
        }
        if (!inPlace) {
            show(Field::statusText, formatMessage(kTrashMoved, {contents.folder.path}), false);
            return RunOutcome::Failed;
        }
        if (stopRequested()) {
            return RunOutcome::Stopped;
        }
    }
    // Each item's run said how it ended; the last of them must not speak for the rest.
    if (worst == RunOutcome::Failed) {
        show(Field::statusText, kTrashFellShort, false);
    }
    return worst;
}

// Each item, then its record once the item is gone; the directorysizes lines of what went.
// Before each item, the folder's path must still lead to the folder held: false when it does
// not, and nothing more of it is touched.
bool ZVORBAControlShredder::shredTrashFolder(const TrashFolder& folder,
                                             const std::vector<TrashedItem>& items) {
    RunOutcome worst = RunOutcome::Shredded;
    // One item's run that did not shred it: the Trash's run fell short. An item that was
    // refused is kept, and said to be.
    const auto fellShort = [&](const std::string& path) {
        if (outcome_ == RunOutcome::Shredded) {
            return;
        }
        if (outcome_ == RunOutcome::Denied || outcome_ == RunOutcome::Cancelled) {
            batch_->kept.emplace_back(path, "it may not be removed: nothing of it was touched");
        }
        worst = outcome_ == RunOutcome::Stopped ? RunOutcome::Stopped : RunOutcome::Failed;
    };
    std::vector<std::string> gone;
    bool inPlace = true;
    for (const TrashedItem& item : items) {
        if (stopRequested()) {
            break;
        }
        if (!(inPlace = services_.trash->stillInPlace(folder))) {
            batch_->kept.emplace_back(folder.path,
                                      "it was moved or replaced while the trash was "
                                      "shredded: nothing more of it was touched");
            worst = RunOutcome::Failed;
            break;
        }
        const std::string path = folder.path + "/files/" + item.name;
        shredFiles(path, item.isDirectory);
        fellShort(path);
        bool isDirectory = false;
        if (itemExists(path, isDirectory)) {
            continue;
        }
        gone.push_back(item.name);
        // The record names where the item came from: it goes the same way.
        const std::string record = folder.path + "/info/" + item.name + ".trashinfo";
        if (itemExists(record, isDirectory) && !isDirectory) {
            shredFiles(record, false);
            fellShort(record);
        }
    }
    if (!gone.empty() && !forgetTrashSizes(folder, gone)) {
        worst = RunOutcome::Failed;
    }
    outcome_ = worst;
    return inPlace;
}

// The directorysizes lines of the items gone, dropped; the old file overwritten in place
// before the new one takes its name. Whatever fails is said; false then.
bool ZVORBAControlShredder::forgetTrashSizes(const TrashFolder& folder,
                                             const std::vector<std::string>& gone) {
    const std::string sizes = folder.path + "/directorysizes";
    std::string notOverwritten;
    const int error =
        services_.trash->forgetSizes(folder, gone, [&](int folderFd, const std::string& name) {
            const OverwriteOutcome done = overwriteFileAt(folderFd, name, shredMode);
            if (done.status == OverwriteStatus::NotOverwritable) {
                notOverwritten = "it has another name, or is no regular file";
            } else if (done.status != OverwriteStatus::Overwritten &&
                       done.status != OverwriteStatus::Empty) {
                notOverwritten = reasonInWords(reasonToKeep(done).value_or(
                    Reason{ReasonCode::CouldNotOverwrite, done.errorNumber}));
            }
        });
    if (error != 0) {
        batch_->kept.emplace_back(sizes, "its lines for the items shredded stay (" +
                                             reasonInWords({ReasonCode::SystemError, error}) + ")");
    }
    if (!notOverwritten.empty()) {
        batch_->kept.emplace_back(sizes,
                                  "its old copy, with the lines of the items shredded, "
                                  "was not overwritten (" +
                                      notOverwritten + ")");
    }
    return error == 0 && notOverwritten.empty();
}
