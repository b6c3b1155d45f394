// What the window tells the desktop outside itself, on a private session bus watched by
// dbus-monitor: the taskbar entry's progress, and one notification after a long run that
// ended while another window was the active one.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <functional>
#include <thread>

#include "app/gui/ZurizedeShell.h"

namespace {

// A private session bus that lives as long as the dbus-monitor watching it; the notification
// service's name is held on it, so that calls to it reach the bus (and the monitor).
class Bus {
public:
    bool start() {
        for (const char* tool : {"dbus-run-session", "dbus-monitor"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                return false;
        const QString watch =
            "echo \"$DBUS_SESSION_BUS_ADDRESS $$\"; exec dbus-monitor --session "
            "type=signal,interface=com.canonical.Unity.LauncherEntry "
            "type=method_call,interface=org.freedesktop.Notifications";
        monitor_.start("dbus-run-session", {"--", "sh", "-c", watch});
        if (!monitor_.waitForReadyRead(10000))
            return false;
        const QStringList first = QString(monitor_.readLine()).split(' ');
        address_ = first.value(0);
        monitorPid_ = first.value(1).trimmed().toInt();
        if (!QTest::qWaitFor([this] { return seen().contains("member=NameLost"); }, 20000))
            return false;  // never became a monitor
        receiver_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address_, "notifications"));
        return receiver_->registerService("org.freedesktop.Notifications");
    }
    ~Bus() {
        receiver_.reset();
        QDBusConnection::disconnectFromBus("notifications");
        if (monitorPid_ > 0)
            ::kill(monitorPid_, SIGTERM);  // the bus ends with it
        monitor_.waitForFinished(5000);
    }
    const QString& address() const { return address_; }
    // What the monitor printed until now.
    const QString& seen() {
        monitor_.waitForReadyRead(20);
        seen_ += QString::fromUtf8(monitor_.readAllStandardOutput());
        return seen_;
    }
    // Each signal or call the monitor printed, of the member named.
    QStringList messages(const QString& member) {
        QStringList found;
        for (const QString& m : seen().split(QRegularExpression("\n(?=\\S)")))
            if (m.contains("member=" + member))
                found << m;
        return found;
    }

private:
    QProcess monitor_;
    QString address_, seen_;
    int monitorPid_ = 0;
    std::unique_ptr<QDBusConnection> receiver_;
};

Bus* bus = nullptr;

double number(const QString& message, const QString& key) {
    const auto found =
        QRegularExpression("string \"" + key + "\"\\s+variant\\s+\\S+ (\\S+)").match(message);
    return found.captured(1) == "true" ? 1 : found.captured(1).toDouble();
}

// A folder holding one file of the size given, in memory where there is a tmpfs.
QString folderWithFile(const QTemporaryDir& work, qint64 size) {
    QDir(work.path()).mkpath("tree");
    QFile file(work.filePath("tree/file"));
    file.open(QIODevice::WriteOnly);
    file.resize(size);
    return work.filePath("tree");
}

// The window binary, started as a person starts it, shredding the folder given.
void startWindow(QProcess& window, const QString& busAddress, const QString& folder) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DBUS_SESSION_BUS_ADDRESS", busAddress);
    window.setProcessEnvironment(env);
    window.start(ZURIZEDE_WINDOW, {folder});
}

void quit(QProcess& window) {
    ::kill(window.processId(), SIGTERM);
    EXPECT_TRUE(window.waitForFinished(20000));
}

class DesktopSignals : public ::testing::Test {
protected:
    void SetUp() override {
        if (bus == nullptr)
            GTEST_SKIP() << "dbus-run-session and dbus-monitor are needed (Debian: dbus-daemon, "
                            "dbus-bin)";
    }
    // In memory where there is a tmpfs: the runs cost the disk nothing.
    QTemporaryDir work{QDir("/dev/shm").exists() ? "/dev/shm/zurizede-XXXXXX"
                                                 : QDir::tempPath() + "/zurizede-XXXXXX"};
    int clears() {
        const QStringList updates = bus->messages("Update");
        // Whole words only: the monitor's output may have been read halfway through a message.
        static const QRegularExpression hidden(
            "\"progress-visible\"\\s+variant\\s+boolean false\\b");
        return int(std::count_if(updates.begin(), updates.end(),
                                 [](const QString& update) { return update.contains(hidden); }));
    }
};

// Eleven passes over 192 MiB in memory: a run of a few seconds.
TEST_F(DesktopSignals, TheTaskbarEntryFollowsARunAndClearsAtItsEnd) {
    QProcess window;
    QElapsedTimer run;
    run.start();
    startWindow(window, bus->address(), folderWithFile(work, 192 << 20));
    ASSERT_TRUE(QTest::qWaitFor([&] { return clears() == 1; }, 20000));
    const qint64 took = run.elapsed();
    quit(window);
    const QStringList updates = bus->messages("Update");
    ASSERT_GE(updates.size(), 3);
    EXPECT_LE(updates.size(), took / 250 + 2) << "four a second at most";
    double before = 0;
    for (const QString& update : updates) {
        EXPECT_TRUE(update.contains("path=/com/example/Zurizede;") &&
                    update.contains("string \"application://com.example.Zurizede.desktop\""))
            << update.toStdString();
        EXPECT_GE(number(update, "progress"), before);
        before = number(update, "progress");
    }
    const QString& moving = updates[1];
    EXPECT_TRUE(number(moving, "progress") > 0 && number(moving, "progress") < 1 &&
                number(moving, "progress-visible") == 1 && number(moving, "count") == 1 &&
                number(moving, "count-visible") == 1)
        << moving.toStdString();
    EXPECT_EQ(number(updates.last(), "progress"), 1);
    EXPECT_EQ(number(updates.last(), "count-visible"), 0);
    EXPECT_TRUE(bus->messages("Notify").isEmpty()) << "a short run, the window active";
}

// The window's thread is held up for over ten seconds during a run, as on a machine under
// heavy load: the run ends only once the window has shown its account. Of a short run away
// from the window, a long one in it and a long one away, only the last notifies.
TEST_F(DesktopSignals, OnlyALongRunEndedAwayFromTheWindowNotifies) {
    ZurizedeShell shell;
    shell.start();
    bool hold = false;
    QObject::connect(shell.window().ui.dropStack, &QStackedWidget::currentChanged, [&](int page) {
        if (hold && page == 1)  // the run's page: the run has just been handed to its thread
            std::this_thread::sleep_for(std::chrono::milliseconds(10500));
    });
    QWidget elsewhere;
    elsewhere.show();
    for (const auto& [held, away] : {std::pair{false, true}, {true, false}, {true, true}}) {
        QWidget& active = away ? elsewhere : static_cast<QWidget&>(shell.window());
        active.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return active.isActiveWindow(); }, 20000));
        const int cleared = clears();
        hold = held;
        shell.openPaths({folderWithFile(work, 4096).toStdString()});
        ASSERT_TRUE(QTest::qWaitFor([&] { return clears() > cleared; }, 20000));
        ASSERT_EQ(shell.window().isActiveWindow(), !away);
        EXPECT_EQ(bus->messages("Notify").size(), held && away ? 1 : 0)
            << (held ? "a long run " : "a short run ") << (away ? "away" : "in the window");
    }
    QTest::qWait(300);  // nothing more comes
    const QStringList notes = bus->messages("Notify");
    ASSERT_EQ(notes.size(), 1);
    for (const char* part :
         {"string \"ORBA Zurizede\"", "uint32 0", "string \"zurizede\"", "string \"Shred\"",
          "string \"desktop-entry\"", "variant             string \"com.example.Zurizede\""})
        EXPECT_TRUE(notes[0].contains(part)) << part << " in " << notes[0].toStdString();
    const QString status = shell.window().ui.statusText->toolTip();
    EXPECT_TRUE(!status.isEmpty() && notes[0].contains("string \"" + status + "\""));
    shell.application().terminate();
}

// Without a session bus the run goes as ever, at once, and nothing is printed.
TEST(DesktopSignalsWithoutABus, TheRunIsSilent) {
    QTemporaryDir work;
    QProcess window;
    QElapsedTimer run;
    run.start();
    startWindow(window, "unix:path=" + work.filePath("no-bus"), folderWithFile(work, 4096));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(work.filePath("tree")); }, 20000));
    EXPECT_LT(run.elapsed(), 10000);
    quit(window);
    const QString printed = QString::fromUtf8(window.readAllStandardError())
                                .remove("This plugin does not support propagateSizeHints()");
    EXPECT_TRUE(printed.trimmed().isEmpty()) << printed.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
    // A home of its own: settings, private folders, the instance socket.
    QTemporaryDir tests;
    const QString home = tests.path();
    QDir(home).mkdir("tmp");
    for (const auto& [name, value] : {std::pair{"HOME", home},
                                      {"XDG_CONFIG_HOME", home + "/config"},
                                      {"XDG_RUNTIME_DIR", home},
                                      {"TMPDIR", home + "/tmp"},
                                      {"ZURIZEDE_RESOURCE_DIR", QString(ZURIZEDE_RESOURCES)},
                                      {"QT_QPA_PLATFORM", QString("offscreen")}})
        qputenv(name, QFile::encodeName(value));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    QSettings settings("ORBA", "Zurizede");
    settings.setValue("shredWarning", 0);
    settings.setValue("shredMode", 2);
    settings.sync();
    Bus privateBus;
    const bool listing = QCoreApplication::arguments().contains("--gtest_list_tests");
    if (!listing && privateBus.start()) {
        bus = &privateBus;
        // Before anything here asks for the session bus.
        qputenv("DBUS_SESSION_BUS_ADDRESS", privateBus.address().toUtf8());
    }
    return RUN_ALL_TESTS();
}
