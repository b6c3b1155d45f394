#include "controller/ZVORBAControlShredder.h"

#include "engine/ZVUtility.h"
#include "platform/PathString.h"
#include "platform/Texts.h"

using namespace shredder_text;

namespace {

constexpr const char* kFrameName = "Main";
constexpr const char* kDefaultsResource = "Zurizede Defaults";
constexpr const char* kHelpResource = "ORBA Zurizede Readme";
constexpr const char* kDiskUtilityMessage = TRANSLATABLE(
    "Shredder",
    "This function will launch the Apple \"Disk Utility\" for you. The Apple \"Disk Utility\" "
    "can be used to (re)format an entire disk volumes. \n\nPlease refer to Apple documentation "
    "for details on required settings for erasing or formatting a disk volume. \n\nAfter "
    "launching the Apple \"Disk Utility\", this application will quit.");

}  // namespace

ZVORBAControlShredder::ZVORBAControlShredder(const ShredderConnections& connections)
    : services_(connections),
      notes_(connections.alerts, connections.account),
      shred_(std::make_unique<ShredRun>(services_, commaFormat, notes_, sharedRemovedEarlier_,
                                        false)) {
    // Every run asks and tells through the notes, which add the run's lines.
    services_.alerts = &notes_;
    if (connections.account != nullptr) {
        services_.account = &notes_;
    }
}

// A run's jobs still on the pool are waited for by the run.
ZVORBAControlShredder::~ZVORBAControlShredder() = default;

// ---- start-up and shutdown -------------------------------------------------------------

void ZVORBAControlShredder::awakeFromNib() {
    if (services_.makeNumberFormatter) {
        commaFormat = services_.makeNumberFormatter("#,##0");
    }
    if (services_.window != nullptr) {
        services_.window->setFrameUsingName(kFrameName);
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
    if (services_.window != nullptr) {
        services_.window->saveFrameUsingName(kFrameName);
    }
    if (tempApplication) {
        services_.fileManager->removeFileAtPath(*tempApplication, *this);
    }
}

// ---- the runs ----------------------------------------------------------------------------

void ZVORBAControlShredder::beginRun() {
    running_ = true;
    ++runsBegun_;
    outcome_ = RunOutcome::Denied;
    account_ = {};
    leftInPlace_.reset();
    notes_.clear();
}

void ZVORBAControlShredder::endRun(RunRecord record) {
    record_ = std::move(record);
    notes_.addTo(record_);
    running_ = false;
}

void ZVORBAControlShredder::shredFiles(const std::string& chosen, bool chosenIsDirectory) {
    beginRun();
    shred_ =
        std::make_unique<ShredRun>(services_, commaFormat, notes_, sharedRemovedEarlier_, false);
    shred_->run(chosen, chosenIsDirectory);
    outcome_ = shred_->outcome();
    account_ = shred_->account();
    leftInPlace_ = shred_->leftInPlace();
    endRun(shred_->record());
}

bool ZVORBAControlShredder::stopRequested() const {
    return services_.stopRequested && services_.stopRequested();
}

Decision ZVORBAControlShredder::fileManagerWillProcessPath(FileManager& manager,
                                                           const WalkItem& item) {
    return shred_->fileManagerWillProcessPath(manager, item);
}

std::vector<Decision> ZVORBAControlShredder::fileManagerFinishItems(FileManager& manager,
                                                                    std::size_t count) {
    return shred_->fileManagerFinishItems(manager, count);
}

bool ZVORBAControlShredder::fileManagerShouldProceedAfterError(FileManager& manager,
                                                               const RemovalError& info) {
    return shred_->fileManagerShouldProceedAfterError(manager, info);
}

// ---- choosing what to shred ------------------------------------------------------------

std::optional<std::vector<std::string>> ZVORBAControlShredder::choose(bool folders) {
    OpenPanelSettings settings;
    settings.title = folders ? translated("Shredder", "Shred Folder & Contents")
                             : translated("Shredder", "Shred File");
    settings.message = folders ? translated("Shredder", "Select a folder to shred.")
                               : translated("Shredder", "Select a file to shred.");
    settings.prompt = translated("Shredder", "Shred");
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
            if (itemExists(*services_.fileManager, path, isDirectory)) {
                shredFiles(path, isDirectory);
                addRun(all, record_);
            }
        }
        record_ = std::move(all);
    }
}

bool ZVORBAControlShredder::applicationOpenFile(const std::string& path) {
    bool isDirectory = true;
    if (!itemExists(*services_.fileManager, path, isDirectory)) {
        const auto now = std::chrono::system_clock::now();
        record_ = recordOfRun(RunKind::Shred, path, now, now, std::nullopt);
        record_.status = RunStatus::Not;
        record_.summary = translated("Shredder", "No such file or folder: nothing was touched.");
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
    const Alert question{.kind = Alert::Kind::Question,
                         .title = translated("Shredder", "Apple Format Utility"),
                         .message = translated("Shredder", kDiskUtilityMessage),
                         .defaultButton = translated("Shredder", "Launch Disk Utility"),
                         .alternateButton = translated("ShredRun", shredder_text::kCancel),
                         .cancel = Alert::Button::Alternate};
    if (services_.alerts->run(question) == 1) {
        services_.workspace->openFile(std::nullopt, "Disk Utility");
        services_.application->terminate();
    }
}
