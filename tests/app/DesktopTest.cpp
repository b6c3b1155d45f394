// The real window on a real X server with a window manager (run by on_x_server.sh): what the
// offscreen platform cannot show. A dialog is drawn, and a quit signal ends the program while
// a run waits for an answer to one of its alerts.

#include <signal.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "TempDir.h"

namespace {

// The X window whose title begins with `title`, waited for up to 20 s; 0 if none came.
WId waitForWindow(const QString& title) {
    const QRegularExpression line("(0x[0-9a-f]+) \"" + QRegularExpression::escape(title));
    QElapsedTimer clock;
    clock.start();
    do {
        QProcess tree;
        tree.start("xwininfo", {"-root", "-tree"});
        tree.waitForFinished(5000);
        const auto found = line.match(QString::fromUtf8(tree.readAllStandardOutput()));
        if (found.hasMatch())
            return found.captured(1).toULong(nullptr, 16);
        QTest::qWait(50);
    } while (clock.elapsed() < 20000);
    return 0;
}

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int i = 0; i < image.width() * image.height(); ++i)
        colours.insert(image.pixel(i % image.width(), i / image.width()));
    return int(colours.size());
}

// A folder whose entries may not be removed: the walk stops on it and says why.
bool lock(const QString& folder, bool on) {
    if (::geteuid() == 0)
        return QProcess::execute("chattr", {on ? "+i" : "-i", folder}) == 0;
    const auto write = on ? QFile::Permissions() : QFile::WriteOwner;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | write);
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QProcess window;

    QStringList privateFolders() const {
        return QDir(home.filePath("tmp"))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
            .filter(QRegularExpression("^zurizede\\.[0-9]+\\.[A-Za-z0-9]{5}$"));
    }

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs an X server: run through on_x_server.sh");
        QVERIFY(QDir(home.path()).mkpath("tmp"));
    }
    void cleanup() {
        if (window.state() != QProcess::NotRunning) {
            window.kill();
            window.waitForFinished();
        }
        QFile::remove(home.filePath("config/ORBA/Zurizede.conf"));
    }

    // The registered defaults ask first; without asking, the locked folder stops the walk
    // with a removal error.
    void aQuitSignalEndsTheRunWhileItsAlertIsShown_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<QString>("alert");
        QTest::newRow("SIGTERM, confirmation") << SIGTERM << "Shred Alert";
        QTest::newRow("SIGINT, confirmation") << SIGINT << "Shred Alert";
        QTest::newRow("SIGHUP, confirmation") << SIGHUP << "Shred Alert";
        QTest::newRow("SIGTERM, removal error") << SIGTERM << "File System Alert";
    }
    void aQuitSignalEndsTheRunWhileItsAlertIsShown() {
        QFETCH(int, signal);
        QFETCH(QString, alert);
        const bool confirming = alert == "Shred Alert";
        QTemporaryDir work;
        QVERIFY(QDir(work.path()).mkpath("tree/locked"));
        writeFile(work.filePath("tree/a").toStdString(), "alpha");
        writeFile(work.filePath("tree/locked/kept").toStdString(), "kept");
        const QString locked = work.filePath("tree/locked");
        const auto unlock = qScopeGuard([&] { lock(locked, false); });  // before work goes
        if (!confirming) {
            QSettings(home.filePath("config/ORBA/Zurizede.conf"), QSettings::IniFormat)
                .setValue("shredWarning", 0);
            if (!lock(locked, true))
                QSKIP("the folder cannot be locked on this file system");
        }
        // The window, started as a person starts it, with a home of its own.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home.path());
        env.insert("TMPDIR", home.filePath("tmp"));
        env.insert("ZURIZEDE_RESOURCE_DIR", ZURIZEDE_RESOURCES);
        window.setProcessEnvironment(env);
        window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        window.start(ZURIZEDE_WINDOW, {work.filePath("tree")});
        const WId shown = waitForWindow(alert);
        QVERIFY2(shown != 0, qPrintable(alert + " did not appear"));

        // Its pixels, read back from the X server: drawn text, not a black or blank box.
        QImage image;
        QTRY_VERIFY_WITH_TIMEOUT(
            distinctColours(
                image = QGuiApplication::primaryScreen()->grabWindow(shown).toImage()) >= 24,
            5000);

        // The signal ends the program the usual way within 2 s, its private folder gone.
        QVERIFY2(!privateFolders().isEmpty(), "the window made no private folder");
        ::kill(window.processId(), signal);
        QVERIFY2(window.waitForFinished(2000), "still running 2 s after the signal");
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QVERIFY2(privateFolders().isEmpty(), qPrintable(privateFolders().join(",")));
        QVERIFY(readFile((locked + "/kept").toStdString()) == "kept");
        QVERIFY(!confirming || readFile(work.filePath("tree/a").toStdString()) == "alpha");
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopTest.moc"
