#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PosixFileManager.h"
#include "PosixSystemLog.h"
#include "QtCoreServices.h"
#include "QtDisplay.h"
#include "QtServices.h"
#include "QtShell.h"
#include "ShredderWindow.h"
#include "ZVORBAControlShredder.h"

// The application as the interface file describes it: the window, the platform services
// and the controller, connected; then awakeFromNib, menus and open-file events.
class ZurizedeShell : public QObject {
    Q_OBJECT
public:
    ZurizedeShell();
    ~ZurizedeShell() override;

    // Connects and wakes the controller, shows the window.
    void start();
    // Each path reaches applicationOpenFile in order, once the event loop runs.
    void openPaths(const std::vector<std::string>& paths);

    ShredderWindow& window() { return window_; }
    ZVORBAControlShredder& controller() { return *controller_; }
    QtApplicationService& application() { return *application_; }
    QtUserDefaults& defaults() { return defaults_; }

private:
    // Runs a menu action or an open-file event, then a quit asked for meanwhile.
    void perform(const std::function<void()>& action);
    void openWaitingPaths();
    void connectMenus();
    void reflectSettings();

    ShredderWindow window_;
    QtUserDefaults defaults_;
    std::vector<std::unique_ptr<QtTextField>> fields_;
    QtProgressIndicator progress_;
    QtWindowFrame frame_;
    PosixFileManager files_;
    QtAlertPanels alerts_;
    QtOpenPanel openPanel_;
    PosixSystemLog log_;
    QtWorkspace workspace_;
    std::unique_ptr<QtApplicationService> application_;
    std::unique_ptr<ZVORBAControlShredder> controller_;
    std::deque<std::string> waiting_;
    int exposureWaits_ = 0;
};
