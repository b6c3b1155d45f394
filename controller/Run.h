#pragma once

// What every kind of run shares: the connections it shows and tells through, and numbers
// grouped as the window shows them. A run owns its own state and ends in one finish().

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "controller/RunNotes.h"
#include "controller/RunReport.h"
#include "controller/ShredderConnections.h"
#include "platform/Texts.h"

// Whether an item is at path, a folder or not; a symbolic link is one, whatever it points to.
bool itemExists(const FileManager& files, const std::string& path, bool& isDirectory);

// An error and the path it happened at, as the status line says it: "reason: path".
std::string errorAt(const std::string& why, const std::string& path);

class Run {
public:
    // services: its alerts and account go through notes, which add the run's notes to them.
    Run(const ShredderConnections& services, const std::unique_ptr<NumberFormatter>& commaFormat,
        RunNotes& notes);
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    virtual ~Run() = default;

    RunOutcome outcome() const { return outcome_; }
    // What a report of the run says.
    const RunRecord& record() const { return record_; }

protected:
    // A run's start: its time noted and the last run's status emptied.
    void begin();
    // Shows text in a field of the status display, redrawn at once or with the next frame.
    void show(Field field, const std::string& text, bool redrawNow) const;
    std::string formatted(std::uint64_t number) const;
    // "2.0 kB (2,048 bytes)", or just "12 bytes".
    std::string exactBytes(std::uint64_t bytes) const;
    Grouped grouped() const;
    bool stopRequested() const;
    // The account view, when there is one, is told how the run ended.
    void tellAccount(const std::string& summary, const std::vector<std::string>& details) const;
    // The bar hidden and the figures left emptied, as between runs.
    void resetProgress() const;
    // Once a run, whichever part of it asks first: where memory may lie unencrypted on a disk.
    // stake names what is at stake there, in English (translated here): "these files".
    void noteMemoryExposure(const char* stake = TRANSLATABLE("RunNotes", "these files")) const;

    const ShredderConnections& services_;
    ProgressIndicator* const progress_;
    // Set at start-up, after the runs' owner is made: read when a number is shown.
    const std::unique_ptr<NumberFormatter>& commaFormat_;
    RunNotes& runNotes_;
    std::chrono::system_clock::time_point began_;
    RunOutcome outcome_ = RunOutcome::Denied;
    RunRecord record_;
};
