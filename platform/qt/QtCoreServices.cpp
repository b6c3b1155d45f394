#include "platform/qt/QtCoreServices.h"

#include <unistd.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

#include <algorithm>
#include <climits>
#include <limits>

QtUserDefaults::QtUserDefaults() : settings_(std::make_unique<QSettings>("ORBA", "Zurizede")) {}

QtUserDefaults::QtUserDefaults(const QString& fileName)
    : settings_(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {}

std::int32_t QtUserDefaults::integerForKey(const std::string& key) const {
    const QString name = QString::fromStdString(key);
    if (settings_->contains(name)) {
        bool ok = false;
        const qlonglong value = settings_->value(name).toString().trimmed().toLongLong(&ok);
        return ok && value >= INT32_MIN && value <= INT32_MAX ? static_cast<std::int32_t>(value)
                                                              : 0;
    }
    auto it = registered_.find(key);
    return it != registered_.end() ? it->second : 0;
}

void QtUserDefaults::registerDefaults(const std::map<std::string, std::int32_t>& defaults) {
    for (const auto& [key, value] : defaults) {
        registered_[key] = value;
    }
}

void QtUserDefaults::setInteger(const std::string& key, std::int32_t value) {
    settings_->setValue(QString::fromStdString(key), value);
    settings_->sync();
}

QtNumberFormatter::QtNumberFormatter(const QLocale& locale)
    : locale_(locale.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates)
                                              : locale) {
    locale_.setNumberOptions(QLocale::DefaultNumberOptions);
}

// "#,##0": groups of three ASCII digits joined by the locale's group separator, and nothing
// else of the locale (no Indian grouping, no native digits, no threshold for short numbers).
std::string QtNumberFormatter::stringFromNumber(unsigned long long number) const {
    const std::string digits = std::to_string(number);
    const std::string separator = locale_.groupSeparator().toStdString();
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += separator;
        }
        grouped += digits[i];
    }
    return grouped;
}

QString QtResources::resourceFolder() {
    const QByteArray chosen = qgetenv("ZURIZEDE_RESOURCE_DIR");
    if (!chosen.isEmpty()) {
        return QFile::decodeName(chosen);
    }
    const QString bin = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {bin + "/../share/zurizede", bin + "/resources"}) {
        if (QFileInfo(candidate).isDir()) {
            return QDir::cleanPath(candidate);
        }
    }
    return {};
}

std::optional<std::string> QtResources::pathForResource(const std::string& name,
                                                        const std::string& type) {
    const QString folder = resourceFolder();
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    const QString path =
        folder + "/" + QString::fromStdString(name) + "." + QString::fromStdString(type);
    if (!QFileInfo(path).isFile()) {
        return std::nullopt;
    }
    return QFile::encodeName(path).toStdString();
}

std::optional<std::map<std::string, std::int32_t>> QtResources::integerDictionary(
    const std::string& path) {
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QXmlStreamReader xml(&file);
    std::map<std::string, std::int32_t> result;
    bool inDict = false;
    std::string key;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        const auto name = xml.name();
        if (!inDict) {
            if (name == QLatin1String("dict")) {
                inDict = true;
            } else if (name != QLatin1String("plist")) {
                return std::nullopt;
            }
        } else if (name == QLatin1String("key")) {
            key = xml.readElementText().toStdString();
        } else if (name == QLatin1String("integer")) {
            bool ok = false;
            const qlonglong value = xml.readElementText().trimmed().toLongLong(&ok);
            if (!ok || value < INT32_MIN || value > INT32_MAX) {
                return std::nullopt;
            }
            result[key] = static_cast<std::int32_t>(value);
        } else if (name == QLatin1String("true") || name == QLatin1String("false")) {
            result[key] = name == QLatin1String("true") ? 1 : 0;
        } else {
            return std::nullopt;  // only flat dictionaries of integers are ours
        }
    }
    if (xml.hasError() || !inDict) {
        return std::nullopt;
    }
    return result;
}

std::optional<std::string> ResourceApplication::pathForResource(const std::string& name,
                                                                const std::string& type) const {
    return QtResources::pathForResource(name, type);
}

std::optional<std::map<std::string, std::int32_t>>
ResourceApplication::dictionaryWithContentsOfFile(const std::string& path) const {
    return QtResources::integerDictionary(path);
}

std::optional<std::string> ResourceApplication::homeDirectory() const {
    const QString home = QDir::homePath();
    if (home.isEmpty()) {
        return std::nullopt;
    }
    return QFile::encodeName(home).toStdString();
}

int ResourceApplication::processIdentifier() const {
    return static_cast<int>(::getpid());
}
