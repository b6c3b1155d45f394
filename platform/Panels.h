#pragma once

#include <string>
#include <vector>

// One modal alert panel. An empty button text means the panel has no such button.
struct Alert {
    bool critical = false;
    std::string title, message, defaultButton, alternateButton, otherButton;
    // Lines shown below the message, in smaller print: what the alert is about.
    std::vector<std::string> details;
    // Something went wrong and a run stopped: more than information, less than critical.
    bool warning = false;
};

// Modal alert panels. The answer is 1 for the default button, 0 for the alternate one and
// -1 for the other one.
class AlertPanels {
public:
    virtual ~AlertPanels() = default;
    virtual int run(const Alert& alert) = 0;

    int runAlertPanel(const std::string& title, const std::string& message,
                      const std::string& defaultButton, const std::string& alternateButton = {},
                      const std::string& otherButton = {}) {
        return run({false, title, message, defaultButton, alternateButton, otherButton, {}, false});
    }
    int runCriticalAlertPanel(const std::string& title, const std::string& message,
                              const std::string& defaultButton,
                              const std::string& alternateButton = {},
                              const std::string& otherButton = {}) {
        return run({true, title, message, defaultButton, alternateButton, otherButton, {}, false});
    }
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
