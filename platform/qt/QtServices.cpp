#include "QtServices.h"

#include <QMessageBox>
#include <QPushButton>
#include <climits>

namespace {
QtAlertPanels::Answerer& answerer() {
    static QtAlertPanels::Answerer instance;
    return instance;
}
QString text(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

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

void QtAlertPanels::setAnswerer(Answerer a) {
    answerer() = std::move(a);
}

int QtAlertPanels::runAlertPanel(const std::string& title, const std::string& message,
                                 const std::string& defaultButton,
                                 const std::string& alternateButton,
                                 const std::string& otherButton) {
    return run(false, title, message, defaultButton, alternateButton, otherButton);
}

int QtAlertPanels::runCriticalAlertPanel(const std::string& title, const std::string& message,
                                         const std::string& defaultButton,
                                         const std::string& alternateButton,
                                         const std::string& otherButton) {
    return run(true, title, message, defaultButton, alternateButton, otherButton);
}

int QtAlertPanels::run(bool critical, const std::string& title, const std::string& message,
                       const std::string& defaultButton, const std::string& alternateButton,
                       const std::string& otherButton) {
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::Information, text(title),
                    text(message));
    QPushButton* first = box.addButton(text(defaultButton), QMessageBox::AcceptRole);
    QPushButton* second = alternateButton.empty()
                              ? nullptr
                              : box.addButton(text(alternateButton), QMessageBox::RejectRole);
    QPushButton* third =
        otherButton.empty() ? nullptr : box.addButton(text(otherButton), QMessageBox::ActionRole);
    box.setDefaultButton(first);
    // Escape presses the button that means cancel, or the only one.
    QPushButton* escape = second == nullptr ? first : second;
    if (defaultButton == "Cancel") {
        escape = first;
    }
    box.setEscapeButton(escape);

    QAbstractButton* pressed = nullptr;
    if (answerer()) {
        pressed = answerer()(box);
    } else {
        box.exec();
        pressed = box.clickedButton();
    }
    if (pressed == first)
        return 1;
    if (pressed != nullptr && pressed == second)
        return 0;
    if (pressed != nullptr && pressed == third)
        return -1;
    return escape == first ? 1 : 0;
}
