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
#include <QScreen>
#include <QSet>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QByteArray& contents) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contents);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// The X window whose title begins with `title`, or 0.
WId windowTitled(const QString& title) {
    QProcess tree;
    tree.start("xwininfo", {"-root", "-tree"});
    tree.waitForFinished(5000);
    const QRegularExpression line("(0x[0-9a-f]+) \"" + QRegularExpression::escape(title));
    const auto found = line.match(QString::fromUtf8(tree.readAllStandardOutput()));
    return found.hasMatch() ? found.captured(1).toULong(nullptr, 16) : 0;
}

WId waitForWindow(const QString& title) {
    QElapsedTimer clock;
    clock.start();
    WId window = 0;
    while ((window = windowTitled(title)) == 0 && clock.elapsed() < 20000) {
        QTest::qWait(50);
    }
    return window;
}

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return int(colours.size());
}

}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QProcess window;

    QString tmp() const { return home.filePath("tmp"); }
    QStringList privateFolders() const {
        return QDir(tmp())
            .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
            .filter(QRegularExpression("^zurizede\\.[0-9]+\\.[A-Za-z0-9]{5}$"));
    }
    void store(const char* key, int value) {
        QSettings settings(home.filePath("config/ORBA/Zurizede.conf"), QSettings::IniFormat);
        settings.setValue(key, value);
    }
    // The window, started as a person starts it, with a home of its own.
    void launch(const QString& path) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home.path());
        env.insert("XDG_CONFIG_HOME", home.filePath("config"));
        env.insert("XDG_RUNTIME_DIR", home.path());
        env.insert("TMPDIR", tmp());
        env.insert("ZURIZEDE_RESOURCE_DIR", ZURIZEDE_RESOURCES);
        window.setProcessEnvironment(env);
        window.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        window.start(ZURIZEDE_WINDOW, {path});
        QVERIFY(window.waitForStarted());
    }
    // The signal ends the program the usual way within 2 s, its private folder gone.
    void expectQuitOn(int signal) {
        QVERIFY2(!privateFolders().isEmpty(), "the window made no private folder");
        ::kill(window.processId(), signal);
        QVERIFY2(window.waitForFinished(2000), "still running 2 s after the signal");
        QCOMPARE(window.exitStatus(), QProcess::NormalExit);
        QVERIFY2(privateFolders().isEmpty(), qPrintable(privateFolders().join(",")));
    }

private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != "xcb") {
            QSKIP("needs an X server: run through on_x_server.sh");
        }
        QVERIFY(QDir(home.path()).mkpath("tmp"));
    }
    void cleanup() {
        if (window.state() != QProcess::NotRunning) {
            window.kill();
            window.waitForFinished();
        }
        QFile::remove(home.filePath("config/ORBA/Zurizede.conf"));
    }

    void theConfirmationIsDrawnAndAQuitSignalEndsTheRun_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void theConfirmationIsDrawnAndAQuitSignalEndsTheRun() {
        QFETCH(int, signal);
        QTemporaryDir work;
        QVERIFY(QDir(work.path()).mkpath("tree/sub"));
        writeFile(work.filePath("tree/a"), "alpha");
        writeFile(work.filePath("tree/sub/b"), "beta");
        launch(work.filePath("tree"));  // the registered defaults ask first
        const WId confirmation = waitForWindow("Shred Alert");
        QVERIFY2(confirmation != 0, "no confirmation appeared");

        // Its pixels, read back from the X server: drawn text, not a black or blank box.
        QImage shown;
        QTRY_VERIFY_WITH_TIMEOUT(
            distinctColours(
                shown = QGuiApplication::primaryScreen()->grabWindow(confirmation).toImage()) >= 24,
            5000);
        QVERIFY2(shown.width() > 200 && shown.height() > 100,
                 qPrintable(QString("%1x%2").arg(shown.width()).arg(shown.height())));
        if (const QByteArray keep = qgetenv("ZURIZEDE_SCREENSHOTS"); !keep.isEmpty()) {
            shown.save(QDir(QString::fromLocal8Bit(keep)).filePath("confirmation.png"));
        }

        expectQuitOn(signal);
        QCOMPARE(readFile(work.filePath("tree/a")), QByteArray("alpha"));
        QCOMPARE(readFile(work.filePath("tree/sub/b")), QByteArray("beta"));
    }

    void aSignalEndsTheRunWhileARemovalErrorIsShown() {
        store("shredWarning", 0);
        QTemporaryDir work;
        QVERIFY(QDir(work.path()).mkpath("tree/locked"));
        writeFile(work.filePath("tree/locked/kept"), "kept");
        // A folder whose entries may not be removed: the walk stops on it and says why.
        const bool root = ::geteuid() == 0;
        if (root && QProcess::execute("chattr", {"+i", work.filePath("tree/locked")}) != 0) {
            QSKIP("chattr +i is refused on this file system");
        }
        if (!root) {
            QFile::setPermissions(work.filePath("tree/locked"), QFile::ReadOwner | QFile::ExeOwner);
        }
        launch(work.filePath("tree"));
        const bool shown = waitForWindow("File System Alert") != 0;
        expectQuitOn(SIGTERM);
        if (root) {
            QProcess::execute("chattr", {"-i", work.filePath("tree/locked")});
        } else {
            QFile::setPermissions(work.filePath("tree/locked"),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QVERIFY2(shown, "no removal error appeared");
        QCOMPARE(readFile(work.filePath("tree/locked/kept")), QByteArray("kept"));
    }
};

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DesktopTest.moc"
