#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
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
    // The items left to shred, for a bar that also shows a count (a taskbar entry).
    virtual void setItemsLeft(std::uint64_t /*items*/) {}
};

// The nine text fields of the status display, named and ordered as the interface file has
// them.
enum class Field {
    folderText,
    fileText,
    statusText,
    totalCount,
    totalLinks,
    totalBytes,
    progressCount,
    progressLinks,
    progressBytes,
};
inline constexpr std::size_t kFieldCount = 9;

// The status display: the nine fields and the progress bar.
struct StatusDisplay {
    std::array<TextField*, kFieldCount> fields{};
    ProgressIndicator* progress = nullptr;
    TextField* operator[](Field field) const { return fields[static_cast<std::size_t>(field)]; }
};

// The status display over nine fields kept elsewhere in Field order, as objects or as
// pointers to them, and a bar. Every front end wires its display through this.
template <typename Fields>
StatusDisplay statusDisplayOf(Fields& fields, ProgressIndicator& progress) {
    StatusDisplay display;
    display.progress = &progress;
    std::size_t i = 0;
    for (auto& field : fields) {
        if (i == kFieldCount) {
            break;
        }
        if constexpr (std::is_base_of_v<TextField, std::remove_cvref_t<decltype(field)>>) {
            display.fields[i++] = &field;
        } else {
            display.fields[i++] = &*field;
        }
    }
    return display;
}

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
