// The real window on a real display: an X server with a window manager (run by
// on_x_server.sh) or a Wayland compositor (run by on_wayland.sh), for what the offscreen
// platform cannot show. A dialog is drawn, a quit signal ends the program while a run waits
// for an answer to one of its alerts, a second launch hands its paths over (the window raised
// and activated on the display), and the window's size outlives a restart.

#include <signal.h>
#include <unistd.h>

#include <algorithm>

#include <QDataStream>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "TempDir.h"

namespace {

bool onWayland() {
    return QGuiApplication::platformName() == "wayland";
}

QString run(const QString& program, const QStringList& arguments, const QString& folder = {}) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A window as the display shows it: an X window, or the place where the compositor shows
// one, read from weston's scene graph (on_wayland.sh starts weston with --debug).
struct Shown {
    WId x11 = 0;
    QRect place;
    bool found() const { return x11 != 0 || !place.isEmpty(); }
    // Its pixels, read back from the X server or from a screenshot of the compositor's output.
    QImage pixels() const {
        if (!onWayland())
            return QGuiApplication::primaryScreen()->grabWindow(x11).toImage();
        QTemporaryDir shots;
        run("weston-screenshooter", {}, shots.path());
        const QStringList taken = QDir(shots.path()).entryList({"*.png"});
        return taken.isEmpty() ? QImage() : QImage(shots.filePath(taken[0])).copy(place);
    }
};

Shown findWindow(const QString& title) {
    const QString name = QRegularExpression::escape(title);
    if (!onWayland()) {
        const auto found = QRegularExpression("(0x[0-9a-f]+) \"" + name)
                               .match(run("xwininfo", {"-root", "-tree"}));
        return {found.hasMatch() ? found.captured(1).toULong(nullptr, 16) : 0, {}};
    }
    // "top-level window 'Shred Alert — ORBA Zurizede' of ...", its place with the shadow,
    // then the opaque part: the window itself.
    const auto found = QRegularExpression("top-level window '" + name +
                                          ".*\n.*\n\\s*\\[opaque: \\((\\d+), (\\d+)\\) -> "
                                          "\\((\\d+), (\\d+)\\)")
                           .match(run("weston-debug", {"scene-graph"}));
    if (!found.hasMatch())
        return {};
    const auto at = [&](int i) { return found.captured(i).toInt(); };
    return {0, QRect(QPoint(at(1), at(2)), QPoint(at(3) - 1, at(4) - 1))};
}

// The window whose title begins with `title`, waited for up to 20 s.
Shown waitForWindow(const QString& title) {
    Shown shown;
    return QTest::qWaitFor([&] { return (shown = findWindow(title)).found(); }, 20000) ? shown
                                                                                       : Shown{};
}

// Drawn text on a background of its own: many colours, one of them over half the picture.
// Not a black or blank box, nor weston's desktop pattern (a third in one colour) showing
// where nothing was drawn.
bool painted(const QImage& image) {
    QHash<QRgb, int> counts;
    int most = 0;
    for (int i = 0; i < image.width() * image.height(); ++i)
        most = std::max(most, ++counts[image.pixel(i % image.width(), i / image.width())]);
    return counts.size() >= 24 && most * 2 >= image.width() * image.height();
}

// A folder whose entries may not be removed: the walk stops on it and says why.
bool lock(const QString& folder, bool on) {
    if (::geteuid() == 0)
        return QProcess::execute("chattr", {on ? "+i" : "-i", folder}) == 0;
    const auto write = on ? QFile::Permissions() : QFile::WriteOwner;
    return QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | write);
}

// What QWidget::saveGeometry writes (version 3), for a window at `normal` on screen 0.
QByteArray geometryRecord(const QRect& normal, int screenWidth) {
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_4_0);
    out << quint32(0x1D9D0CB) << quint16(3) << quint16(0) << normal << normal << qint32(0)
        << quint8(0) << quint8(0) << qint32(screenWidth) << normal;
    return record;
}

QSize recordedSize(const QByteArray& record) {
    QDataStream in(record);
    in.setVersion(QDataStream::Qt_4_0);
    quint32 magic;
    quint16 major, minor;
    QRect frame, normal;
    in >> magic >> major >> minor >> frame >> normal;
    return normal.size();
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QProcess window;
    QProcess second;

    QStringList privateFolders() const {
        return QDir(home.filePath("tmp"))
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
            .filter(QRegularExpression("^zurizede\\.[0-9]+\\.[A-Za-z0-9]{5}$"));
    }
    QSettings settings() const {
        return QSettings(home.filePath("config/ORBA/Zurizede.conf"), QSettings::IniFormat);
    }
    // The window, started as a person starts it, with a home of its own.
    void launch(QProcess& process, const QStringList& paths) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home.path());
        env.insert("TMPDIR", home.filePath("tmp"));
        env.insert("ZURIZEDE_RESOURCE_DIR", ZURIZEDE_RESOURCES);
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(ZURIZEDE_WINDOW, paths);
    }

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb" && !onWayland())
            QSKIP("needs a display: run through on_x_server.sh or on_wayland.sh");
        QVERIFY(QDir(home.path()).mkpath("tmp"));
    }
    void cleanup() {
        for (QProcess* process : {&window, &second}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
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
            settings().setValue("shredWarning", 0);
            if (!lock(locked, true))
                QSKIP("the folder cannot be locked on this file system");
        }
        launch(window, {work.filePath("tree")});
        const Shown shown = waitForWindow(alert);
        QVERIFY2(shown.found(), qPrintable(alert + " did not appear"));
        QTRY_VERIFY_WITH_TIMEOUT(painted(shown.pixels()), 5000);

        // The signal ends the program the usual way within 2 s, its private folder gone.
        QVERIFY2(!privateFolders().isEmpty(), "the window made no private folder");
        ::kill(window.processId(), signal);
        QVERIFY2(window.waitForFinished(2000), "still running 2 s after the signal");
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QVERIFY2(privateFolders().isEmpty(), qPrintable(privateFolders().join(",")));
        QVERIFY(readFile((locked + "/kept").toStdString()) == "kept");
        QVERIFY(!confirming || readFile(work.filePath("tree/a").toStdString()) == "alpha");
    }

    // A second launch hands its paths to the window already shown, makes no folder of its
    // own and ends; the window shreds them.
    void aSecondLaunchHandsItsPathsToTheRunningWindow() {
        settings().setValue("shredWarning", 0);
        QTemporaryDir work;
        writeFile(work.filePath("a").toStdString(), "alpha");
        launch(window, {});
        QVERIFY(waitForWindow("ORBA Zurizede").found());
        launch(second, {work.filePath("a")});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(work.filePath("a")), 20000);
        QCOMPARE(privateFolders().size(), 1);
        QCOMPARE(window.state(), QProcess::Running);
    }

    // The size comes back after a restart, with or without a position the display may use;
    // saved on a much wider screen, Qt refuses the record and the size alone comes back.
    void theSizeIsKeptAcrossARestart_data() {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<int>("widthFactor");
        QTest::newRow("saved here") << QPoint(40, 60) << 1;
        QTest::newRow("saved far off this screen") << QPoint(5000, 4000) << 1;
        QTest::newRow("saved on a screen twice as wide") << QPoint(1800, 60) << 2;
    }
    void theSizeIsKeptAcrossARestart() {
        QFETCH(QPoint, position);
        QFETCH(int, widthFactor);
        const QSize size(720, 560);
        const int width = QGuiApplication::primaryScreen()->geometry().width() * widthFactor;
        settings().setValue("Main", geometryRecord(QRect(position, size), width));
        launch(window, {});
        QVERIFY(waitForWindow("ORBA Zurizede").found());
        ::kill(window.processId(), SIGTERM);
        QVERIFY(window.waitForFinished(5000));
        QCOMPARE(recordedSize(settings().value("Main").toByteArray()), size);
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopTest.moc"
