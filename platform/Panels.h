#pragma once

#include <string>
#include <vector>

// One modal alert panel. An empty button text means the panel has no such button.
struct Alert {
    enum class Kind {
        Information,   // one button: it is read and dismissed
        Confirmation,  // asks whether to go on with what was chosen
        Question,      // asks about something else before going on
        Denial,        // says why nothing will be done
        Error,         // something went wrong and a run stopped: a person should notice
    };
    enum class Button { Default, Alternate, Other };

    Kind kind = Kind::Information;
    bool critical = false;  // shown with the critical icon
    std::string title, message, defaultButton, alternateButton, otherButton;
    // Lines shown below the message, in smaller print: what the alert is about.
    std::vector<std::string> details;
    // The button that means cancel: Escape presses it, and a quit answers with it.
    Button cancel = Button::Default;
};

// Modal alert panels. The answer is 1 for the default button, 0 for the alternate one and
// -1 for the other one.
class AlertPanels {
public:
    virtual ~AlertPanels() = default;
    virtual int run(const Alert& alert) = 0;
};

struct OpenPanelSettings {
    std::string title;
    std::string message;
    std::string prompt;
    bool canChooseFiles = true;
    bool canChooseDirectories = false;
    bool canCreateDirectories = false;
    bool allowsMultipleSelection = false;
    bool resolvesAliases = false;
};

inline constexpr int kOpenPanelOK = 1;

// A modal panel for choosing files or folders.
class OpenPanel {
public:
    virtual ~OpenPanel() = default;
    // Runs the panel with the settings, opening where the platform opens by default.
    // Answers kOpenPanelOK when the user confirmed.
    virtual int runModal(const OpenPanelSettings& settings) = 0;
    // The absolute paths chosen in the last confirmed run, in the panel's order.
    virtual std::vector<std::string> filenames() const = 0;
};
