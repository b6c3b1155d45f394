#pragma once

#include <QLocale>
#include <QSettings>
#include <memory>

#include "platform/Display.h"
#include "platform/Services.h"

// The services both front ends share; they need nothing beyond QtCore.

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
    const std::map<std::string, std::int32_t>& registeredDefaults() const { return registered_; }

private:
    std::unique_ptr<QSettings> settings_;
    std::map<std::string, std::int32_t> registered_;
};

// "#,##0" with the grouping separator of the locale; the C locale has none, so it falls
// back to English grouping there.
class QtNumberFormatter : public NumberFormatter {
public:
    explicit QtNumberFormatter(const QLocale& locale = QLocale::system());
    std::string stringFromNumber(unsigned long long number) const override;

private:
    QLocale locale_;
};

// The program's resource folder: beside the executable in the build tree, or the install
// prefix's share/zurizede.
class QtResources {
public:
    // The folder of the running executable's resources, or an empty string.
    static QString resourceFolder();
    static std::optional<std::string> pathForResource(const std::string& name,
                                                      const std::string& type);
    // An XML property list whose <dict> maps keys to <integer> values; nothing when the file
    // is missing or is not such a list.
    static std::optional<std::map<std::string, std::int32_t>> integerDictionary(
        const std::string& path);
};

// What both front ends' application objects answer alike: resources from the resource
// folder, property lists read as above, and this process's id.
class ResourceApplication : public Application {
public:
    std::optional<std::string> pathForResource(const std::string& name,
                                               const std::string& type) const override;
    std::optional<std::map<std::string, std::int32_t>> dictionaryWithContentsOfFile(
        const std::string& path) const override;
    int processIdentifier() const override;
    std::optional<std::string> homeDirectory() const override;
};
