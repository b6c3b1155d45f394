#include "controller/Run.h"

#include "platform/PathString.h"
#include "platform/Texts.h"

Run::Run(const ShredderConnections& services, const std::unique_ptr<NumberFormatter>& commaFormat,
         RunNotes& notes)
    : services_(services),
      progress_(services.display.progress),
      commaFormat_(commaFormat),
      runNotes_(notes) {}

void Run::noteMemoryExposure(const char* stake) const {
    runNotes_.noteMemoryExposure(*services_.fileManager, translated("RunNotes", stake));
}

void Run::begin() {
    began_ = std::chrono::system_clock::now();
    show(Field::statusText, "", true);
}

void Run::show(Field field, const std::string& text, bool redrawNow) const {
    TextField* shown = services_.display[field];
    shown->setStringValue(text);
    if (redrawNow) {
        shown->display();
    }
}

std::string Run::formatted(std::uint64_t number) const {
    return commaFormat_ != nullptr ? commaFormat_->stringFromNumber(number)
                                   : std::to_string(number);
}

std::string Run::exactBytes(std::uint64_t bytes) const {
    return ::exactBytes(bytes, grouped());
}

Grouped Run::grouped() const {
    return [this](std::uint64_t n) { return formatted(n); };
}

bool Run::stopRequested() const {
    return services_.stopRequested && services_.stopRequested();
}

void Run::tellAccount(const std::string& summary, const std::vector<std::string>& details) const {
    if (services_.account != nullptr) {
        services_.account->showAccount(summary, details);
    }
}

void Run::resetProgress() const {
    progress_->setHidden(true);
    show(Field::progressCount, "", false);
    show(Field::progressLinks, "", false);
    show(Field::progressBytes, "", false);
}

std::string errorAt(const std::string& why, const std::string& path) {
    return withArgs(translated("Run", "%1: %2"), {why, path});
}

bool itemExists(const FileManager& files, const std::string& path, bool& isDirectory) {
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
