// What a run says once, whatever kind of run it is: where what programs held in memory may
// have been written unencrypted (swap, a hibernation image).

#include "controller/RunNotes.h"

#include "platform/Texts.h"

std::vector<std::string> RunNotes::with(const std::vector<std::string>& shown) const {
    std::vector<std::string> all = shown;
    all.insert(all.end(), lines.begin(), lines.end());
    return all;
}

int RunNotes::run(const Alert& alert) {
    if (alert.kind != Alert::Kind::Confirmation || lines.empty()) {
        return alerts_->run(alert);
    }
    Alert noted = alert;
    noted.details = with(alert.details);
    return alerts_->run(noted);
}

void RunNotes::showWarnings(const std::vector<std::string>& warnings) {
    if (account_ != nullptr) {
        if (const std::vector<std::string> all = with(warnings); !all.empty()) {
            account_->showWarnings(all);
        }
    }
}

void RunNotes::showAccount(const std::string& summary, const std::vector<std::string>& details) {
    if (account_ != nullptr) {
        account_->showAccount(summary, with(details));
    }
}

void RunNotes::addTo(RunRecord& record) const {
    record.warnings.insert(record.warnings.end(), lines.begin(), lines.end());
}

std::string memoryOnDiskInWords(const MemoryOnDisk& found, const std::string& stake) {
    const bool swap = !found.swapAreas.empty();
    const bool hibernation = !found.hibernationDevice.empty();
    if (swap && hibernation) {
        return withArgs(translated("RunNotes",
                                   "Swap on %1 is not encrypted, nor is the hibernation image on "
                                   "%2: what programs held in memory, the contents of %3 among "
                                   "them, may have been written there."),
                        {listInWords(found.swapAreas), found.hibernationDevice, stake});
    }
    if (swap) {
        return withArgs(translated("RunNotes",
                                   "Swap on %1 is not encrypted: what programs held in memory, "
                                   "the contents of %2 among them, may have been written there."),
                        {listInWords(found.swapAreas), stake});
    }
    if (hibernation) {
        return withArgs(translated("RunNotes",
                                   "The hibernation image on %1 is not encrypted: what programs "
                                   "held in memory, the contents of %2 among them, may have been "
                                   "written there."),
                        {found.hibernationDevice, stake});
    }
    return {};
}

void RunNotes::noteMemoryExposure(const FileManager& files, const std::string& stake) {
    if (noted) {
        return;
    }
    noted = true;
    const std::string line = memoryOnDiskInWords(files.unencryptedMemoryCopies(), stake);
    if (!line.empty()) {
        lines.push_back(line);
    }
}
