// Shredding the Trash: every trashed item through a shred run of its own, then its record,
// under one confirmation and one account.

#include <cstring>

#include "ZVORBAControlShredder.h"

using namespace shredder_text;

namespace {

constexpr const char* kTrashTitle = "Shred Trash";
constexpr const char* kTrashQuestion =
    "Shred everything in the trash? If you proceed, you will be UNABLE to recover the shredded "
    "files. Please confirm that you wish to proceed.";
constexpr const char* kTrashEmpty = "The trash is empty: nothing was shredded.";
constexpr const char* kTrashShredded = "The trash has been shredded.";
constexpr const char* kCopiedAcross =
    "%@ was trashed from another file system (%@): moving it to the trash copied it, and the "
    "original's blocks lie in the free space there. Wipe Free Space on %@ reaches them.";

// What a folder's trash holds, counted.
struct TrashContents {
    TrashFolder folder;
    std::vector<TrashedItem> items;
    std::uint64_t count = 0, bytes = 0;
};

}  // namespace

void ZVORBAControlShredder::shredTrash() {
    running_ = true;
    beginRun();
    const auto began = runBegan_;
    // Whatever it comes to, the report says so.
    const auto keepRecord = [this, &began](const std::vector<std::string>& warnings) {
        record_ = recordOfRun("trash", "the trash", began, std::chrono::system_clock::now(),
                              account_.storage);
        addShredAccount(record_, outcome_, account_, shredMode, std::move(items_), warnings,
                        [this](std::uint64_t n) { return formatted(n); });
    };
    FileManager& files = *services_.fileManager;
    std::vector<TrashContents> trash;
    std::uint64_t allItems = 0;
    std::vector<std::string> copiedAcross;
    for (const TrashFolder& folder : services_.trash->trashFolders()) {
        TrashContents contents{folder, services_.trash->itemsIn(folder)};
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
                        contents.bytes +=
                            attributes->type == FileType::Regular ? attributes->size : 0;
                    }
                }
            }
            if (item.fromAnotherFileSystem) {
                copiedAcross.push_back(formatMessage(
                    kCopiedAcross, {item.name, item.originalPath, item.originalMount}));
            }
        }
        allItems += contents.items.size();
        if (!contents.items.empty()) {
            trash.push_back(std::move(contents));
        }
    }
    if (allItems == 0) {
        outcome_ = RunOutcome::Shredded;
        show(Field::statusText, kTrashEmpty, false);
        tellAccount(kTrashEmpty, {});
        keepRecord({});
        record_.summary = kTrashEmpty;
        endRun();
        return;
    }

    UserDefaults& defaults = *services_.defaults;
    shredMode = shredModeFrom(defaults.integerForKey(settings_key::kShredMode));
    noteMemoryExposure();
    if (defaults.integerForKey(settings_key::kShredWarning) == 1) {
        std::vector<std::string> details;
        for (const TrashContents& contents : trash) {
            details.push_back(contents.folder.path + ": " +
                              counted(contents.count, "item", "items") + ", " +
                              exactBytes(contents.bytes));
        }
        details.push_back("Mode: " + modeInWords(shredMode));
        details.insert(details.end(), copiedAcross.begin(), copiedAcross.end());
        if (services_.alerts->run({.kind = Alert::Kind::Confirmation,
                                   .critical = true,
                                   .title = kTrashTitle,
                                   .message = kTrashQuestion,
                                   .defaultButton = kCancel,
                                   .alternateButton = kProceed,
                                   .details = details}) != 0) {
            outcome_ = RunOutcome::Cancelled;
            show(Field::statusText, kNothingTouched, false);
            tellAccount(kNothingTouched, {});
            keepRecord(copiedAcross);
            endRun();
            return;
        }
    }

    batch_ = RunAccount{};
    RunOutcome worst = RunOutcome::Shredded;
    for (const TrashContents& contents : trash) {
        shredTrashFolder(contents.folder, contents.items);
        if (outcome_ != RunOutcome::Shredded) {
            worst = outcome_;
        }
        if (stopRequested()) {
            worst = RunOutcome::Stopped;
            break;
        }
    }
    account_ = *batch_;
    batch_.reset();
    outcome_ = worst;
    if (worst == RunOutcome::Shredded) {
        show(Field::statusText, kTrashShredded, false);
    }
    std::vector<std::string> details = accountDetails(
        outcome_, account_, shredMode, [this](std::uint64_t n) { return formatted(n); });
    details.insert(details.end(), copiedAcross.begin(), copiedAcross.end());
    tellAccount(accountSummary(outcome_, account_, shredMode), details);
    keepRecord(copiedAcross);
    record_.details = details;
    endRun();
}

// Each item, then its record once the item is gone; the directorysizes lines of what went.
void ZVORBAControlShredder::shredTrashFolder(const TrashFolder& folder,
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
    for (const TrashedItem& item : items) {
        if (stopRequested()) {
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
    if (!gone.empty()) {
        const int error =
            services_.trash->forgetSizes(folder, gone, [this](const std::string& old) {
                overwriteFile(old, static_cast<std::int32_t>(shredMode));
            });
        if (error != 0) {
            batch_->kept.emplace_back(folder.path + "/directorysizes",
                                      std::string("its lines for the items shredded stay (") +
                                          std::strerror(error) + ")");
            worst = RunOutcome::Failed;
        }
    }
    outcome_ = worst;
}
