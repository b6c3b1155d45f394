#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Display.h"
#include "platform/Panels.h"

class DesktopProgress;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// A read-only line of the status display. A text too long for it is shortened in the
// middle, where a path matters least; the whole text is its tooltip and its accessible
// description.
class QtTextField : public TextField {
public:
    explicit QtTextField(QLineEdit* field);
    ~QtTextField() override;
    void setStringValue(const std::string& text) override;
    void display() override;
    // The whole text, however it is shortened on the screen.
    const QString& text() const { return full_; }

private:
    void fit();

    QLineEdit* field_;
    QString full_;
    std::unique_ptr<QObject> resizeWatch_;
};

// The progress bar, keeping the run's range and value as doubles and mapping them onto the
// widget's int range: exact at both ends, whatever the byte total.
class QtProgressIndicator : public ProgressIndicator {
public:
    static constexpr int kSteps = 1 << 20;

    explicit QtProgressIndicator(QProgressBar* bar);
    void setMinValue(double value) override;
    void setMaxValue(double value) override;
    void setDoubleValue(double value) override;
    void incrementBy(double delta) override;
    void setHidden(bool hidden) override;
    void display() override;
    void setItemsLeft(std::uint64_t items) override;
    // The desktop is told what the bar shows, from then on.
    void reportTo(DesktopProgress* desktop) { desktop_ = desktop; }

    double minValue() const { return min_; }
    double maxValue() const { return max_; }
    double doubleValue() const { return value_; }

private:
    void update();

    QProgressBar* bar_;
    DesktopProgress* desktop_ = nullptr;
    double min_ = 0, max_ = 100, value_ = 0;
};

// The account line under the status display; its details open in an alert on demand.
class QtAccountView : public AccountView {
public:
    QtAccountView(QLabel* line, QPushButton* details, AlertPanels& alerts);
    void showWarnings(const std::vector<std::string>& warnings) override;
    void showAccount(const std::string& summary, const std::vector<std::string>& details) override;
    void showDetails();

private:
    QLabel* line_;
    QPushButton* detailsButton_;
    AlertPanels& alerts_;
    std::string summary_;
    std::vector<std::string> details_;
};
