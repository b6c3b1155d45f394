// A shred run's steps, in order: the choice resolved and checked, the settings and the count,
// the confirmation, the walk, and the one end.

#include "controller/ShredRun.h"

#include <cerrno>
#include <set>
#include <tuple>

#include "controller/ShredderConnections.h"
#include "controller/ZVORBAControlShredder.h"
#include "platform/PathString.h"
#include "platform/Texts.h"

using namespace shredder_text;

namespace {

constexpr const char* kDenialFile =
    TRANSLATABLE("ShredRun", "You do not have permission to delete the file %1.");
constexpr const char* kDenialFolder =
    TRANSLATABLE("ShredRun", "The folder %1 contains files you do not have permission to delete.");
// The system log's line stays English, for the administrator's tools.
constexpr const char* kLogFormat = "Shred %@ bytes @ path '%@'";
constexpr const char* kIsADevice =
    TRANSLATABLE("ShredRun", "%1 is a device: erase whole devices with the disk utility");
constexpr const char* kRootOfFileSystem =
    TRANSLATABLE("ShredRun", "/ is the root of the file system: it is never shredded.");
constexpr const char* kAmbiguousPath = TRANSLATABLE(
    "ShredRun", "%1 ends in \".\" or \"..\", which is ambiguous: name the folder itself.");
constexpr const char* kWideChoice = TRANSLATABLE(
    "ShredRun",
    "%1 is your home folder, the root of the file system or a folder directly under it. If you "
    "proceed, everything in it will be shredded. Please confirm that you mean this folder.");
constexpr const char* kReadOnly =
    TRANSLATABLE("ShredRun",
                 "%1 is on a read-only file system: nothing on it can be removed, so nothing is "
                 "overwritten.");
constexpr const char* kImmutable = TRANSLATABLE(
    "ShredRun",
    "%1 or its folder is marked immutable or append-only: it cannot be removed, so nothing is "
    "overwritten.");

std::string nothingTouched() {
    return translated("ShredRun", shredder_text::kNothingTouched);
}

}  // namespace

ShredRun::ShredRun(const ShredderConnections& services,
                   const std::unique_ptr<NumberFormatter>& commaFormat, RunNotes& notes,
                   SharedNames& earlier, bool partOfTrash)
    : Run(services, commaFormat, notes),
      partOfTrash_(partOfTrash),
      sharedRemovedEarlier_(earlier) {}

ShredRun::~ShredRun() {
    // A job still on the pool refers to what is about to go: wait for it.
    for (const auto& file : inFlight_) {
        services_.overwriters->wait(file->ticket);
    }
}

void ShredRun::run(const std::string& chosen, bool chosenIsDirectory) {
    begin();
    Selection selection = resolveChoice(chosen, chosenIsDirectory);
    if (const char* denial = denialFor(chosen, selection)) {
        deny(selection.path, denial);
        finish(RunOutcome::Denied, nothingTouched(), chosen);
        return;
    }
    prepare(selection);
    if (!confirmed(selection)) {
        finish(RunOutcome::Cancelled, nothingTouched(), chosen);
        return;
    }
    const std::string status = walk(selection);
    finish(outcome_, status, chosen);
}

void ShredRun::finish(RunOutcome outcome, const std::string& status, const std::string& chosen) {
    outcome_ = outcome;
    if (!status.empty()) {
        show(Field::statusText, status, false);
    }
    settleSharedNames();
    if (!partOfTrash_) {
        tellAccount(accountSummary(outcome_, account_, mode_),
                    accountDetails(outcome_, account_, mode_, grouped()));
        record_ = recordOfRun(RunKind::Shred, chosen, began_, std::chrono::system_clock::now(),
                              account_.storage);
        addShredAccount(record_, outcome_, account_, mode_, std::move(items_), warnings(),
                        grouped());
        if (outcome_ == RunOutcome::Stopped) {
            leftInPlace_ = ::leftInPlace(*services_.fileManager, chosen);
            addLeftInPlace(record_, *leftInPlace_, grouped());
        }
    }
    resetProgress();
}

Selection ShredRun::resolveChoice(const std::string& chosen, bool isDirectory) const {
    // A symbolic link is the item chosen, even when a trailing slash names its target: the
    // link is removed and what it points to is neither counted nor touched.
    const std::string trimmed = withoutTrailingSlashes(chosen);
    const auto itself =
        services_.fileManager->fileAttributesAtPath(trimmed.empty() ? chosen : trimmed, false);
    if (itself && itself->type == FileType::SymbolicLink) {
        return {.path = trimmed, .isDirectory = false};
    }
    return {.path = chosen, .isDirectory = isDirectory};
}

const char* ShredRun::denialFor(const std::string& chosen, const Selection& selection) const {
    FileManager& files = *services_.fileManager;
    const std::string trimmed = withoutTrailingSlashes(chosen);
    const std::string last = lastPathComponent(trimmed);
    if (trimmed == "/" || trimmed.empty()) {
        return kRootOfFileSystem;
    }
    if (last == "." || last == "..") {
        return kAmbiguousPath;
    }
    // Removing a device node erases nothing on the device: say what would.
    const auto itself = files.fileAttributesAtPath(selection.path, false);
    if (itself && itself->type == FileType::Device) {
        return kIsADevice;
    }
    switch (files.removalBlockerAtPath(selection.path)) {
        case 0:
            return nullptr;
        case EROFS:
            return kReadOnly;
        case EPERM:
            return kImmutable;
        default:
            return selection.isDirectory ? kDenialFolder : kDenialFile;
    }
}

void ShredRun::deny(const std::string& path, const char* denial) {
    services_.alerts->run(
        {.kind = Alert::Kind::Denial,
         .critical = true,
         .title = translated("ShredRun", shredder_text::kShredAlert),
         .message = withArgs(translated("ShredRun", denial), {path}),
         .defaultButton = translated("ShredRun", shredder_text::kCancelShredding)});
}

// The run's settings, the storage check, and the count, shown before anyone is asked.
void ShredRun::prepare(Selection& selection) {
    UserDefaults& defaults = *services_.defaults;
    mode_ = shredModeFrom(defaults.integerForKey(settings_key::kShredMode));
    verifyLastPass_ = defaults.integerForKey(settings_key::kShredVerify) == 1;
    account_.verifying = verifyLastPass_;
    // The Trash judged each of its folders once: its items lie there.
    if (!partOfTrash_) {
        account_.storage = services_.fileManager->storageVerdictAtPath(selection.path);
    }
    noteMemoryExposure();

    showSelection(selection.path, selection.isDirectory);
    countSelection(selection.path, selection.isDirectory);
    selection.items = count_;
    selection.links = links_;
    selection.bytes = amount_;
    selection.mode = mode_;
    selection.verifying = verifyLastPass_;
    for (const auto& [total, left, figure] :
         {std::tuple{Field::totalCount, Field::progressCount, formatted(count_)},
          std::tuple{Field::totalLinks, Field::progressLinks, formatted(links_)},
          std::tuple{Field::totalBytes, Field::progressBytes, exactBytes(amount_)}}) {
        show(total, figure, false);
        show(left, figure, false);
    }
    progress_->setItemsLeft(count_);
}

// Asks what must be asked: the question before a home folder or a top folder, even with
// confirmation off, and the confirmation when it is on. Nobody asked, the warnings are said
// before the walk starts. One of the Trash's items was covered by its one confirmation.
bool ShredRun::confirmed(const Selection& selection) {
    if (stopRequested()) {  // stopped while counting: nothing touched
        return false;
    }
    if (partOfTrash_) {
        return true;
    }
    // A slip in a panel must not cost a whole home.
    if (selection.isDirectory && isWideChoice(selection.path) &&
        !asked({.kind = Alert::Kind::Question,
                .critical = true,
                .title = translated("ShredRun", shredder_text::kShredAlert),
                .message = withArgs(translated("ShredRun", kWideChoice), {selection.path}),
                .defaultButton = translated("ShredRun", shredder_text::kCancel),
                .alternateButton = translated("ShredRun", shredder_text::kProceed)})) {
        return false;
    }
    if (services_.defaults->integerForKey(settings_key::kShredWarning) == 1) {
        return asked({.kind = Alert::Kind::Confirmation,
                      .critical = true,
                      .title = translated("ShredRun", shredder_text::kShredAlert),
                      .message = translated("ShredRun", shredder_text::kConfirmation),
                      .defaultButton = translated("ShredRun", shredder_text::kCancel),
                      .alternateButton = translated("ShredRun", shredder_text::kProceed),
                      .details = confirmationDetails(selection, findings_, account_, grouped())});
    }
    if (services_.account != nullptr) {  // the run's notes join them, or are all there is
        services_.account->showWarnings(warnings());
    }
    return true;
}

bool ShredRun::asked(const Alert& alert) {
    return services_.alerts->run(alert) == 0;
}

std::string ShredRun::walk(const Selection& selection) {
    progress_->setHidden(false);
    walkStarted_ = std::chrono::steady_clock::now();
    const bool removed = services_.fileManager->removeFileAtPath(selection.path, *this);
    outcome_ = removed ? RunOutcome::Shredded
                       : (stopRequested() ? RunOutcome::Stopped : RunOutcome::Failed);
    for (const auto& [file, name] : sharedRemoved_) {
        account_.stillReachable.add(name);
        sharedRemovedEarlier_.insert({file, name});
    }
    if (removed && stoppedInAFile_) {
        // The last file was stopped after a whole pass and removed: everything is gone, but
        // not in the passes the log and the success text would claim.
        outcome_ = RunOutcome::Stopped;
        return errorAt(translated("ShredRun", shredder_text::kStoppedByRequest), selection.path);
    }
    if (!removed) {
        return {};  // the walk's error said why
    }
    if (services_.defaults->integerForKey(settings_key::kShredLogging) == 1) {
        services_.log->log(
            formatMessage(kLogFormat, {formatted(selection.bytes), escapedForLog(selection.path)}));
    }
    showSelection(selection.path, selection.isDirectory);
    return translated("ShredRun", shredder_text::kShredded);
}

// Once the run is over: a name removed because its contents had another name says whether
// those contents were overwritten under that other name after all, and a folder that stayed
// says so.
void ShredRun::settleSharedNames() {
    std::set<std::string> stay;
    for (const auto& [file, name] : sharedRemoved_) {
        stay.insert(name);
    }
    // A folder the walk went into stays when something in it stayed or the run stopped.
    if (outcome_ != RunOutcome::Shredded) {
        for (const auto& [index, path] : recordedFolders_) {
            bool isDirectory = false;
            if (items_[index].outcome != ItemOutcome::Kept &&
                itemExists(*services_.fileManager, path, isDirectory)) {
                items_[index].outcome = ItemOutcome::Kept;
                items_[index].reason = translated("ShredRun", "something in it stayed");
            }
        }
    }
    recordedFolders_.clear();
    for (ReportItem& item : items_) {
        if (item.reason == kContentsHaveAnotherName) {
            item.reason =
                stay.count(item.path) != 0
                    ? translated("ShredRun", "its contents stay reachable through another name")
                    : translated("ShredRun", "its contents were overwritten under another name");
        }
    }
}

// ---- the count -------------------------------------------------------------------------

void ShredRun::showSelection(const std::string& path, bool isDirectory) {
    if (isDirectory) {
        show(Field::folderText, path, true);
        show(Field::fileText, translated("ShredRun", shredder_text::kAllFilesInFolder), true);
    } else {
        show(Field::folderText, stringByDeletingLastPathComponent(path), true);
        show(Field::fileText, lastPathComponent(path), true);
    }
}

void ShredRun::countFolder(
    const std::string& path,
    const std::function<void(const FileAttributes&, const std::string&)>& note) {
    auto entries = services_.fileManager->enumeratorAtPath(path);
    while (!stopRequested()) {
        const auto name = entries->nextObject();
        if (!name) {
            break;
        }
        count_ += 1;  // first, so that an entry without attributes counts too
        if (name->find('/') == std::string::npos) {
            findings_.topNames.add(*name);
        }
        if (auto attributes = entries->fileAttributes()) {
            note(*attributes, stringByAppendingPathComponent(path, *name));
        }
    }
    // Totals that leave out what a folder holds must say so before anyone confirms them.
    unreadFolders_ = entries->unreadFolders();
    if (!unreadFolders_.empty()) {
        const UnreadFolder& first = unreadFolders_.front();
        show(Field::statusText,
             withArgs(
                 translatedCount("ShredRun",
                                 "Not counted: %n folder(s) could not be read, the first %1 (%2)",
                                 "Not counted: %n folder(s) could not be read, the first %1 (%2)",
                                 unreadFolders_.size()),
                 {first.path, reasonInWords({ReasonCode::SystemError, first.errorNumber})}),
             true);
    }
}

void ShredRun::countSelection(const std::string& path, bool isDirectory) {
    FileManager& files = *services_.fileManager;
    // Files with more names than the selection holds keep their contents under the others.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::pair<std::uint64_t, std::string>> linked;
    auto note = [&](const FileAttributes& attributes, const std::string& name) {
        amount_ += attributes.size;
        if (attributes.type == FileType::SymbolicLink) {
            links_ += 1;
        } else if (attributes.type == FileType::Device || attributes.type == FileType::Other) {
            findings_.specialFiles += 1;
        } else if (attributes.type == FileType::Regular && attributes.linkCount > 1) {
            auto& seen = linked[{attributes.device, attributes.inode}];
            seen.first += 1;
            if (seen.second.empty()) {
                seen.second = name;
            }
        }
    };
    if (!isDirectory) {
        count_ += 1;
        if (auto attributes = files.fileAttributesAtPath(path, false)) {
            note(*attributes, path);
        }
    } else {
        countFolder(path, note);
    }
    for (const auto& [file, seen] : linked) {
        const auto attributes = files.fileAttributesAtPath(seen.second, false);
        if (seen.first < (attributes ? attributes->linkCount : 0)) {
            findings_.shared.add(seen.second);
        }
    }
    // A file run scales its bar like a folder run, so that the overwritten bytes fill it.
    progress_->setMinValue(0.0);
    progress_->setMaxValue(static_cast<double>(amount_));
    progress_->setDoubleValue(0.0);
}

bool ShredRun::isWideChoice(const std::string& path) const {
    // Told by identity, however the path spells it (relative, through "..", with a trailing
    // slash): the folder the walk will open, and its folder as the walk opens it.
    FileManager& files = *services_.fileManager;
    const std::string trimmed = withoutTrailingSlashes(path);
    const auto folder = files.fileAttributesAtPath(trimmed, false);
    if (!folder || folder->type != FileType::Directory) {
        return false;
    }
    auto same = [](const std::optional<FileAttributes>& a, const std::optional<FileAttributes>& b) {
        return a && b && a->device == b->device && a->inode == b->inode;
    };
    const std::string above = stringByDeletingLastPathComponent(trimmed);
    const auto root = files.fileAttributesAtPath("/", true);
    const auto home = services_.application->homeDirectory();
    return same(folder, root) ||
           same(files.fileAttributesAtPath(above.empty() ? "." : above, true), root) ||
           (home && !home->empty() && same(folder, files.fileAttributesAtPath(*home, true)));
}

std::vector<std::string> ShredRun::warnings() const {
    return unreachedWarnings(account_, findings_, links_);
}
