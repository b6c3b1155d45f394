#pragma once

#include <QObject>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/common/SystemServices.h"
#include "app/gui/ShredderWindow.h"
#include "controller/ZVORBAControlShredder.h"
#include "platform/qt/QtCoreServices.h"
#include "platform/qt/QtDesktopProgress.h"
#include "platform/qt/QtDisplay.h"
#include "platform/qt/QtReportWriter.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/QtShell.h"
#include "platform/qt/QtShredThread.h"

class QLabel;

// The application as the interface file describes it: the window, the platform services
// and the controller, connected; then awakeFromNib, menus and open-file events. Runs happen
// on the shred thread; the window's thread draws, takes input and answers the desktop.
class ZurizedeShell : public QObject {
    Q_OBJECT
public:
    ZurizedeShell();
    ~ZurizedeShell() override;

    // Connects and wakes the controller, shows the window.
    void start();
    // Each path reaches applicationOpenFile in order, one run after the other.
    void openPaths(const std::vector<std::string>& paths);
    // Stops the run in progress at its next safe point.
    void stop();

    ShredderWindow& window() { return window_; }
    ZVORBAControlShredder& controller() { return *controller_; }
    QtApplicationService& application() { return *application_; }
    // The settings as the window's menu reads and writes them.
    QtUserDefaults& defaults() { return windowDefaults_; }
    bool isRunning() const { return shredThread_.busy(); }
    std::size_t waitingPaths() const { return waiting_.size(); }

private:
    // Starts a run (a menu action or an open-file event) on the shred thread, unless one is
    // going on or the application is quitting.
    void perform(std::function<void()> action);
    void runEnded();
    // Tells the desktop how the run that just ended went; began: whether one began at all.
    void tellDesktopRunEnded(bool began);
    void openWaitingPaths();
    void showRunning(bool running);
    void showWaiting();
    // Whether the window may close now; during a run it asks first.
    bool closeRequested();
    // Reports: the one the person asks for, and those saved after every run.
    void saveReport();
    void saveReportsAfterRun();
    void chooseReportSaving(bool on);
    void askOperatorName();
    // Writes the last run's report to path; a failure is said in an alert.
    bool writeReport(const QString& path);
    // Quit, asking first during a run.
    void quitAsking();
    bool confirmStopAndQuit();
    void connectMenus();
    void reflectSettings();
    void showSettings();

    ShredderWindow window_;
    QtUserDefaults windowDefaults_;
    QtUserDefaults runDefaults_;  // the shred thread's own: QSettings is not shared
    DesktopProgress desktop_;     // before the bar that reports to it
    std::vector<std::unique_ptr<QtTextField>> shownFields_;
    std::vector<std::unique_ptr<DrawnTextField>> fields_;
    QtProgressIndicator shownProgress_;
    DrawnProgress progress_;
    FramePacer pacer_;
    QtWindowFrame frame_;
    QtAlertPanels alerts_;
    QtOpenPanel openPanel_;
    QtWorkspace workspace_;
    WindowThreadBridge bridge_;
    WindowThreadAlerts runAlerts_;
    WindowThreadOpenPanel runOpenPanel_;
    WindowThreadWorkspace runWorkspace_;
    QtAccountView account_;
    WindowThreadAccount runAccount_;
    std::unique_ptr<QtApplicationService> application_;
    // It outlives the controller that uses it.
    SystemServices system_;
    std::unique_ptr<ZVORBAControlShredder> controller_;
    std::atomic<bool> stopRequested_{false};
    ShredThread shredThread_;  // after what its jobs use: it is joined first
    std::deque<std::string> waiting_;
    QLabel* waitingLabel_ = nullptr;
    std::uint64_t runsReported_ = 0;  // runsBegun() when the last run's report was offered
    ReportAuthor reportAuthor();
    int exposureWaits_ = 0;
};
