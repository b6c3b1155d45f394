#include "platform/qt/QtDisplay.h"

#include "platform/qt/QtDesktopProgress.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "platform/Texts.h"

namespace {
// Calls back whenever the watched widget changes size.
class ResizeWatch : public QObject {
public:
    explicit ResizeWatch(std::function<void()> resized) : resized_(std::move(resized)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            resized_();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> resized_;
};
}  // namespace

QtTextField::QtTextField(QLineEdit* field)
    : field_(field), resizeWatch_(std::make_unique<ResizeWatch>([this] { fit(); })) {
    field_->setReadOnly(true);
    field_->installEventFilter(resizeWatch_.get());
}

QtTextField::~QtTextField() {
    field_->removeEventFilter(resizeWatch_.get());
}

void QtTextField::setStringValue(const std::string& text) {
    // Paths are the file system's bytes: shown decoded, never changed.
    const QString shown = QString::fromStdString(text);
    if (shown != full_) {
        full_ = shown;
        field_->setToolTip(full_);
        field_->setAccessibleDescription(full_);
        fit();
    }
}

void QtTextField::fit() {
    const QMargins margins = field_->textMargins();
    // The line edit's own padding and frame, as QLineEdit lays out its text.
    const int room = field_->contentsRect().width() - margins.left() - margins.right() - 6;
    const QString fitted = field_->fontMetrics().elidedText(full_, Qt::ElideMiddle, room);
    if (fitted != field_->text()) {
        field_->setText(fitted);
        field_->setCursorPosition(0);
    }
}

// The widget repaints at the event loop's next turn; what the screen shows already is not
// drawn again.
void QtTextField::display() {
    field_->update();
}

QtProgressIndicator::QtProgressIndicator(QProgressBar* bar) : bar_(bar) {
    bar_->setRange(0, kSteps);
    bar_->setTextVisible(false);
    update();
}

void QtProgressIndicator::setMinValue(double value) {
    min_ = value;
    update();
}
void QtProgressIndicator::setMaxValue(double value) {
    max_ = value;
    update();
}
void QtProgressIndicator::setDoubleValue(double value) {
    value_ = value;
    update();
}
void QtProgressIndicator::incrementBy(double delta) {
    value_ += delta;
    update();
}
void QtProgressIndicator::setHidden(bool hidden) {
    bar_->setHidden(hidden);
}
void QtProgressIndicator::display() {
    bar_->update();
}

void QtProgressIndicator::setItemsLeft(std::uint64_t items) {
    if (desktop_ != nullptr) {
        desktop_->setItemsLeft(items);
    }
}

void QtProgressIndicator::update() {
    int steps;
    if (value_ >= max_) {
        steps = kSteps;  // full also for an empty range: nothing is left to do
    } else if (value_ <= min_) {
        steps = 0;
    } else {
        steps = static_cast<int>((value_ - min_) / (max_ - min_) * kSteps);
    }
    bar_->setValue(steps);
    if (desktop_ != nullptr) {
        desktop_->setFraction(static_cast<double>(steps) / kSteps);
    }
}

QtAccountView::QtAccountView(QLabel* line, QPushButton* details, AlertPanels& alerts)
    : line_(line), detailsButton_(details), alerts_(alerts) {}

void QtAccountView::showWarnings(const std::vector<std::string>& warnings) {
    showAccount(translated("Window", "Overwriting will not reach everything: see the details"),
                warnings);
}

void QtAccountView::showAccount(const std::string& summary,
                                const std::vector<std::string>& details) {
    summary_ = summary;
    details_ = details;
    line_->setText(QString::fromStdString(summary));
    detailsButton_->setEnabled(!details.empty());
}

void QtAccountView::showDetails() {
    Alert alert;
    alert.title = "ORBA Zurizede";
    alert.message = summary_;
    alert.defaultButton = translated("Window", "OK");
    alert.details = details_;
    alerts_.run(alert);
}
