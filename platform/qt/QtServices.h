#pragma once

#include <QSettings>
#include <functional>

#include "Panels.h"
#include "Services.h"

class QMessageBox;
class QAbstractButton;

// User defaults over QSettings ("ORBA", "Zurizede") and a layer of registered defaults.
class QtUserDefaults : public UserDefaults {
public:
    QtUserDefaults();
    explicit QtUserDefaults(const QString& fileName);  // a settings file of its own (tests)
    std::int32_t integerForKey(const std::string& key) const override;
    void registerDefaults(const std::map<std::string, std::int32_t>& defaults) override;
    // The settings menu stores the user's choices here; the controller never does.
    void setInteger(const std::string& key, std::int32_t value);
    QSettings& settings() { return *settings_; }

private:
    std::unique_ptr<QSettings> settings_;
    std::map<std::string, std::int32_t> registered_;
};

// Alert panels as QMessageBox. Tests answer them through the seam: the answerer gets the
// fully built box and names the button a person would press.
class QtAlertPanels : public AlertPanels {
public:
    using Answerer = std::function<QAbstractButton*(QMessageBox&)>;
    static void setAnswerer(Answerer answerer);

    int runAlertPanel(const std::string& title, const std::string& message,
                      const std::string& defaultButton, const std::string& alternateButton,
                      const std::string& otherButton) override;
    int runCriticalAlertPanel(const std::string& title, const std::string& message,
                              const std::string& defaultButton, const std::string& alternateButton,
                              const std::string& otherButton) override;

private:
    int run(bool critical, const std::string& title, const std::string& message,
            const std::string& defaultButton, const std::string& alternateButton,
            const std::string& otherButton);
};
