// What a run says once, whatever kind of run it is: where what programs held in memory may
// have been written unencrypted (swap, a hibernation image).

#include "controller/RunNotes.h"

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
    std::string where;
    for (std::size_t i = 0; i < found.swapAreas.size(); ++i) {
        where += (i == 0                           ? "Swap on "
                  : i + 1 < found.swapAreas.size() ? ", "
                                                   : " and ") +
                 found.swapAreas[i];
    }
    if (!where.empty()) {
        where += " is not encrypted";
    }
    if (!found.hibernationDevice.empty()) {
        where += std::string(where.empty() ? "The" : ", nor is the") + " hibernation image on " +
                 found.hibernationDevice + (where.empty() ? " is not encrypted" : "");
    }
    if (where.empty()) {
        return {};
    }
    return where + ": what programs held in memory, the contents of " + stake +
           " among them, may have been written there.";
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
