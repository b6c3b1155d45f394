// The real window under the offscreen platform: alerts, panels and the user's other
// applications are answered through the platform's seams, never by a person.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "DialogButtons.h"
#include "app/gui/ZurizedeShell.h"
#include "platform/qt/QtTranslations.h"

namespace {

// Receives what the shell asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// The program's private folders; the tests' own temporary folders lie beside them.
QStringList privateFolders() {
    return QDir(qgetenv("TMPDIR"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .filter(QRegularExpression("\\.[0-9]+\\.[A-Za-z0-9]{5}$"));
}

void writeFile(const QString& path, const QByteArray& contents) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contents);
}

// A folder of `count` files f0, f1, ... each holding contents.
void makeFolder(const QString& folder, int count, const QByteArray& contents) {
    QVERIFY(QDir().mkpath(folder));
    for (int i = 0; i < count; ++i) writeFile(folder + QString("/f%1").arg(i), contents);
}

// Settings as another program (or the terminal front end) would store them.
void store(std::initializer_list<std::pair<const char*, int>> values) {
    QSettings settings("ORBA", "Zurizede");
    for (const auto& [key, value] : values) settings.setValue(key, value);
    settings.sync();
}

// Every file a run left in folder still holds contents: it was not reached, not half-written.
void expectFilesHold(const QString& folder, const QByteArray& contents) {
    for (const QFileInfo& left : QDir(folder).entryInfoList(QDir::Files)) {
        QFile file(left.filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents);
    }
}

// The access keys (Alt+letter) shared by two commands of one window or one menu.
QStringList clashingAccessKeys(QWidget& window) {
    QList<QStringList> scopes{{}};
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) scopes[0] << b->text();
    for (QLabel* label : window.findChildren<QLabel*>())
        if (label->buddy() != nullptr)
            scopes[0] << label->text();
    for (QMenuBar* bar : window.findChildren<QMenuBar*>())
        for (QAction* menu : bar->actions()) scopes[0] << menu->text();
    for (QMenu* menu : window.findChildren<QMenu*>()) {
        scopes << QStringList();
        for (QAction* action : menu->actions()) scopes.last() << action->text();
    }
    QStringList clashes;
    for (const QStringList& texts : scopes) {
        QMap<QKeySequence, QString> taken;
        for (const QString& text : texts) {
            const QKeySequence key = QKeySequence::mnemonic(text);
            if (!key.isEmpty() && taken.contains(key))
                clashes << taken[key] + " / " + text;
            taken.insert(key, text);
        }
    }
    return clashes;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    UrlCatcher urls;
    QStringList alertsSeen;

    // Every alert is recorded and answered by pressing the button named.
    void answerAlertsWith(const QString& press) {
        QtAlertPanels::setAnswerer([this, press](QMessageBox& box) {
            alertsSeen << box.windowTitle() + ": " + box.text();
            return buttonNamed(box, press);
        });
    }

private slots:
    void init() {
        QSettings("ORBA", "Zurizede").clear();
        alertsSeen.clear();
        urls.opened.clear();
        qputenv("ZURIZEDE_RESOURCE_DIR", ZURIZEDE_RESOURCES);
        QDesktopServices::setUrlHandler("file", &urls, "open");
        answerAlertsWith("Proceed");
    }
    void cleanup() {
        QDesktopServices::unsetUrlHandler("file");
        // Every shell a test started and quit took its private folder with it.
        QtAlertPanels::setAnswerer({});
        QVERIFY2(privateFolders().isEmpty(), qPrintable(privateFolders().join(",")));
    }

    // The help is copied into an owner-only private folder. The registered defaults ask first:
    // the shred thread asks, the window's thread shows the question, names in it as plain
    // text, and the account line follows the answer (its wording is checked on the
    // controller). Quitting shreds the help's copy in the mode of the last run, not in one
    // chosen since.
    void thePrivateFolderTheConfirmationAndQuittingInTheLastRunsMode() {
        QTemporaryDir work;
        makeFolder(work.filePath("doomed"), 0, {});
        writeFile(work.filePath("doomed/<b>bold"), "kept");
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        QCOMPARE(privateFolders().size(), 1);
        const QString folder = QDir(qgetenv("TMPDIR")).filePath(privateFolders()[0]);
        QCOMPARE(QString::fromStdString(*shell.controller().privateTempFolder()), folder);
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(folder), &st), 0);
        QCOMPARE(st.st_mode & 07777, 0700u);
        // The copy is held open, to read what quitting left in its blocks.
        const QString copy = folder + "/ORBA Zurizede Readme.pdf";
        ui.actionHelp->trigger();
        QCOMPARE(urls.opened, QList<QUrl>{QUrl::fromLocalFile(copy)});
        const int held = ::open(QFile::encodeName(copy), O_RDONLY);
        QVERIFY(held >= 0);
        QByteArray bytes(QFileInfo(copy).size(), '\0');
        QCOMPARE(::pread(held, bytes.data(), bytes.size(), 0), (ssize_t)bytes.size());
        QVERIFY(bytes.startsWith("%PDF"));

        bool onWindowThread = false;
        QString details;
        QtAlertPanels::setAnswerer([&](QMessageBox& box) {
            alertsSeen << box.text();
            // A name holding markup would be shown as another name.
            auto* label = box.findChild<QLabel*>("qt_msgbox_informativelabel");
            details = label && label->textFormat() == Qt::PlainText ? box.informativeText() : "";
            onWindowThread = QThread::currentThread() == qApp->thread();
            return buttonNamed(box, "Cancel");
        });
        shell.openPaths({work.filePath("doomed").toStdString()});
        QTRY_COMPARE(alertsSeen.size(), 1);
        QVERIFY(onWindowThread);
        QVERIFY2(details.startsWith("What: the folder " + work.filePath("doomed") + " with ") &&
                     details.contains("<b>bold"),
                 qPrintable(details));
        QTRY_COMPARE(ui.accountText->text(), QString("Nothing was touched."));
        QVERIFY(QFileInfo::exists(work.filePath("doomed/<b>bold")));

        answerAlertsWith("Proceed");
        ui.actionModeEleven->trigger();
        shell.openPaths({work.filePath("doomed").toStdString()});
        // The account is drawn during the run; quitting before its end would ask first.
        QTRY_VERIFY(!shell.isRunning() &&
                    ui.accountText->text().startsWith("1 file overwritten (4 bytes, "));
        QVERIFY(!QFileInfo::exists(work.filePath("doomed")));
        store({{"shredMode", 0}});  // chosen after the run
        ui.actionQuit->trigger();
        QVERIFY(shell.application().hasTerminated());
        QCOMPARE(::pread(held, bytes.data(), bytes.size(), 0), (ssize_t)bytes.size());
        ::close(held);
        QCOMPARE(bytes, QByteArray(bytes.size(), '\0'));  // the eleventh pass
    }

    // The settings are said in words; their menu writes them and shows them as stored when
    // it opens. At the smallest size the window allows, every field shows a whole line, can
    // be reached and is named; a long path is shortened in the middle, whole in the tooltip.
    void theWindowExplainsItselfAndHoldsAtItsMinimum() {
        QTemporaryDir work;
        const QString deep = work.filePath(QString("a-rather-long-folder-name/").repeated(8));
        makeFolder(deep, 1, "kept");
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        for (QAction* action : {ui.actionAskConfirmation, ui.actionLogShreds}) {
            action->trigger();  // asking is on by default: now off
        }
        QCOMPARE(ui.settingsLine->text(),
                 QString("1 pass of random bytes · shreds without asking · "
                         "logged"));
        QSettings settings("ORBA", "Zurizede");
        QCOMPARE(settings.value("shredWarning").toInt(), 0);
        QCOMPARE(settings.value("shredLogging").toInt(), 1);
        // Changed elsewhere (the terminal front end, another session): shown when opened.
        store({{"shredMode", 1}, {"shredWarning", 1}});
        emit ui.menuSettings->aboutToShow();
        QVERIFY(ui.settingsLine->text().startsWith("4 passes · asks before shredding"));

        shell.window().resize(1, 1);  // as small as the window lets itself be made
        answerAlertsWith("Cancel");
        shell.openPaths({(deep + "f0").toStdString()});
        QTRY_COMPARE(alertsSeen.size(), 1);
        QTRY_VERIFY(!shell.isRunning());
        const QString folder = QDir::cleanPath(deep), shown = ui.folderText->text();
        QCOMPARE(ui.folderText->toolTip(), folder);
        QVERIFY2(shown.contains(QChar(0x2026)) && shown.startsWith(folder.left(4)) &&
                     shown.endsWith("name"),
                 qPrintable(shown));
        QTRY_VERIFY(ui.totalBytes->text().startsWith("4 bytes"));
        shell.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shell.window()));
        ui.chooseFilesButton->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        for (QLineEdit* field : shell.window().findChildren<QLineEdit*>()) {
            const int line = field->fontMetrics().height();
            QVERIFY2(reached.contains(field) && field->isReadOnly() &&
                         !field->accessibleName().isEmpty() && field->isVisible() &&
                         field->contentsRect().height() >= line && field->width() > line,
                     qPrintable(field->objectName()));
        }
        QVERIFY(ui.settingsLine->isVisible());
        QVERIFY(ui.chooseFolderButton->width() >= ui.chooseFolderButton->minimumSizeHint().width());
        shell.application().terminate();
    }

    // No two commands of the window, of one of its menus, or of a panel or an alert it
    // shows, answer the same Alt+letter, in English and in each translation.
    void noTwoCommandsShareAnAccessKey_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QString();
        QTest::newRow("German") << "de";
        QTest::newRow("French") << "fr";
    }
    void noTwoCommandsShareAnAccessKey() {
        QFETCH(QString, language);
        const QtTranslations translations(language.isEmpty() ? QLocale(QLocale::English)
                                                             : QLocale(language));
        QCOMPARE(translations.language(), language);
        QTemporaryDir work;
        writeFile(work.filePath("kept"), "kept");
        ZurizedeShell shell;
        shell.start();
        QStringList clashes = clashingAccessKeys(shell.window());
        bool asked = false;
        QtAlertPanels::setAnswerer([&](QMessageBox& box) {
            asked = true;
            clashes << clashingAccessKeys(box);
            return buttonNamed(box, "Cancel");
        });
        QtOpenPanel::setChooser([&](QFileDialog& panel) {
            clashes << clashingAccessKeys(panel);
            panel.selectFile(work.filePath("kept"));
            QMetaObject::invokeMethod(&panel, "accept");
        });
        shell.window().ui.actionShredFile->trigger();
        QTRY_VERIFY(asked && !shell.isRunning());
        QtOpenPanel::setChooser({});
        shell.application().terminate();
        QVERIFY2(clashes.isEmpty(), qPrintable(clashes.join("\n")));
    }

    // A run happens on the shred thread: the window takes a drop and keeps it waiting,
    // disables what would start another run, and Stop ends the run without asking, keeping
    // every file it had not reached whole.
    void aRunLeavesTheWindowFreeAndStopEndsIt() {
        store({{"shredWarning", 0}, {"shredMode", 2}});
        QTemporaryDir work;
        makeFolder(work.filePath("first"), 20, "small");
        writeFile(work.filePath("first/big"), QByteArray(64 << 20, 'x'));
        makeFolder(work.filePath("second"), 1, "second");
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        QVERIFY(!ui.stopButton->isEnabled());
        shell.openPaths({work.filePath("first").toStdString()});
        // On the big file's second pass: its first one has reached the disk.
        QTRY_VERIFY_WITH_TIMEOUT(
            QRegularExpression("^Pass ([2-9]|1[01]) of 11").match(ui.statusText->text()).hasMatch(),
            60000);
        QVERIFY(ui.stopButton->isEnabled() && !ui.actionShredFolder->isEnabled());
        QCOMPARE(ui.dropStack->currentWidget(), ui.runPage);
        shell.openPaths({work.filePath("second").toStdString()});
        QCOMPARE(shell.waitingPaths(), 1u);
        ui.stopButton->click();

        QTRY_VERIFY(!QFileInfo::exists(work.filePath("second")));           // ran after the first
        QVERIFY2(alertsSeen.isEmpty(), qPrintable(alertsSeen.join("\n")));  // Stop asks nothing
        QVERIFY2(!QFileInfo::exists(work.filePath("first/big")),            // a whole pass went
                 qPrintable(ui.statusText->text()));
        QVERIFY(QFileInfo::exists(work.filePath("first")));
        expectFilesHold(work.filePath("first"), "small");
        QTRY_VERIFY(!shell.isRunning());
        QVERIFY(ui.actionShredFolder->isEnabled() && !ui.stopButton->isEnabled());
        shell.application().terminate();
    }

    // A drop carries text/uri-list on X11 and on Wayland alike: the window decodes those
    // bytes (as a data offer delivers them, percent-encoded) into a local path and shreds it.
    // WindowWayland runs this case on the wayland platform too, on a real Wayland surface.
    void aDroppedUriListReachesARun() {
        store({{"shredWarning", 0}});
        QTemporaryDir work;
        writeFile(work.filePath("a file"), "dropped");
        ZurizedeShell shell;
        shell.start();
        QVERIFY(QTest::qWaitForWindowExposed(&shell.window()));
        QMimeData data;
        data.setData("text/uri-list", QUrl::fromLocalFile(work.filePath("a file")).toEncoded() +
                                          "\r\nhttps://example.com/b\r\n");
        const QPoint middle = shell.window().rect().center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(middle, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&shell.window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(middle, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&shell.window(), &drop);
        QVERIFY(drop.isAccepted());
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(work.filePath("a file")), 20000);
        QTRY_VERIFY(!shell.isRunning());
        shell.application().terminate();
    }

    // The File menu's remedies run like a shred: Shred Trash empties the trash through a run
    // and says so; Wipe Free Space takes its folder from the panel and refuses a memory file
    // system in an alert.
    void theRemediesRunFromTheFileMenu() {
        QTemporaryDir work;
        QDir().mkpath(work.filePath("data/Trash/files"));
        QDir().mkpath(work.filePath("data/Trash/info"));
        writeFile(work.filePath("data/Trash/files/old letter"), "trashed");
        writeFile(work.filePath("data/Trash/info/old letter.trashinfo"),
                  "[Trash Info]\nPath=/home/ana/old%20letter\nDeletionDate=2026-12-01T10:00:00\n");
        qputenv("XDG_DATA_HOME", QFile::encodeName(work.filePath("data")));
        ZurizedeShell shell;
        qunsetenv("XDG_DATA_HOME");
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        ui.actionShredTrash->trigger();
        QTRY_VERIFY(!shell.isRunning() && !ui.accountText->text().isEmpty());
        QVERIFY2(ui.accountText->text().startsWith("2 files overwritten"),
                 qPrintable(ui.accountText->text()));
        QCOMPARE(QDir(work.filePath("data/Trash/files")).isEmpty(), true);
        QCOMPARE(QDir(work.filePath("data/Trash/info")).isEmpty(), true);

        if (QStorageInfo("/dev/shm").fileSystemType() != "tmpfs") {
            shell.application().terminate();
            QSKIP("no tmpfs at /dev/shm to choose in the panel");
        }
        QtOpenPanel::setChooser([](QFileDialog& panel) {
            panel.setDirectory("/dev");
            panel.findChild<QLineEdit*>("fileNameEdit")->setText("shm");
            clickButton(panel, "Wipe");
        });
        alertsSeen.clear();
        ui.actionWipeFreeSpace->trigger();
        QTRY_VERIFY(!shell.isRunning() && !alertsSeen.isEmpty());
        QtOpenPanel::setChooser({});
        QVERIFY2(alertsSeen.join("").contains("is on a memory file system (tmpfs)"),
                 qPrintable(alertsSeen.join("\n")));
        shell.application().terminate();
    }

    // After a run, Save Report… writes the report chosen in its panel; with the setting on,
    // every run leaves its report, PDF and JSON, in the folder chosen for them.
    void reportsAreSavedOnRequestAndAfterEveryRun() {
        QTemporaryDir work;
        makeFolder(work.filePath("doomed"), 3, "secret");
        QSettings("ORBA", "Zurizede").setValue("saveReports", 1);
        QSettings("ORBA", "Zurizede").setValue("reportFolder", work.filePath("reports"));
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        QVERIFY(!ui.saveReport->isEnabled());
        shell.openPaths({work.filePath("doomed").toStdString()});
        QTRY_VERIFY(!shell.isRunning() && ui.saveReport->isEnabled());
        const QStringList saved = QDir(work.filePath("reports")).entryList(QDir::Files);
        QCOMPARE(saved.size(), 2);
        QVERIFY2(saved[0].endsWith(".json") && saved[1].endsWith(".pdf"),
                 qPrintable(saved.join(",")));

        QTimer::singleShot(0, [&] {
            auto* panel = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(panel != nullptr);
            panel->selectFile(work.filePath("asked.json"));
            QMetaObject::invokeMethod(panel, "accept");
        });
        ui.saveReport->click();
        QFile asked(work.filePath("asked.json"));
        QVERIFY(asked.open(QIODevice::ReadOnly));
        const QByteArray report = asked.readAll();
        QVERIFY2(report.contains("\"schema\": \"zurizede-report/1\"") &&
                     report.contains("\"filesOverwritten\": 3"),
                 report.constData());
        shell.application().terminate();
    }

    // Closing the window during a run asks; "Keep Shredding" goes on, "Stop and Quit" stops
    // the run and quits the usual way. A quit signal stops it without asking.
    void quittingDuringARunAsksOrStops() {
        store({{"shredWarning", 0}, {"shredMode", 2}});
        const QString question = "A shred is running. Stop it and quit?";
        for (bool fromSignal : {false, true}) {
            QTemporaryDir work;
            makeFolder(work.filePath("tree"), 400, "contents");
            ZurizedeShell shell;
            shell.start();
            QStringList questions;
            int keepAnswers = fromSignal ? 0 : 1;
            QtAlertPanels::setAnswerer([&](QMessageBox& box) {
                questions << box.text();
                return buttonNamed(box, keepAnswers-- > 0 ? "Keep Shredding" : "Stop and Quit");
            });
            shell.openPaths({work.filePath("tree").toStdString()});
            QTRY_VERIFY(shell.window().ui.fileText->text().startsWith('f'));
            if (fromSignal) {
                shell.application().terminate();  // what SIGTERM, SIGHUP and a session end do
            } else {
                QVERIFY(!shell.window().close());
                QVERIFY(shell.isRunning() && !shell.application().hasTerminated());
                QVERIFY(!shell.window().close());
            }
            QTRY_VERIFY(shell.application().hasTerminated());
            QCOMPARE(questions, fromSignal ? QStringList() : QStringList(2, question));
            QVERIFY(QFileInfo::exists(work.filePath("tree")));  // the rest was not shredded
            expectFilesHold(work.filePath("tree"), "contents");
        }
    }

    // The program itself: a file named on the command line is shredded; a second launch in
    // the same session hands its paths over and makes no folder, while another session gets
    // an instance of its own. Quit signals quit the usual way: each instance removes its own
    // folder, saving the frame.
    void launchesHandOverWithinASessionAndQuitSignalsQuitTheUsualWay() {
        store({{"shredWarning", 0}});
        QTemporaryDir run, otherRun, work;
        writeFile(work.filePath("first"), "first");
        writeFile(work.filePath("second"), "second");
        auto launch = [](QProcess& process, const QTemporaryDir& runtime, const QStringList& args) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_RUNTIME_DIR", runtime.path());
            env.insert("QT_QPA_PLATFORM", "offscreen");
            process.setProcessEnvironment(env);
            process.start(ZURIZEDE_WINDOW, args);
        };
        QProcess first, second, other;
        first.setWorkingDirectory(work.path());
        launch(first, run, {"first"});  // relative to where it was started
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(work.filePath("first")), 20000);
        launch(second, run, {work.filePath("second")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(work.filePath("second")), 20000);
        QCOMPARE(privateFolders().size(), 1);
        launch(other, otherRun, {});
        QTRY_COMPARE_WITH_TIMEOUT(privateFolders().size(), 2, 20000);
        const std::tuple<QProcess*, int, int> quits[] = {{&first, SIGTERM, 1}, {&other, SIGHUP, 0}};
        for (const auto& [process, signal, left] : quits) {
            ::kill(process->processId(), signal);
            QVERIFY(process->waitForFinished(20000));
            QCOMPARE(process->exitStatus(), QProcess::NormalExit);
            QCOMPARE(privateFolders().size(), left);  // only its own went
        }
        QSettings settings("ORBA", "Zurizede");
        settings.sync();
        QVERIFY(settings.contains("Main"));
    }
};

int main(int argc, char** argv) {
    // A home of its own: settings, temporary folders and the instance socket.
    QTemporaryDir home;
    QDir(home.path()).mkdir("tmp");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
    qputenv("TMPDIR", QFile::encodeName(home.filePath("tmp")));
    qputenv("QT_QPA_PLATFORM", "offscreen");  // unless "-platform wayland" is given
    QApplication app(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
