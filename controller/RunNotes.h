#pragma once

#include <string>
#include <vector>

#include "platform/Display.h"
#include "platform/FileManager.h"
#include "platform/Panels.h"
#include "platform/Report.h"

// What a run notes once for every front end to show. It stands between the controller and the
// front end's panels, adding the run's lines to its confirmation, to the warnings said before
// a walk nobody confirmed, and to its account; the controller adds them to the run's record.
class RunNotes : public AlertPanels, public AccountView {
public:
    // account may be null: then nothing is told, and nothing added.
    RunNotes(AlertPanels* alerts, AccountView* account) : alerts_(alerts), account_(account) {}

    int run(const Alert& alert) override;
    void showWarnings(const std::vector<std::string>& warnings) override;
    void showAccount(const std::string& summary, const std::vector<std::string>& details) override;
    // Adds the lines to a record's warnings, as the report says them.
    void addTo(RunRecord& record) const;

    // Once a run: where what programs held in memory may lie unencrypted (swap, a hibernation
    // image), in one line that the run's confirmation, account and record then carry. stake
    // names what is at stake: "these files".
    void noteMemoryExposure(const FileManager& files, const std::string& stake);

    // Forgets the lines of the run before.
    void clear() {
        lines.clear();
        noted = false;
    }

    std::vector<std::string> lines;
    bool noted = false;  // the run has looked for what it notes: it looks once

private:
    std::vector<std::string> with(const std::vector<std::string>& shown) const;

    AlertPanels* alerts_;
    AccountView* account_;
};

// Where what programs held in memory may lie unencrypted, in one line: stake names what is
// at stake ("these files"). Empty when it lies nowhere.
std::string memoryOnDiskInWords(const MemoryOnDisk& found, const std::string& stake);
