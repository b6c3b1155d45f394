#include "QtDisplay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressBar>

namespace {
// A run blocks the event loop for as long as it takes. A few times a second the window
// answers the desktop, which otherwise marks it hung and offers to kill it in mid-walk,
// and redraws what was uncovered. Input stays queued until the run ends.
void answerTheDesktop() {
    static QElapsedTimer since;
    if (!since.isValid() || since.elapsed() >= 100) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        since.start();
    }
}
}  // namespace

QtTextField::QtTextField(QLineEdit* field) : field_(field) {
    field_->setReadOnly(true);
}

void QtTextField::setStringValue(const std::string& text) {
    // Paths are the file system's bytes: shown decoded, never changed.
    field_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    field_->setCursorPosition(0);
}

void QtTextField::display() {
    field_->repaint();
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
    bar_->repaint();
    answerTheDesktop();
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
}
