#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "platform/Display.h"
#include "platform/Services.h"
#include "platform/qt/QtCoreServices.h"

class QSettings;
class QSocketNotifier;
class QWidget;

// The main window's frame kept in the settings under its name.
class QtWindowFrame : public Window {
public:
    QtWindowFrame(QWidget* window, QSettings& settings) : window_(window), settings_(settings) {}
    bool setFrameUsingName(const std::string& name) override;
    void saveFrameUsingName(const std::string& name) override;

private:
    QWidget* window_;
    QSettings& settings_;
};

// URLs through QDesktopServices; "Preview" is the user's PDF viewer and "Disk Utility"
// GNOME Disks, else KDE Partition Manager, started detached.
// Starts the user's default application for the type with nothing to open (xdg-mime knows
// which it is); false when there is none.
bool launchDefaultApplicationFor(const QString& mimeType);

class QtWorkspace : public Workspace {
public:
    bool openURL(const std::string& url) override;
    bool openFile(const std::optional<std::string>& path, const std::string& application) override;
};

// The application object. Every way out (terminate, SIGTERM, SIGINT, SIGHUP, the session
// ending, the event loop quitting) runs willTerminate exactly once, then leaves the loop.
// A request that arrives while busy() stops the run (stopRun) and is carried out by
// quitIfRequested() once it has ended. terminate() may be called from any thread.
class QtApplicationService : public QObject, public ResourceApplication {
    Q_OBJECT
public:
    QtApplicationService(std::function<void()> willTerminate, std::function<bool()> busy,
                         std::function<void()> stopRun = {});
    ~QtApplicationService() override;

    void terminate() override;
    std::string processName() const override;
    std::optional<std::string> temporaryDirectory() const override;

    // Carries out a quit that was asked for during a run; called when a run has ended.
    void quitIfRequested();
    bool hasTerminated() const { return terminated_; }

    // Turns SIGTERM, SIGINT and SIGHUP into quit requests on the event loop.
    void watchQuitSignals();

private:
    void finish();

    std::function<void()> willTerminate_;
    std::function<bool()> busy_;
    std::function<void()> stopRun_;
    bool requested_ = false;
    bool terminated_ = false;
    QSocketNotifier* signals_ = nullptr;
};
