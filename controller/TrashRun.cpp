// Shredding the Trash: every trashed item through a shred run of its own, then its record,
// under one confirmation and one account. Every trash folder is reached through the
// descriptors its trust check opened, held by the file manager for the whole run.

#include "controller/TrashRun.h"

#include <cerrno>
#include <iterator>

#include "controller/ZVORBAControlShredder.h"
#include "platform/Texts.h"

// What a folder's trash holds, counted, and what overwriting reaches where it is stored.
struct TrashContents {
    TrashFolder folder;
    std::vector<TrashedItem> items;
    std::uint64_t count = 0, bytes = 0;
    StorageVerdict storage;
};

namespace {

constexpr const char* kTrashTitle = TRANSLATABLE("TrashRun", "Shred Trash");
constexpr const char* kTrashQuestion = TRANSLATABLE(
    "TrashRun",
    "Shred everything in the trash? If you proceed, you will be UNABLE to recover the shredded "
    "files. Please confirm that you wish to proceed.");
constexpr const char* kTrashEmpty =
    TRANSLATABLE("TrashRun", "The trash is empty: nothing was shredded.");
constexpr const char* kTrashShredded = TRANSLATABLE("TrashRun", "The trash has been shredded.");
constexpr const char* kNotHeld = TRANSLATABLE(
    "TrashRun",
    "%1 was passed over, and nothing in it touched: it could not be held open for the run.");
constexpr const char* kTrashMoved = TRANSLATABLE(
    "TrashRun",
    "%1 was moved or replaced while the trash was shredded: the rest of the trash was left "
    "alone.");
constexpr const char* kTrashFellShort = TRANSLATABLE(
    "TrashRun", "Not all of the trash was shredded: what stays, and why, is listed below.");
constexpr const char* kCopiedAcross = TRANSLATABLE(
    "TrashRun",
    "%1 was trashed from another file system (%2): moving it to the trash copied it, and the "
    "original's blocks lie in the free space there. Wipe Free Space on %3 reaches them.");

// Why a trash folder was not trusted, as a sentence that names it and what failed: the
// folder itself, or a part of it. By UntrustedTrash::Why, then itself or a part.
constexpr const char* kPassedOver[][2] = {
    {TRANSLATABLE("TrashRun", "%1 was passed over, and nothing in it touched: it is a link."),
     TRANSLATABLE("TrashRun", "%1 was passed over, and nothing in it touched: %2 is a link.")},
    {TRANSLATABLE("TrashRun", "%1 was passed over, and nothing in it touched: it is not a folder."),
     TRANSLATABLE("TrashRun",
                  "%1 was passed over, and nothing in it touched: %2 is not a folder.")},
    {TRANSLATABLE("TrashRun",
                  "%1 was passed over, and nothing in it touched: it is not owned by you."),
     TRANSLATABLE("TrashRun",
                  "%1 was passed over, and nothing in it touched: %2 is not owned by you.")},
    {TRANSLATABLE("TrashRun",
                  "%1 was passed over, and nothing in it touched: others may write in it."),
     TRANSLATABLE("TrashRun",
                  "%1 was passed over, and nothing in it touched: others may write in %2.")},
    {TRANSLATABLE("TrashRun",
                  "%1 was passed over, and nothing in it touched: there is no sticky bit on it, "
                  "so others may rename what is in it."),
     TRANSLATABLE("TrashRun",
                  "%1 was passed over, and nothing in it touched: there is no sticky bit on %2, "
                  "so others may rename what is in it.")},
};
static_assert(std::size(kPassedOver) ==
              static_cast<std::size_t>(UntrustedTrash::Why::NoStickyBit) + 1);

std::string passedOverInWords(const UntrustedTrash& untrusted) {
    const char* sentence =
        kPassedOver[static_cast<int>(untrusted.why)][untrusted.part == untrusted.path ? 0 : 1];
    return withArgs(translated("TrashRun", sentence), {untrusted.path, untrusted.part});
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
            copiedAcross.push_back(withArgs(translated("TrashRun", kCopiedAcross),
                                            {item.name, item.originalPath, item.originalMount}));
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
            notes.push_back(withArgs(translated("TrashRun", kNotHeld), {folder.path}));
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

TrashRun::TrashRun(const ShredderConnections& services,
                   const std::unique_ptr<NumberFormatter>& commaFormat, RunNotes& notes,
                   SharedNames& earlier, ShredMode initialMode)
    : Run(services, commaFormat, notes), sharedRemovedEarlier_(earlier), mode_(initialMode) {}

void TrashRun::run() {
    begin();
    const TrashFolders found = services_.trash->trashFolders();
    std::vector<std::unique_ptr<FolderHold>> holds;
    const std::vector<TrashContents> trash =
        gathered(found, *services_.fileManager, *services_.trash, holds, notes_);
    const std::uint64_t passedOver = found.passedOver.size();
    if (trash.empty()) {
        const std::string empty =
            passedOver == 0 ? translated("TrashRun", kTrashEmpty)
                            : translatedCount("TrashRun",
                                              "The trash you may trust is empty, but %n trash "
                                              "folder was passed over: nothing was shredded.",
                                              "The trash you may trust is empty, but %n trash "
                                              "folders were passed over: nothing was shredded.",
                                              passedOver);
        finish(RunOutcome::Shredded, empty, empty, {});
        record_.summary = empty;
        return;
    }
    mode_ = shredModeFrom(services_.defaults->integerForKey(settings_key::kShredMode));
    noteMemoryExposure();
    if (!confirmed(trash)) {
        const std::string cancelled = translated("ShredRun", shredder_text::kNothingTouched);
        finish(RunOutcome::Cancelled, cancelled, cancelled, {});
        return;
    }
    const RunOutcome worst = shredFolders(trash);
    // The worst of the trash folders' storage is the one told, as for several PATHs.
    account_.storage.reset();
    for (const TrashContents& contents : trash) {
        account_.storageOf.emplace_back(contents.folder.path, contents.storage);
        if (!account_.storage || worseReach(account_.storage->reach, contents.storage.reach) !=
                                     account_.storage->reach) {
            account_.storage = contents.storage;
        }
    }
    finish(worst,
           worst != RunOutcome::Shredded ? std::string()
           : passedOver == 0             ? translated("TrashRun", kTrashShredded)
                                         : translatedCount("TrashRun",
                                                           "The trash has been shredded, but %n "
                                                                       "trash folder was passed over.",
                                                           "The trash has been shredded, but %n "
                                                                       "trash folders were passed over.",
                                                           passedOver),
           accountSummary(worst, account_, mode_),
           accountDetails(worst, account_, mode_, grouped()));
}

// Whatever it comes to, the account and the report say so. A run that shredded anything is
// summed up by its account; one that did not, by its status line.
void TrashRun::finish(RunOutcome outcome, const std::string& status, const std::string& summary,
                      const std::vector<std::string>& details) {
    outcome_ = outcome;
    if (!status.empty()) {
        show(Field::statusText, status, false);
    }
    std::vector<std::string> told = details;
    told.insert(told.end(), notes_.begin(), notes_.end());
    tellAccount(summary, told);
    record_ = recordOfRun(RunKind::Trash, translated("TrashRun", "the trash"), began_,
                          std::chrono::system_clock::now(), account_.storage);
    addShredAccount(record_, outcome_, account_, mode_, std::move(items_), notes_, grouped());
    record_.details = told;
    resetProgress();
}

bool TrashRun::confirmed(const std::vector<TrashContents>& trash) const {
    if (services_.defaults->integerForKey(settings_key::kShredWarning) != 1) {
        return true;
    }
    std::vector<std::string> details;
    for (const TrashContents& contents : trash) {
        details.push_back(withArgs(
            translatedCount("TrashRun", "%1: %n item, %2", "%1: %n items, %2", contents.count),
            {contents.folder.path, exactBytes(contents.bytes)}));
        details.push_back(withArgs(translated("TrashRun", "%1: %2"),
                                   {contents.folder.path, storageInWords(contents.storage)}));
    }
    details.push_back(withArgs(translated("TrashRun", "Mode: %1"), {modeInWords(mode_)}));
    details.insert(details.end(), notes_.begin(), notes_.end());
    return services_.alerts->run(
               {.kind = Alert::Kind::Confirmation,
                .critical = true,
                .title = translated("TrashRun", kTrashTitle),
                .message = translated("TrashRun", kTrashQuestion),
                .defaultButton = translated("ShredRun", shredder_text::kCancel),
                .alternateButton = translated("ShredRun", shredder_text::kProceed),
                .details = details}) == 0;
}

RunOutcome TrashRun::shredFolders(const std::vector<TrashContents>& trash) {
    RunOutcome worst = RunOutcome::Shredded;
    for (const TrashContents& contents : trash) {
        const FolderEnd end = shredFolder(contents.folder, contents.items);
        if (end.worst != RunOutcome::Shredded) {
            worst = end.worst;
        }
        if (!end.inPlace) {
            show(Field::statusText,
                 withArgs(translated("TrashRun", kTrashMoved), {contents.folder.path}), false);
            return RunOutcome::Failed;
        }
        if (stopRequested()) {
            return RunOutcome::Stopped;
        }
    }
    // Each item's run said how it ended; the last of them must not speak for the rest.
    if (worst == RunOutcome::Failed) {
        show(Field::statusText, translated("TrashRun", kTrashFellShort), false);
    }
    return worst;
}

// Each item, then its record once the item is gone; the directorysizes lines of what went.
// Before each item, the folder's path must still lead to the folder held: when it does not,
// nothing more of it is touched.
TrashRun::FolderEnd TrashRun::shredFolder(const TrashFolder& folder,
                                          const std::vector<TrashedItem>& items) {
    FolderEnd end;
    std::vector<std::string> gone;
    for (const TrashedItem& item : items) {
        if (stopRequested()) {
            break;
        }
        if (!(end.inPlace = services_.trash->stillInPlace(folder))) {
            account_.kept.emplace_back(folder.path,
                                       translated("TrashRun",
                                                  "it was moved or replaced while the trash was "
                                                  "shredded: nothing more of it was touched"));
            end.worst = RunOutcome::Failed;
            break;
        }
        const std::string path = folder.path + "/files/" + item.name;
        shredItem(path, item.isDirectory, end.worst);
        bool isDirectory = false;
        if (itemExists(*services_.fileManager, path, isDirectory)) {
            continue;
        }
        gone.push_back(item.name);
        // The record names where the item came from: it goes the same way.
        const std::string record = folder.path + "/info/" + item.name + ".trashinfo";
        if (itemExists(*services_.fileManager, record, isDirectory) && !isDirectory) {
            shredItem(record, false, end.worst);
        }
    }
    if (!gone.empty() && !forgetSizes(folder, gone)) {
        end.worst = RunOutcome::Failed;
    }
    return end;
}

// One item's run that did not shred it: the Trash's run fell short. An item that was refused
// is kept, and said to be.
void TrashRun::shredItem(const std::string& path, bool isDirectory, RunOutcome& worst) {
    ShredRun item(services_, commaFormat_, runNotes_, sharedRemovedEarlier_, true);
    item.run(path, isDirectory);
    addTo(account_, item.account());
    std::vector<ReportItem> done = item.takeItems();
    items_.insert(items_.end(), std::make_move_iterator(done.begin()),
                  std::make_move_iterator(done.end()));
    const RunOutcome outcome = item.outcome();
    if (outcome == RunOutcome::Shredded) {
        return;
    }
    if (outcome == RunOutcome::Denied || outcome == RunOutcome::Cancelled) {
        account_.kept.emplace_back(
            path, translated("TrashRun", "it may not be removed: nothing of it was touched"));
    }
    worst = outcome == RunOutcome::Stopped ? RunOutcome::Stopped : RunOutcome::Failed;
}

// The directorysizes lines of the items gone, dropped; the old file overwritten in place
// before the new one takes its name. Whatever fails is said; false then.
bool TrashRun::forgetSizes(const TrashFolder& folder, const std::vector<std::string>& gone) {
    const std::string sizes = folder.path + "/directorysizes";
    std::string notOverwritten;
    const int error =
        services_.trash->forgetSizes(folder, gone, [&](int folderFd, const std::string& name) {
            const OverwriteOutcome done = overwriteFileAt(folderFd, name, mode_);
            if (done.status == OverwriteStatus::NotOverwritable) {
                notOverwritten =
                    translated("TrashRun", "it has another name, or is no regular file");
            } else if (done.status != OverwriteStatus::Overwritten &&
                       done.status != OverwriteStatus::Empty) {
                notOverwritten = reasonInWords(reasonToKeep(done).value_or(
                    Reason{ReasonCode::CouldNotOverwrite, done.errorNumber}));
            }
        });
    if (error != 0) {
        account_.kept.emplace_back(
            sizes, withArgs(translated("TrashRun", "its lines for the items shredded stay (%1)"),
                            {reasonInWords({ReasonCode::SystemError, error})}));
    }
    if (!notOverwritten.empty()) {
        account_.kept.emplace_back(
            sizes, withArgs(translated("TrashRun",
                                       "its old copy, with the lines of the items shredded, was "
                                       "not overwritten (%1)"),
                            {notOverwritten}));
    }
    return error == 0 && notOverwritten.empty();
}

// ---- the controller's side: the menu action and the run it starts ------------------------

void ZVORBAControlShredder::shredTrash() {
    beginRun();
    TrashRun trash(services_, commaFormat, notes_, sharedRemovedEarlier_, runShredMode());
    trash.run();
    outcome_ = trash.outcome();
    account_ = trash.account();
    endRun(trash.record());
}
