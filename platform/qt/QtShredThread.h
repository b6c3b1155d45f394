#pragma once

#include <QObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/Display.h"
#include "platform/Panels.h"
#include "platform/Services.h"
#include "platform/qt/QtDisplay.h"

// The two threads of the window, and the only place that knows there are two: a shred run
// happens on the shred thread; the window's thread draws what it shows, takes input, and
// shows the modal panels the run asks for while the run waits for the answer.

// Carries calls from the shred thread to the window's thread and waits for them.
class WindowThreadBridge {
public:
    // Runs f on the window's thread and waits for it to return (at once when already
    // there). False when the bridge was closed before f could run: f did not run.
    bool call(const std::function<void()>& f);
    // No call waits any more, and none that is still queued will run: the window is going.
    void close() { closed_ = true; }

private:
    std::atomic<bool> closed_{false};
};

// A text field written from the shred thread and drawn by the window's thread.
class DrawnTextField : public TextField {
public:
    explicit DrawnTextField(QtTextField& shown) : shown_(shown) {}
    void setStringValue(const std::string& text) override;
    // Shown within a frame, whether asked for or not.
    void display() override {}
    // On the window's thread: shows the newest value, if it changed.
    void draw();

private:
    QtTextField& shown_;
    std::mutex mutex_;
    std::string value_;
    bool changed_ = false;
};

// The progress bar written from the shred thread and drawn by the window's thread.
class DrawnProgress : public ProgressIndicator {
public:
    explicit DrawnProgress(QtProgressIndicator& shown) : shown_(shown) {}
    void setMinValue(double value) override;
    void setMaxValue(double value) override;
    void setDoubleValue(double value) override;
    void incrementBy(double delta) override;
    void setHidden(bool hidden) override;
    void display() override {}
    void setItemsLeft(std::uint64_t items) override;
    void draw();

private:
    template <typename Change>
    void change(Change apply);  // under the lock, and marked for the next frame

    QtProgressIndicator& shown_;
    std::mutex mutex_;
    double min_ = 0, max_ = 100, value_ = 0;
    std::optional<std::uint64_t> itemsLeft_;
    bool hidden_ = true;
    bool changed_ = false;
};

// Draws the fields and the bar at most every other frame while a run lasts, always with the
// newest values; drawNow() puts them on the screen at once (the end of a run, an alert).
class FramePacer : public QObject {
    Q_OBJECT
public:
    FramePacer(std::vector<DrawnTextField*> fields, DrawnProgress& bar);
    void start();
    void stop();  // draws the final values
    void drawNow();

private:
    std::vector<DrawnTextField*> fields_;
    DrawnProgress& bar_;
    QTimer frame_;
};

// The panels and services a run uses, each carried out on the window's thread.
class WindowThreadAlerts : public AlertPanels {
public:
    WindowThreadAlerts(WindowThreadBridge& bridge, AlertPanels& shown, FramePacer& pacer)
        : bridge_(bridge), shown_(shown), pacer_(pacer) {}
    // An alert the window is gone for answers its default button.
    int run(const Alert& alert) override;

private:
    WindowThreadBridge& bridge_;
    AlertPanels& shown_;
    FramePacer& pacer_;
};

class WindowThreadOpenPanel : public OpenPanel {
public:
    WindowThreadOpenPanel(WindowThreadBridge& bridge, OpenPanel& shown)
        : bridge_(bridge), shown_(shown) {}
    int runModal(const OpenPanelSettings& settings) override;
    std::vector<std::string> filenames() const override { return chosen_; }

private:
    WindowThreadBridge& bridge_;
    OpenPanel& shown_;
    std::vector<std::string> chosen_;
};

class WindowThreadWorkspace : public Workspace {
public:
    WindowThreadWorkspace(WindowThreadBridge& bridge, Workspace& real)
        : bridge_(bridge), real_(real) {}
    bool openURL(const std::string& url) override;
    bool openFile(const std::optional<std::string>& path, const std::string& application) override;

private:
    WindowThreadBridge& bridge_;
    Workspace& real_;
};

class WindowThreadAccount : public AccountView {
public:
    WindowThreadAccount(WindowThreadBridge& bridge, AccountView& shown)
        : bridge_(bridge), shown_(shown) {}
    void showWarnings(const std::vector<std::string>& warnings) override;
    void showAccount(const std::string& summary, const std::vector<std::string>& details) override;

private:
    WindowThreadBridge& bridge_;
    AccountView& shown_;
};

// Runs jobs on the shred thread, one at a time, in the order posted.
class ShredThread : public QObject {
    Q_OBJECT
public:
    ShredThread();
    ~ShredThread() override;  // waits for the job in hand

    // On the window's thread.
    void post(std::function<void()> job);
    bool busy() const { return busy_; }

signals:
    void jobFinished();  // on the window's thread, once the job has returned

private:
    QThread thread_;
    QObject* worker_;  // lives on thread_
    bool busy_ = false;
};
