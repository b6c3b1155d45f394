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

// A redraw is a round trip to the display server; what the screen shows already is not
// drawn again (a run's folder stays the same for many files). Exposures are the event
// loop's business.
void QtTextField::display() {
    if (everDrawn_ && drawn_ == field_->text()) {
        return;
    }
    field_->repaint();
    drawn_ = field_->text();
    everDrawn_ = true;
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
    const int pixels = static_cast<int>(static_cast<long long>(bar_->value()) * bar_->width() /
                                        kSteps);
    if (pixels != drawnPixels_) {
        bar_->repaint();
        drawnPixels_ = pixels;
    }
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
