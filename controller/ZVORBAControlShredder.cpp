#include "ZVORBAControlShredder.h"

#include <cerrno>
#include <cstring>
#include <set>
#include <tuple>

#include "PathString.h"
#include "ZVUtility.h"

using namespace shredder_text;

namespace {

constexpr const char* kDenialFile = "You do not have permission to delete the file %@.";
constexpr const char* kDenialFolder =
    "The folder %@ contains files you do not have permission to delete.";
constexpr const char* kLogFormat = "Shred %@ bytes @ path '%@'";
constexpr const char* kFrameName = "Main";
constexpr const char* kDefaultsResource = "Zurizede Defaults";
constexpr const char* kHelpResource = "ORBA Zurizede Readme";
constexpr const char* kDiskUtilityMessage =
    "This function will launch the Apple \"Disk Utility\" for you. The Apple \"Disk Utility\" "
    "can be used to (re)format an entire disk volumes. \n\nPlease refer to Apple documentation "
    "for details on required settings for erasing or formatting a disk volume. \n\nAfter "
    "launching the Apple \"Disk Utility\", this application will quit.";
constexpr const char* kIsADevice = "%@ is a device: erase whole devices with the disk utility";
constexpr const char* kRootOfFileSystem = "/ is the root of the file system: it is never shredded.";
constexpr const char* kAmbiguousPath =
    "%@ ends in \".\" or \"..\", which is ambiguous: name the folder itself.";
constexpr const char* kWideChoice =
    "%@ is your home folder, the root of the file system or a folder directly under it. If you "
    "proceed, everything in it will be shredded. Please confirm that you mean this folder.";
constexpr const char* kReadOnly =
    "%@ is on a read-only file system: nothing on it can be removed, so nothing is overwritten.";
constexpr const char* kImmutable =
    "%@ or its folder is marked immutable or append-only: it cannot be removed, so nothing is "
    "overwritten.";
constexpr const char* kCountIsShort =
    "Not counted: %@ folder(s) could not be read, the first %@ (%@)";

}  // namespace

ZVORBAControlShredder::ZVORBAControlShredder(const ShredderConnections& connections)
    : display_(connections.display),
      progress(connections.display.progress),
      window(connections.window),
      services_(connections),
      notes_(connections.alerts, connections.account) {
    services_.alerts = &notes_;
    if (connections.account != nullptr) {
        services_.account = &notes_;
    }
}

ZVORBAControlShredder::~ZVORBAControlShredder() {
    // A job still on the pool refers to what is about to go: wait for it.
    for (const auto& file : inFlight_) {
        services_.overwriters->wait(file->ticket);
    }
}

void ZVORBAControlShredder::show(Field field, const std::string& text, bool redrawNow) {
    TextField* shown = display_[field];
    shown->setStringValue(text);
    if (redrawNow) {
        shown->display();
    }
}

std::string ZVORBAControlShredder::formatted(std::uint64_t number) const {
    return commaFormat ? commaFormat->stringFromNumber(number) : std::to_string(number);
}

// ---- start-up and shutdown -------------------------------------------------------------

void ZVORBAControlShredder::awakeFromNib() {
    if (services_.makeNumberFormatter) {
        commaFormat = services_.makeNumberFormatter("#,##0");
    }
    if (window != nullptr) {
        window->setFrameUsingName(kFrameName);
    }
    Application& app = *services_.application;
    if (auto plist = app.pathForResource(kDefaultsResource, "plist")) {
        if (auto defaults = app.dictionaryWithContentsOfFile(*plist)) {
            services_.defaults->registerDefaults(*defaults);
        }
    }
    const std::string name =
        app.processName() + "." + std::to_string(app.processIdentifier()) + ".XXXXX";
    tempApplication = setupDirectory(app.temporaryDirectory(), name);
}

std::optional<std::string> ZVORBAControlShredder::setupDirectory(
    const std::optional<std::string>& base, const std::optional<std::string>& name) {
    if (!base) {
        return services_.application->temporaryDirectory();
    }
    if (!name) {
        return std::nullopt;
    }
    const std::string joined = stringByAppendingPathComponent(*base, *name);
    // A NUL would cut the path short: never make a folder from a truncated one.
    if (joined.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return services_.fileManager->makeUniqueDirectory(joined);
}

bool ZVORBAControlShredder::windowShouldClose() {
    services_.application->terminate();
    return true;
}

void ZVORBAControlShredder::applicationWillTerminate() {
    if (window != nullptr) {
        window->saveFrameUsingName(kFrameName);
    }
    if (tempApplication) {
        services_.fileManager->removeFileAtPath(*tempApplication, *this);
    }
}

// ---- the shred run ---------------------------------------------------------------------

void ZVORBAControlShredder::showSelection(const std::string& path, bool isDirectory) {
    if (isDirectory) {
        show(Field::folderText, path, true);
        show(Field::fileText, kAllFilesInFolder, true);
    } else {
        show(Field::folderText, stringByDeletingLastPathComponent(path), true);
        show(Field::fileText, lastPathComponent(path), true);
    }
}

void ZVORBAControlShredder::countFolder(
    const std::string& path,
    const std::function<void(const FileAttributes&, const std::string&)>& note) {
    auto entries = services_.fileManager->enumeratorAtPath(path);
    while (!stopRequested()) {
        const auto name = entries->nextObject();
        if (!name) {
            break;
        }
        count += 1;  // first, so that an entry without attributes counts too
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
             formatMessage(kCountIsShort, {std::to_string(unreadFolders_.size()), first.path,
                                           std::strerror(first.errorNumber)}),
             true);
    }
}

void ZVORBAControlShredder::countSelection(const std::string& path, bool isDirectory) {
    FileManager& files = *services_.fileManager;
    unreadFolders_.clear();
    findings_ = {};
    // Files with more names than the selection holds keep their contents under the others.
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::pair<std::uint64_t, std::string>> linked;
    auto note = [&](const FileAttributes& attributes, const std::string& name) {
        amount += attributes.size;
        if (attributes.type == FileType::SymbolicLink) {
            links += 1;
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
        count += 1;
        if (auto attributes = files.fileAttributesAtPath(path, false)) {
            note(*attributes, path);
        }
    } else {
        countFolder(path, note);
    }
    for (const auto& [file, seen] : linked) {
        const std::uint64_t linkCount = [&] {
            auto attributes = files.fileAttributesAtPath(seen.second, false);
            return attributes ? attributes->linkCount : 0;
        }();
        if (seen.first < linkCount) {
            findings_.shared.add(seen.second);
        }
    }
    // A file run scales its bar like a folder run, so that the overwritten bytes fill it.
    progress->setMinValue(0.0);
    progress->setMaxValue(static_cast<double>(amount));
    progress->setDoubleValue(0.0);
}

bool ZVORBAControlShredder::isWideChoice(const std::string& path) const {
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

void ZVORBAControlShredder::resetProgress() {
    progress->setHidden(true);
    show(Field::progressCount, "", false);
    show(Field::progressLinks, "", false);
    show(Field::progressBytes, "", false);
}

void ZVORBAControlShredder::shredFiles(const std::string& chosen, bool chosenIsDirectory) {
    running_ = true;
    beginRun();
    Selection selection = resolveChoice(chosen, chosenIsDirectory);
    if (const char* denial = denialFor(chosen, selection)) {
        deny(selection.path, denial);
    } else {
        prepare(selection);
        if (confirmed(selection)) {
            walk(selection);
        }
    }
    settleSharedNames();
    if (batch_) {
        addTo(*batch_, account_);
    } else {
        showAccount();
        record_ = recordOfRun("shred", chosen, runBegan_, std::chrono::system_clock::now(),
                              account_.storage);
        addShredAccount(record_, outcome_, account_, shredMode, std::move(items_), warnings(),
                        [this](std::uint64_t n) { return formatted(n); });
        notes_.addTo(record_);
        if (outcome_ == RunOutcome::Stopped) {
            leftInPlace_ = leftInPlace(*services_.fileManager, chosen);
            addLeftInPlace(record_, *leftInPlace_,
                           [this](std::uint64_t n) { return formatted(n); });
        }
    }
    resetProgress();
    running_ = batch_.has_value();  // the Trash's run goes on
}

void ZVORBAControlShredder::beginRun() {
    runBegan_ = std::chrono::system_clock::now();
    if (!batch_) {
        items_.clear();
        itemIndex_.clear();
        recordedFolders_.clear();
        notes_.clear();
        ++runsBegun_;
    }
    outcome_ = RunOutcome::Denied;
    leftInPlace_.reset();
    amount = 0;
    links = 0;
    count = 0;
    account_ = {};
    sharedRemoved_.clear();
    walkRefused_ = false;
    show(Field::statusText, "", true);
}

Selection ZVORBAControlShredder::resolveChoice(const std::string& chosen, bool isDirectory) const {
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

const char* ZVORBAControlShredder::denialFor(const std::string& chosen,
                                             const Selection& selection) const {
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

void ZVORBAControlShredder::deny(const std::string& path, const char* denial) {
    services_.alerts->run({.kind = Alert::Kind::Denial,
                           .critical = true,
                           .title = kShredAlert,
                           .message = formatMessage(denial, {path}),
                           .defaultButton = kCancelShredding});
    show(Field::statusText, kNothingTouched, false);
}

// The run's settings, the storage check, and the count, shown before anyone is asked.
void ZVORBAControlShredder::prepare(Selection& selection) {
    UserDefaults& defaults = *services_.defaults;
    shredMode = shredModeFrom(defaults.integerForKey(settings_key::kShredMode));
    verifyLastPass_ = defaults.integerForKey(settings_key::kShredVerify) == 1;
    account_.verifying = verifyLastPass_;
    account_.storage = services_.fileManager->storageVerdictAtPath(selection.path);
    noteMemoryExposure();

    showSelection(selection.path, selection.isDirectory);
    countSelection(selection.path, selection.isDirectory);
    selection.items = count;
    selection.links = links;
    selection.bytes = amount;
    selection.mode = shredMode;
    selection.verifying = verifyLastPass_;
    for (const auto& [total, left, figure] :
         {std::tuple{Field::totalCount, Field::progressCount, formatted(count)},
          std::tuple{Field::totalLinks, Field::progressLinks, formatted(links)},
          std::tuple{Field::totalBytes, Field::progressBytes, exactBytes(amount)}}) {
        show(total, figure, false);
        show(left, figure, false);
    }
}

// Asks what must be asked: the question before a home folder or a top folder, even with
// confirmation off, and the confirmation when it is on. Nobody asked, the warnings are said
// before the walk starts.
bool ZVORBAControlShredder::confirmed(const Selection& selection) {
    outcome_ = RunOutcome::Cancelled;
    const auto ask = [this](Alert alert) {
        const bool proceed = services_.alerts->run(alert) == 0;
        if (!proceed) {
            show(Field::statusText, kNothingTouched, false);
        }
        return proceed;
    };
    if (stopRequested()) {  // stopped while counting: nothing touched
        show(Field::statusText, kNothingTouched, false);
        return false;
    }
    if (batch_) {
        return true;  // the Trash's one confirmation covered it
    }
    // A slip in a panel must not cost a whole home.
    if (selection.isDirectory && isWideChoice(selection.path) &&
        !ask({.kind = Alert::Kind::Question,
              .critical = true,
              .title = kShredAlert,
              .message = formatMessage(kWideChoice, {selection.path}),
              .defaultButton = kCancel,
              .alternateButton = kProceed})) {
        return false;
    }
    if (services_.defaults->integerForKey(settings_key::kShredWarning) == 1) {
        return ask(
            {.kind = Alert::Kind::Confirmation,
             .critical = true,
             .title = kShredAlert,
             .message = kConfirmation,
             .defaultButton = kCancel,
             .alternateButton = kProceed,
             .details = confirmationDetails(selection, findings_, account_,
                                            [this](std::uint64_t n) { return formatted(n); })});
    }
    if (services_.account != nullptr) {
        if (const auto unreached = warnings(); !unreached.empty()) {
            services_.account->showWarnings(unreached);
        }
    }
    return true;
}

void ZVORBAControlShredder::walk(const Selection& selection) {
    progress->setHidden(false);
    barBeforeFile_ = 0;
    runWritten_ = 0;
    runStarted_ = std::chrono::steady_clock::now();
    stoppedInAFile_ = false;
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
        show(Field::statusText, formatMessage(kErrorFormat, {kStoppedByRequest, selection.path}),
             false);
    } else if (removed) {
        if (services_.defaults->integerForKey(settings_key::kShredLogging) == 1) {
            services_.log->log(formatMessage(
                kLogFormat, {formatted(selection.bytes), escapedForLog(selection.path)}));
        }
        show(Field::statusText, kShredded, false);
        showSelection(selection.path, selection.isDirectory);
    }
}

// ---- the account -----------------------------------------------------------------------

// Once the run is over: a name removed because its contents had another name says whether
// those contents were overwritten under that other name after all, and a folder that stayed
// says so.
void ZVORBAControlShredder::settleSharedNames() {
    std::set<std::string> stay;
    for (const auto& [file, name] : sharedRemoved_) {
        stay.insert(name);
    }
    // A folder the walk went into stays when something in it stayed or the run stopped.
    if (outcome_ != RunOutcome::Shredded) {
        for (const auto& [index, path] : recordedFolders_) {
            bool isDirectory = false;
            if (items_[index].outcome != "kept" && itemExists(path, isDirectory)) {
                items_[index].outcome = "kept";
                items_[index].reason = "something in it stayed";
            }
        }
    }
    recordedFolders_.clear();
    for (ReportItem& item : items_) {
        if (item.reason == kContentsHaveAnotherName) {
            item.reason = stay.count(item.path) != 0
                              ? "its contents stay reachable through another name"
                              : "its contents were overwritten under another name";
        }
    }
}

std::vector<std::string> ZVORBAControlShredder::warnings() const {
    return unreachedWarnings(account_, findings_, links);
}

std::string ZVORBAControlShredder::exactBytes(std::uint64_t bytes) const {
    return ::exactBytes(bytes, [this](std::uint64_t n) { return formatted(n); });
}

void ZVORBAControlShredder::showAccount() {
    if (services_.account != nullptr) {
        services_.account->showAccount(
            accountSummary(outcome_, account_, shredMode),
            accountDetails(outcome_, account_, shredMode,
                           [this](std::uint64_t n) { return formatted(n); }));
    }
}

// ---- choosing what to shred ------------------------------------------------------------

std::optional<std::vector<std::string>> ZVORBAControlShredder::choose(bool folders) {
    OpenPanelSettings settings;
    settings.title = folders ? "Shred Folder & Contents" : "Shred File";
    settings.message = folders ? "Select a folder to shred." : "Select a file to shred.";
    settings.prompt = "Shred";
    settings.canChooseFiles = !folders;
    settings.canChooseDirectories = folders;
    settings.allowsMultipleSelection = true;
    if (services_.openPanel->runModal(settings) != kOpenPanelOK) {
        return std::nullopt;
    }
    return services_.openPanel->filenames();
}

void ZVORBAControlShredder::shredDirectory() {
    if (auto chosen = choose(true)) {
        RunRecord all;  // one report for everything chosen together
        for (const std::string& path : *chosen) {
            if (stopRequested()) {
                break;  // a stop ends the whole choice, not just the run in hand
            }
            shredFiles(path, true);
            addRun(all, record_);
        }
        record_ = std::move(all);
    }
}

void ZVORBAControlShredder::shredFile() {
    if (auto chosen = choose(false)) {
        RunRecord all;
        for (const std::string& path : *chosen) {
            if (stopRequested()) {
                break;
            }
            bool isDirectory = true;
            if (itemExists(path, isDirectory)) {
                shredFiles(path, isDirectory);
                addRun(all, record_);
            }
        }
        record_ = std::move(all);
    }
}

bool ZVORBAControlShredder::itemExists(const std::string& path, bool& isDirectory) const {
    FileManager& files = *services_.fileManager;
    if (files.fileExistsAtPath(path, isDirectory)) {
        return true;
    }
    // A link is an item of its own, whether what it points to is there or not (a dangling
    // link, one that points to itself): it is removed, as anywhere in a folder.
    const std::string trimmed = withoutTrailingSlashes(path);
    const auto itself = files.fileAttributesAtPath(trimmed.empty() ? path : trimmed, false);
    if (itself && itself->type == FileType::SymbolicLink) {
        isDirectory = false;
        return true;
    }
    return false;
}

bool ZVORBAControlShredder::applicationOpenFile(const std::string& path) {
    bool isDirectory = true;
    if (!itemExists(path, isDirectory)) {
        const auto now = std::chrono::system_clock::now();
        record_ = recordOfRun("shred", path, now, now, std::nullopt);
        record_.status = "not";
        record_.summary = "No such file or folder: nothing was touched.";
        return false;
    }
    shredFiles(path, isDirectory);
    return true;
}

std::vector<std::string> ZVORBAControlShredder::namesWithContentsElsewhere() const {
    std::vector<std::string> names;
    for (const auto& [file, name] : sharedRemovedEarlier_) {
        names.push_back(name);
    }
    return names;
}

// ---- help, support links and Disk Utility ----------------------------------------------

void ZVORBAControlShredder::showHelp() {
    if (!tempApplication) {
        services_.workspace->openFile(std::nullopt, "Preview");
        return;
    }
    const std::string destination = stringByAppendingPathComponent(*tempApplication, kHelpCopyName);
    if (auto source = services_.application->pathForResource(kHelpResource, "pdf")) {
        services_.fileManager->copyPath(*source, destination);
    }
    services_.workspace->openFile(stringByAppendingPathComponent(*tempApplication, kHelpCopyName),
                                  "Preview");
}

void ZVORBAControlShredder::zevvyMail() {
    services_.workspace->openURL(kMailURL);
}

void ZVORBAControlShredder::zevvyWWW() {
    services_.workspace->openURL(kWebURL);
}

void ZVORBAControlShredder::diskUtility() {
    const std::string message = formatMessage(kDiskUtilityMessage, {});
    const Alert question{.kind = Alert::Kind::Question,
                         .title = kDiskUtilityTitle,
                         .message = message,
                         .defaultButton = kLaunchDiskUtility,
                         .alternateButton = kCancel,
                         .cancel = Alert::Button::Alternate};
    if (services_.alerts->run(question) == 1) {
        services_.workspace->openFile(std::nullopt, "Disk Utility");
        services_.application->terminate();
    }
}
