#include "platform/qt/QtShredThread.h"

#include <QCoreApplication>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <utility>

namespace {
// Every other frame of a 60 Hz screen: smooth to the eye, and drawing at the full rate cost
// the window a tenth of its speed on many small files under X (measured with
// bench/gui_vs_cli.sh: 1.13 against 1.03 times the terminal front end).
constexpr int kFrameMs = 33;
}  // namespace

bool WindowThreadBridge::call(const std::function<void()>& f) {
    QCoreApplication* app = QCoreApplication::instance();
    if (QThread::currentThread() == app->thread()) {
        f();
        return true;
    }
    struct Pending {
        std::mutex mutex;
        std::condition_variable done;
        bool finished = false;
        bool abandoned = false;
    };
    auto pending = std::make_shared<Pending>();
    QMetaObject::invokeMethod(
        app,
        [pending, &f] {
            std::unique_lock<std::mutex> lock(pending->mutex);
            if (!pending->abandoned) {
                lock.unlock();
                f();
                lock.lock();
            }
            pending->finished = true;
            pending->done.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(pending->mutex);
    while (!pending->finished) {
        if (closed_) {
            pending->abandoned = true;
            return false;
        }
        pending->done.wait_for(lock, std::chrono::milliseconds(50));
    }
    return true;
}

void DrawnTextField::setStringValue(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    value_ = text;
    changed_ = true;
}

void DrawnTextField::draw() {
    std::string value;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!changed_) {
            return;
        }
        value = value_;
        changed_ = false;
    }
    shown_.setStringValue(value);
}

template <typename Change>
void DrawnProgress::change(Change apply) {
    std::lock_guard<std::mutex> lock(mutex_);
    apply();
    changed_ = true;
}

void DrawnProgress::setMinValue(double value) {
    change([&] { min_ = value; });
}
void DrawnProgress::setMaxValue(double value) {
    change([&] { max_ = value; });
}
void DrawnProgress::setDoubleValue(double value) {
    change([&] { value_ = value; });
}
void DrawnProgress::incrementBy(double delta) {
    change([&] { value_ += delta; });
}
void DrawnProgress::setHidden(bool hidden) {
    change([&] { hidden_ = hidden; });
}

void DrawnProgress::setItemsLeft(std::uint64_t items) {
    change([&] { itemsLeft_ = items; });
}

void DrawnProgress::draw() {
    double min, max, value;
    std::optional<std::uint64_t> itemsLeft;
    bool hidden;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!changed_) {
            return;
        }
        min = min_;
        max = max_;
        value = value_;
        hidden = hidden_;
        itemsLeft = std::exchange(itemsLeft_, std::nullopt);
        changed_ = false;
    }
    if (itemsLeft) {
        shown_.setItemsLeft(*itemsLeft);
    }
    shown_.setMinValue(min);
    shown_.setMaxValue(max);
    shown_.setDoubleValue(value);
    shown_.setHidden(hidden);
}

FramePacer::FramePacer(std::vector<DrawnTextField*> fields, DrawnProgress& bar)
    : fields_(std::move(fields)), bar_(bar) {
    frame_.setInterval(kFrameMs);
    connect(&frame_, &QTimer::timeout, this, [this] { drawNow(); });
}

void FramePacer::start() {
    frame_.start();
}

void FramePacer::stop() {
    frame_.stop();
    drawNow();
}

void FramePacer::drawNow() {
    for (DrawnTextField* field : fields_) {
        field->draw();
    }
    bar_.draw();
}

int WindowThreadAlerts::run(const Alert& alert) {
    int answer = 1;
    bridge_.call([&] {
        pacer_.drawNow();  // what the run showed until now stands behind the alert
        answer = shown_.run(alert);
    });
    return answer;
}

int WindowThreadOpenPanel::runModal(const OpenPanelSettings& settings) {
    int answer = 0;
    chosen_.clear();
    bridge_.call([&] {
        answer = shown_.runModal(settings);
        chosen_ = shown_.filenames();
    });
    return answer;
}

bool WindowThreadWorkspace::openURL(const std::string& url) {
    bool opened = false;
    bridge_.call([&] { opened = real_.openURL(url); });
    return opened;
}

bool WindowThreadWorkspace::openFile(const std::optional<std::string>& path,
                                     const std::string& application) {
    bool opened = false;
    bridge_.call([&] { opened = real_.openFile(path, application); });
    return opened;
}

void WindowThreadAccount::showWarnings(const std::vector<std::string>& warnings) {
    bridge_.call([&] { shown_.showWarnings(warnings); });
}

void WindowThreadAccount::showAccount(const std::string& summary,
                                      const std::vector<std::string>& details) {
    bridge_.call([&] { shown_.showAccount(summary, details); });
}

ShredThread::ShredThread() : worker_(new QObject) {
    thread_.setObjectName("shred");
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
}

ShredThread::~ShredThread() {
    thread_.quit();
    thread_.wait();
}

void ShredThread::post(std::function<void()> job) {
    busy_ = true;
    QMetaObject::invokeMethod(
        worker_,
        [this, job = std::move(job)] {
            job();
            QMetaObject::invokeMethod(
                this,
                [this] {
                    busy_ = false;
                    emit jobFinished();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}
