#include "ZurizedeShell.h"

#include <QActionGroup>
#include <QMenu>
#include <QTimer>
#include <QWindow>

namespace {
constexpr int kExposureWaits = 100;  // two seconds at most
}

ZurizedeShell::ZurizedeShell()
    : progress_(window_.ui.progress), frame_(&window_, defaults_.settings()), log_(true) {
    application_ = std::make_unique<QtApplicationService>(
        [this] { controller_->applicationWillTerminate(); },
        [this] { return controller_->isRunning(); });

    auto field = [this](QLineEdit* edit) {
        fields_.push_back(std::make_unique<QtTextField>(edit));
        return fields_.back().get();
    };
    Ui::MainWindow& ui = window_.ui;
    ShredderConnections c;
    c.progress = &progress_;
    c.window = &frame_;
    c.folderText = field(ui.folderText);
    c.fileText = field(ui.fileText);
    c.statusText = field(ui.statusText);
    c.totalCount = field(ui.totalCount);
    c.totalLinks = field(ui.totalLinks);
    c.totalBytes = field(ui.totalBytes);
    c.progressCount = field(ui.progressCount);
    c.progressLinks = field(ui.progressLinks);
    c.progressBytes = field(ui.progressBytes);
    c.fileManager = &files_;
    c.defaults = &defaults_;
    c.alerts = &alerts_;
    c.openPanel = &openPanel_;
    c.log = &log_;
    c.application = application_.get();
    c.workspace = &workspace_;
    c.makeNumberFormatter = [](const std::string&) {
        return std::make_unique<QtNumberFormatter>();
    };
    controller_ = std::make_unique<ZVORBAControlShredder>(c);

    window_.shouldClose = [this] {
        controller_->windowShouldClose();
        return application_->hasTerminated();  // a run in progress keeps it open until it ends
    };
    window_.dropped = [this](const std::vector<std::string>& paths) { openPaths(paths); };
    connectMenus();
}

ZurizedeShell::~ZurizedeShell() {
    window_.shouldClose = nullptr;
}

void ZurizedeShell::start() {
    controller_->awakeFromNib();
    reflectSettings();
    window_.show();
}

void ZurizedeShell::openPaths(const std::vector<std::string>& paths) {
    waiting_.insert(waiting_.end(), paths.begin(), paths.end());
    QTimer::singleShot(0, this, [this] { openWaitingPaths(); });
}

// One run per path, in order; paths that arrive during a run wait for its end.
void ZurizedeShell::openWaitingPaths() {
    // A run blocks the event loop and redraws only what is on the screen: wait, for a
    // moment, until the window is there, so that the person sees the run from its start.
    const QWindow* handle = window_.windowHandle();
    if (handle != nullptr && !handle->isExposed() && exposureWaits_ < kExposureWaits) {
        ++exposureWaits_;
        QTimer::singleShot(20, this, [this] { openWaitingPaths(); });
        return;
    }
    while (!waiting_.empty() && !controller_->isRunning() && !application_->hasTerminated()) {
        const std::string path = waiting_.front();
        waiting_.pop_front();
        perform([&] { controller_->applicationOpenFile(path); });
    }
}

void ZurizedeShell::perform(const std::function<void()>& action) {
    if (application_->hasTerminated() || controller_->isRunning()) {
        return;  // never a run inside a run, nor after the temporary folder is gone
    }
    action();
    application_->quitIfRequested();
    if (!waiting_.empty()) {
        QTimer::singleShot(0, this, [this] { openWaitingPaths(); });
    }
}

void ZurizedeShell::connectMenus() {
    Ui::MainWindow& ui = window_.ui;
    auto on = [this](QAction* action, void (ZVORBAControlShredder::*member)()) {
        connect(action, &QAction::triggered, this,
                [this, member] { perform([&] { ((*controller_).*member)(); }); });
    };
    on(ui.actionShredFile, &ZVORBAControlShredder::shredFile);
    on(ui.actionShredFolder, &ZVORBAControlShredder::shredDirectory);
    on(ui.actionHelp, &ZVORBAControlShredder::showHelp);
    on(ui.actionSupportMail, &ZVORBAControlShredder::zevvyMail);
    on(ui.actionWebSite, &ZVORBAControlShredder::zevvyWWW);
    on(ui.actionDiskUtility, &ZVORBAControlShredder::diskUtility);
    connect(ui.actionQuit, &QAction::triggered, this, [this] { application_->terminate(); });

    auto* modes = new QActionGroup(this);
    modes->setExclusive(true);
    const std::pair<QAction*, int> choices[] = {
        {ui.actionModeRandom, 0}, {ui.actionModeFour, 1}, {ui.actionModeEleven, 2}};
    for (const auto& [action, mode] : choices) {
        modes->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode = mode] {
            defaults_.setInteger(settings_key::kShredMode, mode);
        });
    }
    connect(ui.actionAskConfirmation, &QAction::triggered, this, [this](bool checked) {
        defaults_.setInteger(settings_key::kShredWarning, checked ? 1 : 0);
    });
    connect(ui.actionLogShreds, &QAction::triggered, this, [this](bool checked) {
        defaults_.setInteger(settings_key::kShredLogging, checked ? 1 : 0);
    });
    // Another window or the terminal front end may have changed them meanwhile.
    connect(ui.menuSettings, &QMenu::aboutToShow, this, [this] { reflectSettings(); });
}

void ZurizedeShell::reflectSettings() {
    Ui::MainWindow& ui = window_.ui;
    defaults_.settings().sync();
    const int mode = defaults_.integerForKey(settings_key::kShredMode);
    // The engine treats any mode but 1 and 2 as one random pass, and so does the menu.
    ui.actionModeFour->setChecked(mode == 1);
    ui.actionModeEleven->setChecked(mode == 2);
    ui.actionModeRandom->setChecked(mode != 1 && mode != 2);
    ui.actionAskConfirmation->setChecked(defaults_.integerForKey(settings_key::kShredWarning) == 1);
    ui.actionLogShreds->setChecked(defaults_.integerForKey(settings_key::kShredLogging) == 1);
}
