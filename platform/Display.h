#pragma once

#include <string>
#include <vector>

// A read-only text field of the status display.
class TextField {
public:
    virtual ~TextField() = default;
    virtual void setStringValue(const std::string& text) = 0;
    // Redraws the field at once, also while the event loop is blocked by a run.
    virtual void display() = 0;
};

// The progress bar of a run, in doubles so that byte totals beyond 4 GiB fit.
class ProgressIndicator {
public:
    virtual ~ProgressIndicator() = default;
    virtual void setMinValue(double value) = 0;
    virtual void setMaxValue(double value) = 0;
    virtual void setDoubleValue(double value) = 0;
    virtual void incrementBy(double delta) = 0;
    virtual void setHidden(bool hidden) = 0;
    virtual void display() = 0;
};

// Shows an unsigned 64-bit count by the pattern "#,##0".
class NumberFormatter {
public:
    virtual ~NumberFormatter() = default;
    virtual std::string stringFromNumber(unsigned long long number) const = 0;
};

// The main window, as far as the controller needs it: its frame kept between launches.
class Window {
public:
    virtual ~Window() = default;
    // Answers whether a frame saved under the name was found and applied.
    virtual bool setFrameUsingName(const std::string& name) = 0;
    virtual void saveFrameUsingName(const std::string& name) = 0;
};

// Where a run says, beside its status texts, what overwriting will not reach and, after it,
// what it did.
class AccountView {
public:
    virtual ~AccountView() = default;
    // Before a walk that no confirmation announced: what overwriting will not reach.
    virtual void showWarnings(const std::vector<std::string>& warnings) = 0;
    // After every run: one line, and the details behind it.
    virtual void showAccount(const std::string& summary,
                             const std::vector<std::string>& details) = 0;
};
