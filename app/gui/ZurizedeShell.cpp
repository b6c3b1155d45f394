#include "app/gui/ZurizedeShell.h"

#include "ZurizedeCommit.h"
#include "platform/Texts.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QWindow>

namespace {
constexpr int kExposureWaits = 100;  // two seconds at most
constexpr const char* kRunningTitle = "ORBA Zurizede";
constexpr const char* kSaveReportsKey = "saveReports";
constexpr const char* kReportFolderKey = "reportFolder";
constexpr const char* kApplicationId = "com.example.Zurizede";

// What a notification calls a run, after the command that starts it.
QString runKindInWords(RunKind kind) {
    switch (kind) {
        case RunKind::Shred:
            return QCoreApplication::translate("Window", "Shred");
        case RunKind::FreeSpace:
            return QCoreApplication::translate("Window", "Wipe Free Space");
        case RunKind::Trash:
            return QCoreApplication::translate("Window", "Shred Trash");
        case RunKind::None:
            break;
    }
    return "ORBA Zurizede";
}

// Where reports go after every run unless the person chose elsewhere.
QString defaultReportFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
           "/Zurizede Reports";
}

// "Zurizede Report 2026-12-07 19.40.12", from when the run ended.
QString reportName() {
    return "Zurizede Report " + QDateTime::currentDateTime().toString("yyyy-MM-dd HH.mm.ss");
}

// The nine fields, in Field order.
std::vector<std::unique_ptr<QtTextField>> fieldsOf(Ui::MainWindow& ui) {
    std::vector<std::unique_ptr<QtTextField>> fields;
    for (QLineEdit* edit : {ui.folderText, ui.fileText, ui.statusText, ui.totalCount, ui.totalLinks,
                            ui.totalBytes, ui.progressCount, ui.progressLinks, ui.progressBytes}) {
        fields.push_back(std::make_unique<QtTextField>(edit));
    }
    return fields;
}

// What the shred thread writes, drawn on the window's thread.
std::vector<std::unique_ptr<DrawnTextField>> drawnFrom(
    const std::vector<std::unique_ptr<QtTextField>>& shown) {
    std::vector<std::unique_ptr<DrawnTextField>> fields;
    for (const auto& field : shown) {
        fields.push_back(std::make_unique<DrawnTextField>(*field));
    }
    return fields;
}

std::vector<DrawnTextField*> pointers(const std::vector<std::unique_ptr<DrawnTextField>>& all) {
    std::vector<DrawnTextField*> result;
    for (const auto& field : all) {
        result.push_back(field.get());
    }
    return result;
}
}  // namespace

ZurizedeShell::ZurizedeShell()
    : desktop_(kApplicationId),
      shownFields_(fieldsOf(window_.ui)),
      fields_(drawnFrom(shownFields_)),
      shownProgress_(window_.ui.progress),
      progress_(shownProgress_),
      pacer_(pointers(fields_), progress_),
      frame_(&window_, windowDefaults_.settings()),
      runAlerts_(bridge_, alerts_, pacer_),
      runOpenPanel_(bridge_, openPanel_),
      runWorkspace_(bridge_, workspace_),
      account_(window_.ui.accountText, window_.ui.accountDetails, alerts_),
      runAccount_(bridge_, account_) {
    application_ = std::make_unique<QtApplicationService>(
        [this] {
            stopRequested_ = false;  // the stop was for the run; the private folder still goes
            controller_->applicationWillTerminate();
        },
        [this] { return isRunning(); },
        [this] {
            // A quit during a run (a signal, the session ending) stops it at once, even
            // while it waits for an answer: the open alert or panel is cancelled.
            stop();
            alerts_.dismissForQuit();
            openPanel_.dismissForQuit();
        });

    ShredderConnections c;
    system_.connectTo(c);
    c.display = statusDisplayOf(fields_, progress_);
    c.window = &frame_;
    c.defaults = &runDefaults_;
    c.alerts = &runAlerts_;
    c.openPanel = &runOpenPanel_;
    c.account = &runAccount_;
    c.application = application_.get();
    c.workspace = &runWorkspace_;
    c.stopRequested = [this] { return stopRequested_.load(); };
    c.recordItems = true;  // for Save Report…
    controller_ = std::make_unique<ZVORBAControlShredder>(c);
    shownProgress_.reportTo(&desktop_);

    connect(&shredThread_, &ShredThread::jobFinished, this, [this] { runEnded(); });
    window_.shouldClose = [this] { return closeRequested(); };
    window_.dropped = [this](const std::vector<std::string>& paths) { openPaths(paths); };
    waitingLabel_ = new QLabel(&window_);
    window_.statusBar()->addPermanentWidget(waitingLabel_);
    connectMenus();
}

ZurizedeShell::~ZurizedeShell() {
    window_.shouldClose = nullptr;
    // A run still going ends at its next safe point, and a panel it waits for answers its
    // default button, so that the shred thread can be joined.
    stopRequested_ = true;
    bridge_.close();
}

void ZurizedeShell::start() {
    controller_->awakeFromNib();
    windowDefaults_.registerDefaults(runDefaults_.registeredDefaults());
    reflectSettings();
    window_.show();
}

void ZurizedeShell::openPaths(const std::vector<std::string>& paths) {
    waiting_.insert(waiting_.end(), paths.begin(), paths.end());
    showWaiting();
    QTimer::singleShot(0, this, [this] { openWaitingPaths(); });
}

void ZurizedeShell::stop() {
    if (isRunning()) {
        stopRequested_ = true;
    }
}

// One run per path, in order; paths that arrive during a run wait for its end.
void ZurizedeShell::openWaitingPaths() {
    // Wait, for a moment, until the window is on the screen, so that the person sees the
    // run from its start.
    const QWindow* handle = window_.windowHandle();
    if (handle != nullptr && !handle->isExposed() && exposureWaits_ < kExposureWaits) {
        ++exposureWaits_;
        QTimer::singleShot(20, this, [this] { openWaitingPaths(); });
        return;
    }
    if (waiting_.empty() || isRunning() || application_->hasTerminated()) {
        return;
    }
    const std::string path = waiting_.front();
    waiting_.pop_front();
    showWaiting();
    perform([this, path] { controller_->applicationOpenFile(path); });
}

void ZurizedeShell::perform(std::function<void()> action) {
    if (application_->hasTerminated() || isRunning()) {
        return;  // never a run inside a run, nor after the temporary folder is gone
    }
    stopRequested_ = false;
    shredThread_.post(std::move(action));
    desktop_.runStarted();
    showRunning(true);
}

void ZurizedeShell::runEnded() {
    showRunning(false);  // the final values drawn
    // Only a run that began since the last one ended has a report of its own to save (a
    // cancelled panel, Disk Utility's question, begin none).
    const bool began = controller_->runsBegun() != runsReported_;
    tellDesktopRunEnded(began);
    if (began) {
        runsReported_ = controller_->runsBegun();
        window_.ui.saveReport->setEnabled(controller_->lastRunRecord().touched);
        saveReportsAfterRun();
    }
    application_->quitIfRequested();
    if (!waiting_.empty()) {
        QTimer::singleShot(0, this, [this] { openWaitingPaths(); });
    }
}

void ZurizedeShell::tellDesktopRunEnded(bool began) {
    const auto statusText = static_cast<std::size_t>(Field::statusText);
    desktop_.runEnded({.began = began,
                       .windowActive = window_.isActiveWindow(),
                       .summary = runKindInWords(controller_->lastRunRecord().kind),
                       .body = shownFields_[statusText]->text()});
}

// During a run: the bar and the fields move at the screen's pace, Stop is there, and what
// would start another run waits.
void ZurizedeShell::showRunning(bool running) {
    Ui::MainWindow& ui = window_.ui;
    if (running) {
        pacer_.start();
    } else {
        pacer_.stop();
    }
    for (QAction* action : {ui.actionShredFile, ui.actionShredFolder, ui.actionDiskUtility,
                            ui.actionWipeFreeSpace, ui.actionShredTrash}) {
        action->setEnabled(!running);
    }
    ui.chooseFilesButton->setEnabled(!running);
    ui.chooseFolderButton->setEnabled(!running);
    // The record it would save is the run's own while the run lasts.
    ui.saveReport->setEnabled(!running && controller_->lastRunRecord().touched);
    ui.actionStop->setEnabled(running);
    ui.stopButton->setEnabled(running);
    // The drop area shows the run in its place; a drop meanwhile waits for its turn.
    ui.dropStack->setCurrentWidget(running ? ui.runPage : ui.idlePage);
}

void ZurizedeShell::showWaiting() {
    waitingLabel_->setText(
        waiting_.empty()
            ? QString()
            : QCoreApplication::translate("Window", "%n waiting", nullptr, int(waiting_.size())));
}

bool ZurizedeShell::closeRequested() {
    if (isRunning()) {
        if (confirmStopAndQuit()) {
            application_->terminate();  // stops the run; the quit follows its end
        }
        return false;
    }
    controller_->windowShouldClose();
    return application_->hasTerminated();
}

void ZurizedeShell::quitAsking() {
    if (isRunning() && !confirmStopAndQuit()) {
        return;
    }
    application_->terminate();
}

bool ZurizedeShell::confirmStopAndQuit() {
    return alerts_.run({.kind = Alert::Kind::Question,
                        .title = kRunningTitle,
                        .message = translated("Window", "A shred is running. Stop it and quit?"),
                        .defaultButton = translated("Window", "Stop and Quit"),
                        .alternateButton = translated("Window", "Keep Shredding"),
                        .cancel = Alert::Button::Alternate}) == 1;
}

void ZurizedeShell::connectMenus() {
    Ui::MainWindow& ui = window_.ui;
    // These start runs: on the shred thread.
    auto run = [this](QAction* action, void (ZVORBAControlShredder::*member)()) {
        connect(action, &QAction::triggered, this,
                [this, member] { perform([this, member] { ((*controller_).*member)(); }); });
    };
    run(ui.actionShredFile, &ZVORBAControlShredder::shredFile);
    run(ui.actionShredFolder, &ZVORBAControlShredder::shredDirectory);
    run(ui.actionDiskUtility, &ZVORBAControlShredder::diskUtility);
    run(ui.actionWipeFreeSpace, &ZVORBAControlShredder::wipeFreeSpace);
    run(ui.actionShredTrash, &ZVORBAControlShredder::shredTrash);
    // These touch nothing of a run and work during one: on the window's thread.
    auto now = [this](QAction* action, void (ZVORBAControlShredder::*member)()) {
        connect(action, &QAction::triggered, this, [this, member] { ((*controller_).*member)(); });
    };
    now(ui.actionHelp, &ZVORBAControlShredder::showHelp);
    now(ui.actionSupportMail, &ZVORBAControlShredder::zevvyMail);
    now(ui.actionWebSite, &ZVORBAControlShredder::zevvyWWW);
    connect(ui.actionStop, &QAction::triggered, this, [this] { stop(); });
    connect(ui.stopButton, &QPushButton::clicked, this, [this] { stop(); });
    connect(ui.actionQuit, &QAction::triggered, this, [this] { quitAsking(); });

    auto* modes = new QActionGroup(this);
    modes->setExclusive(true);
    const std::pair<QAction*, int> choices[] = {
        {ui.actionModeRandom, 0}, {ui.actionModeFour, 1}, {ui.actionModeEleven, 2}};
    for (const auto& [action, mode] : choices) {
        modes->addAction(action);
        connect(action, &QAction::triggered, this, [this, mode = mode] {
            windowDefaults_.setInteger(settings_key::kShredMode, mode);
        });
    }
    connect(ui.actionAskConfirmation, &QAction::triggered, this, [this](bool checked) {
        windowDefaults_.setInteger(settings_key::kShredWarning, checked ? 1 : 0);
    });
    connect(ui.actionLogShreds, &QAction::triggered, this, [this](bool checked) {
        windowDefaults_.setInteger(settings_key::kShredLogging, checked ? 1 : 0);
    });
    connect(ui.actionVerifyLastPass, &QAction::triggered, this, [this](bool checked) {
        windowDefaults_.setInteger(settings_key::kShredVerify, checked ? 1 : 0);
    });
    connect(ui.accountDetails, &QPushButton::clicked, this, [this] { account_.showDetails(); });
    connect(ui.saveReport, &QPushButton::clicked, this, [this] { saveReport(); });
    connect(ui.actionSaveReports, &QAction::triggered, this,
            [this](bool checked) { chooseReportSaving(checked); });
    connect(ui.actionOperatorName, &QAction::triggered, this, [this] { askOperatorName(); });
    connect(ui.chooseFilesButton, &QPushButton::clicked, ui.actionShredFile, &QAction::trigger);
    connect(ui.chooseFolderButton, &QPushButton::clicked, ui.actionShredFolder, &QAction::trigger);
    for (QAction* setting : ui.menuSettings->actions()) {
        connect(setting, &QAction::triggered, this, [this] { showSettings(); });
    }
    // Another window or the terminal front end may have changed them meanwhile.
    connect(ui.menuSettings, &QMenu::aboutToShow, this, [this] { reflectSettings(); });
}

void ZurizedeShell::reflectSettings() {
    Ui::MainWindow& ui = window_.ui;
    windowDefaults_.settings().sync();
    const ShredMode mode = shredModeFrom(windowDefaults_.integerForKey(settings_key::kShredMode));
    ui.actionModeFour->setChecked(mode == ShredMode::FourPasses);
    ui.actionModeEleven->setChecked(mode == ShredMode::ElevenPasses);
    ui.actionModeRandom->setChecked(mode == ShredMode::RandomPass);
    ui.actionAskConfirmation->setChecked(
        windowDefaults_.integerForKey(settings_key::kShredWarning) == 1);
    ui.actionLogShreds->setChecked(windowDefaults_.integerForKey(settings_key::kShredLogging) == 1);
    ui.actionVerifyLastPass->setChecked(windowDefaults_.integerForKey(settings_key::kShredVerify) ==
                                        1);
    ui.actionSaveReports->setChecked(windowDefaults_.settings().value(kSaveReportsKey).toInt() ==
                                     1);
    showSettings();
}

// The settings of the next run in words, always in view.
void ZurizedeShell::showSettings() {
    const auto is = [this](const char* key) { return windowDefaults_.integerForKey(key) == 1; };
    QStringList parts{QString::fromStdString(
        modeInWords(shredModeFrom(windowDefaults_.integerForKey(settings_key::kShredMode))))};
    parts << (is(settings_key::kShredWarning)
                  ? QCoreApplication::translate("Window", "asks before shredding")
                  : QCoreApplication::translate("Window", "shreds without asking"));
    parts << (is(settings_key::kShredLogging)
                  ? QCoreApplication::translate("Window", "logged")
                  : QCoreApplication::translate("Window", "not logged"));
    if (is(settings_key::kShredVerify)) {
        parts << QCoreApplication::translate("Window", "verifies the last pass");
    }
    const QString line = parts.join(" · ");
    window_.ui.settingsLine->setText(line);
    // Its accessible name is "Settings": a screen reader hears the settings themselves here.
    window_.ui.settingsLine->setAccessibleDescription(line);
}

// ---- reports ----------------------------------------------------------------------------

ReportAuthor ZurizedeShell::reportAuthor() {
    ReportAuthor author;
    author.version = ZURIZEDE_VERSION;
    author.commit = ZURIZEDE_COMMIT;
    author.operatorName =
        windowDefaults_.settings().value(settings_key::kOperatorName).toString().toStdString();
    return author;
}

bool ZurizedeShell::writeReport(const QString& path) {
    QtReportWriter writer(reportAuthor());
    RunRecord record = controller_->lastRunRecord();
    addAbsolutePaths(record, system_.files().currentDirectoryPath());
    const ReportWritten written = writer.write(record, QFile::encodeName(path).toStdString());
    if (!written.error.empty()) {
        alerts_.run({.kind = Alert::Kind::Error,
                     .critical = true,
                     .title = translated("Window", "Save Report"),
                     .message = withArgs(translated("Window", "The report was not written: %1"),
                                         {written.error}),
                     .defaultButton = translated("Window", "OK")});
    }
    return written.error.empty();
}

void ZurizedeShell::saveReport() {
    QFileDialog panel(&window_, QCoreApplication::translate("Window", "Save Report"));
    panel.setOption(QFileDialog::DontUseNativeDialog);
    panel.setAcceptMode(QFileDialog::AcceptSave);
    const QString json = QCoreApplication::translate("Window", "JSON (*.json)");
    panel.setNameFilters(
        {QCoreApplication::translate("Window", "PDF, with its JSON beside it (*.pdf)"), json});
    panel.setDefaultSuffix("pdf");
    panel.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    panel.selectFile(reportName() + ".pdf");
    connect(&panel, &QFileDialog::filterSelected, &panel, [&panel, json](const QString& filter) {
        panel.setDefaultSuffix(filter == json ? "json" : "pdf");
    });
    if (panel.exec() == QDialog::Accepted && !panel.selectedFiles().isEmpty()) {
        writeReport(panel.selectedFiles().front());
    }
}

void ZurizedeShell::saveReportsAfterRun() {
    QSettings& settings = windowDefaults_.settings();
    if (settings.value(kSaveReportsKey).toInt() != 1 || !controller_->lastRunRecord().touched) {
        return;
    }
    const QString folder = settings.value(kReportFolderKey, defaultReportFolder()).toString();
    QDir().mkpath(folder);
    // Runs that end within a second of each other keep a report each.
    const QString name = reportName();
    QString path = QDir(folder).filePath(name + ".pdf");
    for (int n = 2; QFileInfo::exists(path) || QFileInfo::exists(path.chopped(4) + ".json"); ++n) {
        path = QDir(folder).filePath(name + " (" + QString::number(n) + ").pdf");
    }
    writeReport(path);  // and its JSON beside it
}

void ZurizedeShell::chooseReportSaving(bool on) {
    QSettings& settings = windowDefaults_.settings();
    if (on) {
        QFileDialog panel(&window_, QCoreApplication::translate("Window", "Folder for Reports"));
        panel.setOption(QFileDialog::DontUseNativeDialog);
        panel.setFileMode(QFileDialog::Directory);
        panel.setOption(QFileDialog::ShowDirsOnly);
        const QString folder = settings.value(kReportFolderKey, defaultReportFolder()).toString();
        QDir().mkpath(folder);
        panel.setDirectory(folder);
        if (panel.exec() != QDialog::Accepted || panel.selectedFiles().isEmpty()) {
            window_.ui.actionSaveReports->setChecked(false);
            return;
        }
        settings.setValue(kReportFolderKey, panel.selectedFiles().front());
    }
    settings.setValue(kSaveReportsKey, on ? 1 : 0);
}

void ZurizedeShell::askOperatorName() {
    QSettings& settings = windowDefaults_.settings();
    bool ok = false;
    const QString name = QInputDialog::getText(
        &window_, QCoreApplication::translate("Window", "Operator Name"),
        QCoreApplication::translate("Window",
                                    "The name reports give as the person who ran them "
                                    "(leave it empty for none):"),
        QLineEdit::Normal, settings.value(settings_key::kOperatorName).toString(), &ok);
    if (ok) {
        settings.setValue(settings_key::kOperatorName, name.trimmed());
    }
}
