#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/Display.h"
#include "platform/Panels.h"
#include "platform/Services.h"
#include "platform/qt/QtCoreServices.h"

// The status display on a terminal: one line on standard error, redrawn at most ten times
// a second, showing the folder, the file, the items and bytes left and a bar. Without a
// terminal it draws nothing.
class StatusLine {
public:
    StatusLine(std::FILE* out, bool enabled, int columns);

    // A field or the bar changed and asked to be shown now.
    void changed();
    // Erases the line so that other text can be printed in its place.
    void clear();

    std::string folder, file, itemsLeft, bytesLeft, status;
    std::uint64_t itemsLeftCount = 0;  // the number itemsLeft shows, for its plural form
    double minimum = 0, maximum = 0, value = 0;
    bool barHidden = true;

private:
    void draw();

    std::FILE* out_;
    bool enabled_;
    int columns_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// A text field that keeps its value and, when it belongs to the status line, redraws it.
// With an echo stream, a text shown at once outside a walk is printed there on a line of its
// own (such as a count that could not read every folder).
class TerminalField : public TextField {
public:
    explicit TerminalField(StatusLine* line = nullptr, std::string* mirror = nullptr,
                           std::FILE* echo = nullptr)
        : line_(line), mirror_(mirror), echo_(echo) {}
    void setStringValue(const std::string& text) override;
    void display() override;
    const std::string& value() const { return value_; }

private:
    StatusLine* line_;
    std::string* mirror_;
    std::FILE* echo_;
    std::string value_;
};

// The nine fields as the status line shows them: the folder, the file, the status (printed on
// a line of its own on echo when shown at once outside a walk), the items and bytes left.
// The totals and the links are kept, not shown.
std::array<TerminalField, kFieldCount> terminalFields(StatusLine& line, std::FILE* echo);

class TerminalProgress : public ProgressIndicator {
public:
    explicit TerminalProgress(StatusLine& line) : line_(line) {}
    void setMinValue(double v) override { line_.minimum = v; }
    void setMaxValue(double v) override { line_.maximum = v; }
    void setDoubleValue(double v) override { line_.value = v; }
    void incrementBy(double d) override { line_.value += d; }
    void setItemsLeft(std::uint64_t items) override { line_.itemsLeftCount = items; }
    void setHidden(bool hidden) override;
    void display() override { line_.changed(); }

private:
    StatusLine& line_;
};

// How the confirmation is answered.
enum class Consent {
    Ask,    // on the terminal; Cancel where there is none
    Given,  // --yes
};

// Alerts printed as their title and message. The confirmation ("Cancel" / "Proceed") is
// asked on the terminal; every other alert has one button, the one answered.
class TerminalAlerts : public AlertPanels {
public:
    // Quiet leaves out a confirmation that --yes has answered already.
    TerminalAlerts(StatusLine& line, Consent consent, bool quiet, std::FILE* out, std::FILE* in);
    int run(const Alert& alert) override;

private:
    bool askOnTerminal();

    StatusLine& line_;
    Consent consent_;
    bool quiet_;
    std::FILE* out_;
    std::FILE* in_;
};

// The user's stored defaults, with what the command line says about this run on top.
class CommandLineDefaults : public UserDefaults {
public:
    explicit CommandLineDefaults(UserDefaults& stored) : stored_(stored) {}
    std::int32_t integerForKey(const std::string& key) const override;
    void registerDefaults(const std::map<std::string, std::int32_t>& defaults) override {
        stored_.registerDefaults(defaults);
    }

    std::optional<std::int32_t> mode;
    bool confirm = false;
    bool log = false;
    bool verify = false;

private:
    UserDefaults& stored_;
};

// What overwriting will not reach, on standard error before a run nobody confirmed; the
// account of a run, kept until the front end prints it beside the run's outcome.
class TerminalAccount : public AccountView {
public:
    // Quiet leaves out the warnings: the account still says what fell short.
    TerminalAccount(StatusLine& line, bool quiet, std::FILE* out)
        : line_(line), quiet_(quiet), out_(out) {}
    void showWarnings(const std::vector<std::string>& warnings) override;
    void showAccount(const std::string& summary, const std::vector<std::string>& details) override;
    void print(const std::string& shownPath) const;

private:
    StatusLine& line_;
    bool quiet_;
    std::FILE* out_;
    std::string summary_;
    std::vector<std::string> details_;
};

// The process as the controller sees it. The terminal has no help document to copy, so it
// asks for no private temporary folder.
class TerminalApplication : public ResourceApplication {
public:
    void terminate() override {}
    std::string processName() const override { return "zurizede-cli"; }
    std::optional<std::string> temporaryDirectory() const override { return std::nullopt; }
};

class NoWorkspace : public Workspace {
public:
    bool openURL(const std::string&) override { return false; }
    bool openFile(const std::optional<std::string>&, const std::string&) override { return false; }
};
