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
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <thread>

#include "SingleInstance.h"
#include "ZurizedeShell.h"

namespace {

// Receives what the shell asks the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

QString tmpDir() {
    return QFile::decodeName(qgetenv("TMPDIR"));
}

// The program's private folders; the tests' own temporary folders lie beside them.
QStringList privateFolders() {
    return QDir(tmpDir())
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .filter(QRegularExpression("\\.[0-9]+\\.[A-Za-z0-9]{5}$"));
}

void writeFile(const QString& path, const QByteArray& contents) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contents);
}

QAbstractButton* button(QMessageBox& box, const QString& text) {
    for (QAbstractButton* b : box.buttons()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

std::string native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Settings as another program (or the terminal front end) would store them.
void store(std::initializer_list<std::pair<const char*, int>> values) {
    QSettings settings("ORBA", "Zurizede");
    for (const auto& [key, value] : values) {
        settings.setValue(key, value);
    }
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

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

    UrlCatcher urls;
    QStringList alertsSeen;

    // Every alert is recorded and answered by pressing the button named.
    void answerAlertsWith(const QString& press) {
        QtAlertPanels::setAnswerer([this, press](QMessageBox& box) {
            alertsSeen << box.windowTitle() + ": " + box.text();
            return button(box, press);
        });
    }

private slots:
    void init() {
        QSettings("ORBA", "Zurizede").clear();
        alertsSeen.clear();
        urls.opened.clear();
        qputenv("ZURIZEDE_RESOURCE_DIR", ZURIZEDE_RESOURCES);
        for (const char* scheme : {"file", "mailto", "http"}) {
            QDesktopServices::setUrlHandler(scheme, &urls, "open");
        }
        answerAlertsWith("Proceed");
    }
    void cleanup() {
        for (const char* scheme : {"file", "mailto", "http"}) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
        QtAlertPanels::setAnswerer({});
        QtOpenPanel::setChooser({});
        QVERIFY2(privateFolders().isEmpty(), qPrintable(privateFolders().join(",")));
    }

    // The help is copied once into an owner-only private folder; quitting shreds the copy in
    // the mode of the last run, not in one chosen since, and the frame comes back.
    void thePrivateFolderHoldsTheHelpAndQuitShredsItInTheLastRunsMode() {
        QTemporaryDir work;
        writeFile(work.filePath("doomed"), "secret");
        QSize size;
        {
            ZurizedeShell shell;
            shell.start();
            Ui::MainWindow& ui = shell.window().ui;
            const QStringList folders = privateFolders();
            QCOMPARE(folders.size(), 1);
            const QString expected = QString("^zurizede_window_tests\\.%1\\.[A-Za-z0-9]{5}$")
                                         .arg(QCoreApplication::applicationPid());
            QVERIFY2(QRegularExpression(expected).match(folders[0]).hasMatch(),
                     qPrintable(folders[0]));
            const QString folder = tmpDir() + "/" + folders[0];
            QCOMPARE(QString::fromStdString(*shell.controller().privateTempFolder()), folder);
            struct stat st;
            QCOMPARE(::stat(QFile::encodeName(folder), &st), 0);
            QCOMPARE(st.st_mode & 07777, 0700u);

            // Twice: the same copy opened, copied once.
            const QString copy = folder + "/ORBA Zurizede Readme.pdf";
            ui.actionHelp->trigger();
            struct stat first, second;
            QCOMPARE(::stat(QFile::encodeName(copy), &first), 0);
            ui.actionHelp->trigger();
            QCOMPARE(::stat(QFile::encodeName(copy), &second), 0);
            QCOMPARE(second.st_ino, first.st_ino);
            QCOMPARE(urls.opened, (QList<QUrl>(2, QUrl::fromLocalFile(copy))));
            const int held = ::open(QFile::encodeName(copy), O_RDONLY);
            QVERIFY(held >= 0);
            QByteArray bytes(first.st_size, '\0');
            QCOMPARE(::pread(held, bytes.data(), bytes.size(), 0), (ssize_t)bytes.size());
            QVERIFY(bytes.startsWith("%PDF"));

            ui.actionModeEleven->trigger();
            shell.openPaths({native(work.filePath("doomed"))});
            // The file goes first; the run's last words are drawn when it ends.
            QTRY_COMPARE(ui.statusText->text(), QString("Files have been shredded."));
            QVERIFY(!QFileInfo::exists(work.filePath("doomed")));
            store({{"shredMode", 0}});  // chosen after the run
            shell.window().resize(640, 430);
            size = shell.window().size();
            ui.actionQuit->trigger();
            QVERIFY(shell.application().hasTerminated());
            QVERIFY(!QFileInfo::exists(folder));
            QCOMPARE(::pread(held, bytes.data(), bytes.size(), 0), (ssize_t)bytes.size());
            ::close(held);
            QCOMPARE(bytes, QByteArray(bytes.size(), '\0'));  // the eleventh pass
        }
        ZurizedeShell again;
        again.start();
        QCOMPARE(again.window().size(), size);
        again.window().close();  // closing the window quits
        QVERIFY(again.application().hasTerminated());
    }

    // The registered defaults ask first. The shred thread asks, the window's thread shows the
    // question, names in it as plain text; the account line follows the answer, its details
    // on request, for a tree with a hard link, a fifo and a link. (The exact wording is checked
    // on the controller.)
    void theRegisteredDefaultsAskNamingTheSelectionAndTheAccountFollows() {
        QTemporaryDir work;
        QDir(work.path()).mkpath("kept");
        writeFile(work.filePath("kept/<b>bold"), "kept");
        writeFile(work.filePath("elsewhere"), "other name");
        QCOMPARE(::link(QFile::encodeName(work.filePath("elsewhere")),
                        QFile::encodeName(work.filePath("kept/linked"))),
                 0);
        QCOMPARE(::mkfifo(QFile::encodeName(work.filePath("kept/fifo")), 0600), 0);
        QCOMPARE(::symlink("..", QFile::encodeName(work.filePath("kept/up"))), 0);
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        QVERIFY(ui.actionAskConfirmation->isChecked());
        QVERIFY(ui.actionModeRandom->isChecked());
        QVERIFY(!ui.actionVerifyLastPass->isChecked());
        bool onWindowThread = false;
        QString details;
        QtAlertPanels::setAnswerer([&](QMessageBox& box) {
            alertsSeen << box.text();
            details = box.informativeText();
            auto* label = box.findChild<QLabel*>("qt_msgbox_informativelabel");
            if (label == nullptr || label->textFormat() != Qt::PlainText) {
                details.clear();  // a name holding markup would be shown as another name
            }
            onWindowThread = QThread::currentThread() == qApp->thread();
            return button(box, "Cancel");
        });
        shell.openPaths({native(work.filePath("kept"))});
        QTRY_COMPARE(alertsSeen.size(), 1);
        QVERIFY(onWindowThread);
        QVERIFY2(details.startsWith("What: the folder " + work.filePath("kept") + " with ") &&
                     details.contains("<b>bold") && details.contains("\nHow much: ") &&
                     details.contains("\n1 file also has names outside the selection: ") &&
                     details.contains("\n1 symbolic link is removed") &&
                     details.contains("\n1 special file (device, pipe or socket) is removed"),
                 qPrintable(details));
        QTRY_COMPARE(ui.statusText->text(),
                     QString("No files were touched - shredding cancelled."));
        QTRY_COMPARE(ui.accountText->text(), QString("Nothing was touched."));
        QVERIFY(QFileInfo::exists(work.filePath("kept/<b>bold")));

        answerAlertsWith("Proceed");
        shell.openPaths({native(work.filePath("kept"))});
        QTRY_VERIFY(ui.accountText->text().startsWith("1 file overwritten (4 bytes, "));
        QVERIFY(ui.accountText->text().contains("1 name removed, contents still on the disk"));
        QVERIFY(ui.accountDetails->isEnabled());
        QtAlertPanels::setAnswerer([&](QMessageBox& box) {
            details = box.informativeText();
            return box.buttons().at(0);
        });
        ui.accountDetails->click();
        QVERIFY2(details.contains("Removed, but its contents stay on the disk under another name "
                                  "(hard link): " +
                                  work.filePath("kept/linked")),
                 qPrintable(details));
        shell.application().terminate();
    }

    // What a newcomer sees first: the drop area's buttons run the panels; the settings are
    // said in words and open their menu, which writes them and shows them as stored when it
    // opens; every field can be reached and named.
    void theIdleWindowExplainsItselfAndEveryFieldCanBeReached() {
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        QCOMPARE(ui.dropStack->currentWidget(), ui.idlePage);
        QStringList panels;
        QtOpenPanel::setChooser([&](QFileDialog& panel) {
            panels << panel.windowTitle();
            panel.reject();
        });
        ui.chooseFilesButton->click();
        QTRY_COMPARE(panels.size(), 1);
        QTRY_VERIFY(ui.chooseFolderButton->isEnabled());
        ui.chooseFolderButton->click();
        QTRY_COMPARE(panels, (QStringList{"Shred File", "Shred Folder & Contents"}));

        QCOMPARE(ui.settingsLine->text(),
                 QString("1 pass of random bytes · asks before shredding · not logged"));
        QCOMPARE(ui.settingsLine->menu(), ui.menuSettings);
        ui.actionModeEleven->trigger();
        ui.actionAskConfirmation->trigger();  // on by default: now off
        ui.actionLogShreds->trigger();
        ui.actionVerifyLastPass->trigger();
        QCOMPARE(ui.settingsLine->text(),
                 QString("11 passes · shreds without asking · logged · verifies the last pass"));
        QVERIFY(!ui.actionModeRandom->isChecked() && !ui.actionModeFour->isChecked());
        QSettings settings("ORBA", "Zurizede");
        settings.sync();
        QCOMPARE(settings.value("shredMode").toInt(), 2);
        QCOMPARE(settings.value("shredWarning").toInt(), 0);
        QCOMPARE(settings.value("shredLogging").toInt(), 1);
        QCOMPARE(settings.value("shredVerify").toInt(), 1);
        // Changed elsewhere (the terminal front end, another session): shown when opened.
        store({{"shredMode", 1}, {"shredWarning", 1}});
        emit ui.menuSettings->aboutToShow();
        QVERIFY(ui.actionModeFour->isChecked() && !ui.actionModeEleven->isChecked());
        QVERIFY(ui.actionAskConfirmation->isChecked());
        QVERIFY(ui.settingsLine->text().startsWith("4 passes · asks before shredding"));

        QList<QLineEdit*> fields = shell.window().findChildren<QLineEdit*>();
        QCOMPARE(fields.size(), 9);
        for (QLabel* label : shell.window().findChildren<QLabel*>()) {
            if (auto* field = qobject_cast<QLineEdit*>(label->buddy())) {
                fields.removeOne(field);
                QVERIFY(!field->accessibleName().isEmpty());
            }
        }
        QVERIFY2(fields.size() == 3, "only the three Left to shred fields share a label");
        shell.window().show();
        shell.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shell.window()));
        ui.chooseFilesButton->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < 20; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            reached << QApplication::focusWidget();
        }
        for (QLineEdit* field : shell.window().findChildren<QLineEdit*>()) {
            QVERIFY2(reached.contains(field) && field->isReadOnly(),
                     qPrintable(field->objectName()));
        }
        shell.application().terminate();
    }

    // A long path is shortened in the middle, whole in the tooltip; at the smallest size the
    // window allows, every field still shows a whole line of text.
    void pathsAreShortenedInTheMiddleAndTheLayoutHoldsAtItsMinimum() {
        QTemporaryDir work;
        const QString deep = work.filePath(QString("a-rather-long-folder-name/").repeated(8));
        QVERIFY(QDir().mkpath(deep));
        writeFile(deep + "kept", "kept");
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        shell.window().show();
        shell.window().resize(1, 1);  // as small as the window lets itself be made
        answerAlertsWith("Cancel");
        shell.openPaths({native(deep + "kept")});
        QTRY_COMPARE(alertsSeen.size(), 1);
        QTRY_VERIFY(!shell.isRunning());
        const QString folder = QDir::cleanPath(deep);
        QCOMPARE(ui.folderText->toolTip(), folder);
        QVERIFY2(ui.folderText->text().contains(QChar(0x2026)), qPrintable(ui.folderText->text()));
        QVERIFY(ui.folderText->text().startsWith(folder.left(4)));
        QVERIFY(ui.folderText->text().endsWith("name"));
        QTRY_VERIFY(ui.totalBytes->text().startsWith("4 bytes"));
        for (QLineEdit* field : shell.window().findChildren<QLineEdit*>()) {
            QVERIFY2(field->contentsRect().height() >= field->fontMetrics().height(),
                     qPrintable(field->objectName()));
            QVERIFY2(field->isVisible() && field->width() > field->fontMetrics().height(),
                     qPrintable(field->objectName()));
        }
        QVERIFY(ui.settingsLine->isVisible());
        QVERIFY(ui.chooseFolderButton->width() >= ui.chooseFolderButton->minimumSizeHint().width());
        shell.application().terminate();
    }

    // Without a private folder to copy the help into, Help still starts the user's document
    // viewer, with nothing open.
    void helpWithoutAPrivateFolderStartsTheViewerEmpty() {
        if (QStandardPaths::findExecutable("xdg-mime").isEmpty()) {
            QSKIP("xdg-mime (xdg-utils) is not installed");
        }
        QTemporaryDir desktop;
        const QString marker = desktop.filePath("viewer-started");
        const QString viewer = desktop.filePath("viewer");
        writeFile(viewer, ("#!/bin/sh\necho \"$#\" > '" + marker + "'\n").toUtf8());
        QFile(viewer).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(QDir().mkpath(desktop.filePath("data/applications")));
        QVERIFY(QDir().mkpath(desktop.filePath("config")));
        writeFile(
            desktop.filePath("data/applications/test-viewer.desktop"),
            ("[Desktop Entry]\nType=Application\nName=Viewer\nExec=" + viewer + " %f\n").toUtf8());
        writeFile(desktop.filePath("config/mimeapps.list"),
                  "[Default Applications]\napplication/pdf=test-viewer.desktop\n");
        const QHash<QByteArray, QByteArray> changed = {
            {"XDG_DATA_HOME", QFile::encodeName(desktop.filePath("data"))},
            {"XDG_DATA_DIRS", QFile::encodeName(desktop.filePath("data"))},
            {"XDG_CONFIG_HOME", QFile::encodeName(desktop.filePath("config"))},
            {"XDG_CURRENT_DESKTOP", "X-Generic"},
            {"TMPDIR", QFile::encodeName(desktop.filePath("missing"))}};
        QHash<QByteArray, QByteArray> before;
        for (auto it = changed.begin(); it != changed.end(); ++it) {
            before[it.key()] = qgetenv(it.key());
            qputenv(it.key(), it.value());
        }
        {
            ZurizedeShell shell;
            shell.start();
            QVERIFY(!shell.controller().privateTempFolder());
            shell.window().ui.actionHelp->trigger();
            QTRY_VERIFY(QFile::exists(marker));
            QFile started(marker);
            QVERIFY(started.open(QIODevice::ReadOnly));
            QCOMPARE(started.readAll().trimmed(), QByteArray("0"));  // no document given
            QVERIFY(urls.opened.isEmpty());
            shell.application().terminate();
        }
        for (auto it = before.begin(); it != before.end(); ++it) {
            it.value().isEmpty() ? qunsetenv(it.key()) : qputenv(it.key(), it.value());
        }
    }

    // The support links open in the user's applications. The disk tool is started, and the
    // program quits, only when its alert is answered so; Cancel changes nothing.
    void theLinksOpenAndTheDiskToolStartsOnlyWhenAsked() {
        QTemporaryDir bin;
        const QString marker = bin.filePath("launched");
        writeFile(bin.filePath("gnome-disks"),
                  ("#!/bin/sh\n/usr/bin/touch '" + marker + "'\n").toUtf8());
        QFile::setPermissions(bin.filePath("gnome-disks"), QFile::ReadOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin.path()));
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        ui.actionSupportMail->trigger();
        ui.actionWebSite->trigger();
        QCOMPARE(urls.opened.size(), 2);
        QCOMPARE(urls.opened[0].scheme(), QString("mailto"));
        QCOMPARE(QUrlQuery(urls.opened[0]).queryItemValue("subject", QUrl::FullyDecoded),
                 QString("Can you help with VARUdivezovu?"));
        QVERIFY(urls.opened[0].path().endsWith(".example.com"));
        QCOMPARE(urls.opened[1].scheme(), QString("http"));
        QVERIFY(urls.opened[1].host().endsWith("example.com"));

        answerAlertsWith("Cancel");
        ui.actionDiskUtility->trigger();
        QTRY_COMPARE(alertsSeen.size(), 1);
        QTRY_VERIFY(!shell.isRunning());
        QVERIFY(alertsSeen[0].startsWith("Apple Format Utility: This function will launch"));
        QVERIFY(!shell.application().hasTerminated());
        QCOMPARE(privateFolders().size(), 1);
        QCOMPARE(ui.statusText->text(), QString());
        answerAlertsWith("Launch Disk Utility");
        QTRY_VERIFY(ui.actionDiskUtility->isEnabled());
        ui.actionDiskUtility->trigger();
        QTRY_VERIFY(shell.application().hasTerminated());
        qputenv("PATH", path);
        QTRY_VERIFY(QFileInfo::exists(marker));
    }

    // A run happens on the shred thread: the window moves its bar during one large file,
    // takes a drop and keeps it waiting, disables what would start another run, and stops
    // when Stop is pressed, with the alert shown on the window's thread.
    void aRunLeavesTheWindowFreeAndStopEndsIt() {
        store({{"shredWarning", 0}, {"shredMode", 2}});
        QTemporaryDir work;
        QDir(work.path()).mkpath("first");
        QDir(work.path()).mkpath("second");
        writeFile(work.filePath("first/big"), QByteArray(64 << 20, 'x'));
        for (int i = 0; i < 20; ++i) {
            writeFile(work.filePath("first/f%1").arg(i), "small");
        }
        writeFile(work.filePath("second/s"), "second");
        ZurizedeShell shell;
        shell.start();
        Ui::MainWindow& ui = shell.window().ui;
        QVERIFY(!ui.actionStop->isEnabled() && !ui.stopButton->isEnabled());
        QtAlertPanels::setAnswerer([&](QMessageBox& box) {
            alertsSeen << box.windowTitle() + ": " + box.text();
            return box.buttons().at(0);
        });
        QList<int> barValues;
        connect(ui.progress, &QProgressBar::valueChanged, this,
                [&](int value) { barValues << value; });

        shell.openPaths({native(work.filePath("first"))});
        // On the big file's second pass: its first one has reached the disk.
        QTRY_VERIFY_WITH_TIMEOUT(
            QRegularExpression("^Pass ([2-9]|1[01]) of 11").match(ui.statusText->text()).hasMatch(),
            60000);
        QVERIFY(shell.isRunning());
        QVERIFY(ui.actionStop->isEnabled() && ui.stopButton->isEnabled());
        QCOMPARE(ui.dropStack->currentWidget(), ui.runPage);  // the run in the drop area's place
        QVERIFY(ui.progress->isVisible() && ui.stopButton->isVisible());
        for (QAction* action : {ui.actionShredFile, ui.actionShredFolder, ui.actionDiskUtility}) {
            QVERIFY2(!action->isEnabled(), qPrintable(action->objectName()));
        }
        QVERIFY(ui.actionHelp->isEnabled() && ui.actionModeFour->isEnabled());
        shell.openPaths({native(work.filePath("second"))});
        QCOMPARE(shell.waitingPaths(), 1u);
        ui.stopButton->click();

        QTRY_VERIFY(!QFileInfo::exists(work.filePath("second")));           // ran after the first
        QVERIFY2(alertsSeen.isEmpty(), qPrintable(alertsSeen.join("\n")));  // Stop asks nothing
        QVERIFY2(!QFileInfo::exists(work.filePath("first/big")),            // a whole pass went
                 qPrintable(ui.statusText->text()));
        QVERIFY(QFileInfo::exists(work.filePath("first")));
        expectFilesHold(work.filePath("first"), "small");
        QVERIFY(std::any_of(barValues.begin(), barValues.end(),
                            [](int v) { return v > 0 && v < QtProgressIndicator::kSteps; }));
        QTRY_VERIFY(!shell.isRunning());
        QVERIFY(ui.actionShredFile->isEnabled() && !ui.actionStop->isEnabled());
        shell.application().terminate();
    }

    // Closing the window during a run asks; "Keep Shredding" goes on, "Stop and Quit" stops
    // the run and quits the usual way. A quit signal stops it without asking.
    void quittingDuringARunAsksOrStops() {
        store({{"shredWarning", 0}, {"shredMode", 2}});
        for (bool fromSignal : {false, true}) {
            QTemporaryDir work;
            QDir(work.path()).mkdir("tree");
            for (int i = 0; i < 400; ++i) {
                writeFile(work.filePath("tree/f%1").arg(i), "contents");
            }
            ZurizedeShell shell;
            shell.start();
            QStringList questions;
            int keepAnswers = fromSignal ? 0 : 1;
            QtAlertPanels::setAnswerer([&](QMessageBox& box) {
                questions << box.text();
                if (box.text() != "A shred is running. Stop it and quit?") {
                    return box.buttons().at(0);
                }
                return button(box, keepAnswers-- > 0 ? "Keep Shredding" : "Stop and Quit");
            });
            shell.openPaths({native(work.filePath("tree"))});
            QTRY_VERIFY(shell.window().ui.fileText->text().startsWith('f'));
            if (fromSignal) {
                shell.application().terminate();  // what SIGTERM, SIGHUP and a session end do
            } else {
                QVERIFY(!shell.window().close());
                QVERIFY(shell.isRunning());
                QVERIFY(!shell.application().hasTerminated());
                QVERIFY(!shell.window().close());
            }
            QTRY_VERIFY(shell.application().hasTerminated());
            QCOMPARE(questions.count("A shred is running. Stop it and quit?"), fromSignal ? 0 : 2);
            QVERIFY(QFileInfo::exists(work.filePath("tree")));  // the rest was not shredded
            expectFilesHold(work.filePath("tree"), "contents");
            QVERIFY(privateFolders().isEmpty());
        }
    }

    // A launch hands its paths to the running window only if that window takes them; one
    // that is quitting refuses, and the launch then knows to open a window of its own.
    void aHandOverIsAnsweredAndAQuittingInstanceRefusesIt() {
        QTemporaryDir run;
        const QString socket = run.filePath("instance.socket");
        for (bool taking : {true, false}) {
            SingleInstance running(socket);
            std::vector<std::string> arrived;
            QVERIFY(running.listen([&](const std::vector<std::string>& paths) {
                arrived = paths;
                return taking;
            }));
            std::atomic<int> handed{-1};
            std::thread later([&] { handed = SingleInstance(socket).handOver({"/a", "/b c"}); });
            QTRY_VERIFY(handed != -1);
            later.join();
            QCOMPARE(handed.load(), taking ? 1 : 0);
            QCOMPARE(arrived, (std::vector<std::string>{"/a", "/b c"}));
        }
    }

    // ---- the program itself ------------------------------------------------------------

    // A file named on the command line is shredded; a second launch in the same session hands
    // its paths over and makes no folder, while another session gets an instance of its own.
    // Quit signals quit the usual way: each instance removes its own folder, saving the frame.
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
        const QStringList folders = privateFolders();
        QVERIFY2(folders[0].split('.')[1] != folders[1].split('.')[1],
                 qPrintable(folders.join(",")));  // each its own process id
        ::kill(first.processId(), SIGTERM);
        QVERIFY(first.waitForFinished(20000));
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QCOMPARE(privateFolders().size(), 1);  // only its own went
        ::kill(other.processId(), SIGHUP);
        QVERIFY(other.waitForFinished(20000));
        QCOMPARE(other.exitStatus(), QProcess::NormalExit);
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowTest.moc"
