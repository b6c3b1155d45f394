#include "ZVORBAControlShredder.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "PathString.h"
#include "ZVUtility.h"

using namespace shredder_text;

namespace {

constexpr const char* kDenialFile = "You do not have permission to delete the file %@.";
constexpr const char* kDenialFolder =
    "The folder %@ contains files you do not have permission to delete.";
constexpr const char* kLogFormat = "Shred %@ bytes @ path '%@'";
constexpr const char* kErrorFormat = "%@: %@";
constexpr const char* kErrorPanelFormat = "%@. Due to this error, shredding will be stopped.";
constexpr const char* kFrameName = "Main";
constexpr const char* kDefaultsResource = "Zurizede Defaults";
constexpr const char* kHelpResource = "ORBA Zurizede Readme";
constexpr const char* kDiskUtilityMessage =
    "This function will launch the Apple \"Disk Utility\" for you. The Apple \"Disk Utility\" "
    "can be used to (re)format an entire disk volumes. \n\nPlease refer to Apple documentation "
    "for details on required settings for erasing or formatting a disk volume. \n\nAfter "
    "launching the Apple \"Disk Utility\", this application will quit.";
constexpr std::size_t kPathBufferBytes = 1024;
constexpr const char* kCouldNotOverwrite = "Could not overwrite the file (%@)";
constexpr const char* kCouldNotExamine = "Could not examine the item (%@)";
constexpr const char* kIsADevice = "%@ is a device: erase whole devices with the disk utility";
constexpr const char* kWideChoice =
    "%@ is your home folder, the root of the file system or a folder directly under it. If you "
    "proceed, everything in it will be shredded. Please confirm that you mean this folder.";
constexpr const char* kNoRandomBytes =
    "Could not overwrite the file: the random device %@ could not be opened (%@)";
constexpr const char* kChangedWhileOverwritten =
    "The file kept growing while it was being overwritten";
constexpr const char* kCountIsShort =
    "Not counted: %@ folder(s) could not be read, the first %@ (%@)";

void show(TextField* field, const std::string& text, bool redrawNow) {
    field->setStringValue(text);
    if (redrawNow) {
        field->display();
    }
}

}  // namespace

std::string formatMessage(const std::string& format, std::initializer_list<std::string> args) {
    std::string result;
    auto next = args.begin();
    for (std::string::size_type i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '@' &&
            next != args.end()) {
            result += *next++;
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

std::string humanBytes(std::uint64_t bytes) {
    static const char* const units[] = {"KB", "MB", "GB", "TB", "PB", "EB"};
    if (bytes < 1024) {
        return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    }
    double value = static_cast<double>(bytes) / 1024;
    int unit = 0;
    while (value >= 1024 && unit < 5) {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
    return text;
}

std::string escapedForLog(const std::string& path) {
    static const char hex[] = "0123456789abcdef";
    std::string escaped;
    escaped.reserve(path.size());
    for (unsigned char c : path) {
        if (c == '\\') {
            escaped += "\\\\";
        } else if (c < 0x20 || c == 0x7f) {
            escaped += "\\x";
            escaped += hex[c >> 4];
            escaped += hex[c & 0xf];
        } else {
            escaped += static_cast<char>(c);
        }
    }
    return escaped;
}

ZVORBAControlShredder::ZVORBAControlShredder(const ShredderConnections& connections)
    : progress(connections.progress),
      window(connections.window),
      folderText(connections.folderText),
      fileText(connections.fileText),
      statusText(connections.statusText),
      totalCount(connections.totalCount),
      totalLinks(connections.totalLinks),
      totalBytes(connections.totalBytes),
      progressCount(connections.progressCount),
      progressLinks(connections.progressLinks),
      progressBytes(connections.progressBytes),
      services_(connections) {}

ZVORBAControlShredder::~ZVORBAControlShredder() = default;

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
    // The folder is made only from a path that fits the buffer whole and holds no NUL:
    // never from a truncated one.
    if (joined.size() > kPathBufferBytes || joined.find('\0') != std::string::npos) {
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
        show(folderText, path, true);
        show(fileText, kAllFilesInFolder, true);
    } else {
        show(folderText, stringByDeletingLastPathComponent(path), true);
        show(fileText, lastPathComponent(path), true);
    }
}

void ZVORBAControlShredder::countSelection(const std::string& path, bool isDirectory) {
    FileManager& files = *services_.fileManager;
    unreadFolders_.clear();
    if (!isDirectory) {
        count += 1;
        if (auto attributes = files.fileAttributesAtPath(path, false)) {
            amount += attributes->size;
        }
    } else {
        auto entries = files.enumeratorAtPath(path);
        while (!stopRequested() && entries->nextObject()) {
            count += 1;  // first, so that an entry without attributes counts too
            auto attributes = entries->fileAttributes();
            if (!attributes) {
                continue;
            }
            amount += attributes->size;
            if (attributes->type == FileType::SymbolicLink) {
                links += 1;
            }
        }
        // Totals that leave out what a folder holds must say so before anyone confirms them.
        unreadFolders_ = entries->unreadFolders();
        if (!unreadFolders_.empty()) {
            const UnreadFolder& first = unreadFolders_.front();
            show(statusText,
                 formatMessage(kCountIsShort, {std::to_string(unreadFolders_.size()), first.path,
                                               std::strerror(first.errorNumber)}),
                 true);
        }
    }
    // A file run scales its bar like a folder run, so that the overwritten bytes fill it.
    progress->setMinValue(0.0);
    progress->setMaxValue(static_cast<double>(amount));
    progress->setDoubleValue(0.0);
}

bool ZVORBAControlShredder::isWideChoice(const std::string& path) const {
    const std::string trimmed = withoutTrailingSlashes(path);
    const auto home = services_.application->homeDirectory();
    return trimmed == "/" || stringByDeletingLastPathComponent(trimmed) == "/" ||
           (home && !home->empty() && trimmed == withoutTrailingSlashes(*home));
}

void ZVORBAControlShredder::resetProgress() {
    progress->setHidden(true);
    show(progressCount, "", false);
    show(progressLinks, "", false);
    show(progressBytes, "", false);
}

void ZVORBAControlShredder::shredFiles(const std::string& path, bool isDirectory) {
    running_ = true;
    outcome_ = RunOutcome::Denied;
    amount = 0;
    links = 0;
    count = 0;
    show(statusText, "", true);

    FileManager& files = *services_.fileManager;
    UserDefaults& defaults = *services_.defaults;
    // Removing a device node erases nothing on the device: say what would.
    const auto itself = files.fileAttributesAtPath(path, false);
    if (itself && itself->type == FileType::Device) {
        services_.alerts->runCriticalAlertPanel(kShredAlert, formatMessage(kIsADevice, {path}),
                                                kCancelShredding);
        show(statusText, kNothingTouched, false);
        running_ = false;
        return;
    }
    if (!files.isDeletableFileAtPath(path)) {
        services_.alerts->runCriticalAlertPanel(
            kShredAlert, formatMessage(isDirectory ? kDenialFolder : kDenialFile, {path}),
            kCancelShredding);
        show(statusText, kNothingTouched, false);
        running_ = false;
        return;
    }
    shredMode = defaults.integerForKey(settings_key::kShredMode);

    showSelection(path, isDirectory);
    countSelection(path, isDirectory);

    const std::string countText = formatted(count);
    show(totalCount, countText, false);
    show(progressCount, countText, false);
    const std::string linksText = formatted(links);
    show(totalLinks, linksText, false);
    show(progressLinks, linksText, false);
    const std::string bytesText = formatted(amount);
    show(totalBytes, bytesText, false);
    show(progressBytes, bytesText, false);

    outcome_ = RunOutcome::Cancelled;
    bool proceed = !stopRequested();  // stopped while counting: nothing touched
    if (!proceed) {
        show(statusText, kNothingTouched, false);
    } else if (isDirectory && isWideChoice(path)) {
        // A slip in a panel must not cost a whole home: asked even when confirmation is off.
        const int answer = services_.alerts->runCriticalAlertPanel(
            kShredAlert, formatMessage(kWideChoice, {path}), kCancel, kProceed);
        proceed = answer == 0;
        if (answer == 1) {
            show(statusText, kNothingTouched, false);
        }
    }
    if (proceed && defaults.integerForKey(settings_key::kShredWarning) == 1) {
        const int answer =
            services_.alerts->runCriticalAlertPanel(kShredAlert, kConfirmation, kCancel, kProceed);
        if (answer == 1) {
            show(statusText, kNothingTouched, false);
        }
        proceed = answer == 0;
    }

    if (proceed) {
        progress->setHidden(false);
        barBeforeFile_ = 0;
        runWritten_ = 0;
        runStarted_ = std::chrono::steady_clock::now();
        stoppedInAFile_ = false;
        const bool removed = files.removeFileAtPath(path, *this);
        outcome_ = removed ? RunOutcome::Shredded
                           : (stopRequested() ? RunOutcome::Stopped : RunOutcome::Failed);
        if (removed && stoppedInAFile_) {
            // The last file was stopped after a whole pass and removed: everything is gone,
            // but not in the passes the log and the success text would claim.
            outcome_ = RunOutcome::Stopped;
            show(statusText, formatMessage(kErrorFormat, {kStoppedByRequest, path}), false);
        } else if (removed) {
            if (defaults.integerForKey(settings_key::kShredLogging) == 1) {
                services_.log->log(formatMessage(kLogFormat, {bytesText, escapedForLog(path)}));
            }
            show(statusText, kShredded, false);
            showSelection(path, isDirectory);
        }
    }
    resetProgress();
    running_ = false;
}

// ---- the delete walk's callbacks -------------------------------------------------------

std::optional<std::string> ZVORBAControlShredder::fileManagerWillProcessPath(
    FileManager& manager, const std::string& path) {
    if (stopRequested()) {
        return std::string(kStoppedByRequest);  // the item stays, and so does the rest
    }
    show(folderText, stringByDeletingLastPathComponent(path), true);
    const ItemExamination item = manager.examineItemAtPath(path);
    if (item.kind == ItemKind::Unexaminable) {
        // Not knowing what it is must never mean removing it unoverwritten.
        return formatMessage(kCouldNotExamine, {std::strerror(item.errorNumber)});
    }
    if (item.kind != ItemKind::NotDirectory) {
        show(fileText, "", false);
        return std::nullopt;
    }
    show(fileText, lastPathComponent(path), true);

    const ItemLocation where = manager.locationOfItemAtPath(path);
    OverwriteSeams watched;
    watched.observer = this;
    const OverwriteOutcome outcome =
        overwriteFileAt(where.folderFd, where.name, shredMode, watched);
    runWritten_ += outcome.bytes * static_cast<std::uint64_t>(outcome.passesCompleted);
    if (statusShowsPass_) {
        show(statusText, "", true);
        statusShowsPass_ = false;
    }
    count -= 1;
    show(progressCount, formatted(count), true);
    amount -= outcome.bytes;
    show(progressBytes, formatted(amount), true);
    progress->setDoubleValue(barBeforeFile_);
    progress->incrementBy(static_cast<double>(outcome.bytes));
    progress->display();
    barBeforeFile_ += static_cast<double>(outcome.bytes);

    // Removing such a file now would leave contents on the disk while telling the user it
    // was shredded: keep it and let the walk stop on it.
    switch (outcome.status) {
        case OverwriteStatus::Failed:
            return formatMessage(kCouldNotOverwrite, {std::strerror(outcome.errorNumber)});
        case OverwriteStatus::NoRandomBytes:
            return formatMessage(kNoRandomBytes,
                                 {kRandomDevice, std::strerror(outcome.errorNumber)});
        case OverwriteStatus::Changed:
            return std::string(kChangedWhileOverwritten);
        case OverwriteStatus::Stopped:
            // After one whole pass its contents are gone: it is removed, and the walk stops at
            // the next item. Inside the first pass some of them are still there.
            if (outcome.passesCompleted == 0) {
                return std::string(kStoppedInFirstPass);
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
    show(statusText, line, true);
    statusShowsPass_ = true;
}

bool ZVORBAControlShredder::fileManagerShouldProceedAfterError(FileManager& /*manager*/,
                                                               const RemovalError& info) {
    const std::string message = formatMessage(kErrorFormat, {info.error, info.path});
    // A stop was asked for by a person or by the session ending: nobody needs to be told,
    // and a quit must not wait for a panel to be answered.
    if (!stopRequested()) {
        services_.alerts->runAlertPanel(
            kFileSystemAlert, formatMessage(kErrorPanelFormat, {message}), kStopShredding);
    }
    show(statusText, message, false);
    return false;
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
        for (const std::string& path : *chosen) {
            if (stopRequested()) {
                break;  // a stop ends the whole choice, not just the run in hand
            }
            shredFiles(path, true);
        }
    }
}

void ZVORBAControlShredder::shredFile() {
    if (auto chosen = choose(false)) {
        for (const std::string& path : *chosen) {
            if (stopRequested()) {
                break;
            }
            bool isDirectory = true;
            if (services_.fileManager->fileExistsAtPath(path, isDirectory)) {
                shredFiles(path, isDirectory);
            }
        }
    }
}

bool ZVORBAControlShredder::applicationOpenFile(const std::string& path) {
    bool isDirectory = true;
    if (!services_.fileManager->fileExistsAtPath(path, isDirectory)) {
        return false;
    }
    shredFiles(path, isDirectory);
    return true;
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
    if (services_.alerts->runAlertPanel(kDiskUtilityTitle, message, kLaunchDiskUtility, kCancel) ==
        1) {
        services_.workspace->openFile(std::nullopt, "Disk Utility");
        services_.application->terminate();
    }
}
