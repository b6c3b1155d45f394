#include "platform/qt/QtShell.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDataStream>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRect>
#include <QScreen>
#include <QSettings>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <QWidget>

#include "base/UniqueFd.h"
#include "platform/qt/QtCoreServices.h"

namespace {

// The self-pipe a quit signal writes a byte to, for the event loop to read.
UniqueFd signalReader;
UniqueFd signalWriter;

void onQuitSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // One byte is never written in part. The pipe refuses it only when full (it does not
    // block), and then it already holds a quit the loop has yet to read: nothing is lost.
    [[maybe_unused]] const ssize_t n = ::write(signalWriter.get(), &byte, 1);
    errno = saved;
}

// The Exec line of a desktop entry as a command, without its field codes (%f, %U, ...): the
// application started with nothing to open.
QStringList commandWithoutFiles(const QString& desktopFile) {
    QFile entry(desktopFile);
    if (!entry.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    bool inMainGroup = false;
    while (!entry.atEnd()) {
        const QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
        } else if (inMainGroup && line.startsWith("Exec=")) {
            QStringList words = QProcess::splitCommand(line.mid(5));
            words.removeIf([](const QString& word) {
                return word.size() == 2 && word[0] == '%' && word[1] != '%';
            });
            for (QString& word : words) {
                word.replace("%%", "%");
            }
            return words;
        }
    }
    return {};
}

}  // namespace

bool launchDefaultApplicationFor(const QString& mimeType) {
    const QString query = QStandardPaths::findExecutable("xdg-mime");
    if (query.isEmpty()) {
        return false;
    }
    QProcess ask;
    ask.start(query, {"query", "default", mimeType});
    if (!ask.waitForFinished(5000) || ask.exitCode() != 0) {
        return false;
    }
    const QString id = QString::fromUtf8(ask.readAllStandardOutput()).trimmed();
    const QString desktopFile =
        id.isEmpty() ? QString() : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    const QStringList command = commandWithoutFiles(desktopFile);
    return !command.isEmpty() && QProcess::startDetached(command.front(), command.mid(1));
}

namespace {

// The size kept in what QWidget::saveGeometry wrote: its magic number and version, then the
// frame and the normal geometry. Empty if the bytes are not such a record.
QSize savedSize(const QByteArray& saved) {
    QDataStream stream(saved);
    stream.setVersion(QDataStream::Qt_4_0);
    quint32 magic = 0;
    quint16 major = 0, minor = 0;
    QRect frame, normal;
    stream >> magic >> major >> minor >> frame >> normal;
    const bool read = stream.status() == QDataStream::Ok && magic == 0x1D9D0CB && major <= 3;
    return read ? normal.size() : QSize();
}

}  // namespace

bool QtWindowFrame::setFrameUsingName(const std::string& name) {
    const QByteArray saved = settings_.value(QString::fromStdString(name)).toByteArray();
    if (saved.isEmpty() || window_->restoreGeometry(saved)) {
        return !saved.isEmpty();
    }
    // Qt refuses the whole record when the screen's width changed much (another screen, a
    // Wayland session's scaling); the size alone is still the user's, within this screen.
    // Wayland gives no position anyway: the compositor places the window.
    const QSize size = savedSize(saved);
    if (size.isEmpty()) {
        return false;
    }
    window_->resize(size.boundedTo(window_->screen()->availableSize()));
    return true;
}

void QtWindowFrame::saveFrameUsingName(const std::string& name) {
    settings_.setValue(QString::fromStdString(name), window_->saveGeometry());
    settings_.sync();
}

bool QtWorkspace::openURL(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

bool QtWorkspace::openFile(const std::optional<std::string>& path, const std::string& application) {
    if (application == "Disk Utility") {
        for (const char* program : {"gnome-disks", "partitionmanager"}) {
            const QString found = QStandardPaths::findExecutable(program);
            if (!found.isEmpty() && QProcess::startDetached(found, {})) {
                return true;
            }
        }
        return false;
    }
    // The document viewer: the user's application for the file's type, or, with no file to
    // show, the application the user opens documents of that kind with.
    if (!path) {
        return launchDefaultApplicationFor("application/pdf");
    }
    return QDesktopServices::openUrl(
        QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(*path))));
}

QtApplicationService::QtApplicationService(std::function<void()> willTerminate,
                                           std::function<bool()> busy,
                                           std::function<void()> stopRun)
    : willTerminate_(std::move(willTerminate)),
      busy_(std::move(busy)),
      stopRun_(std::move(stopRun)) {
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // The desktop session is ending: that is a quit too.
        connect(gui, &QGuiApplication::commitDataRequest, this, [this] { terminate(); });
    }
    if (auto* core = QCoreApplication::instance()) {
        connect(core, &QCoreApplication::aboutToQuit, this, [this] { finish(); });
    }
}

QtApplicationService::~QtApplicationService() {
    if (signals_ != nullptr) {
        for (int number : {SIGTERM, SIGINT, SIGHUP}) {
            ::signal(number, SIG_DFL);
        }
        delete signals_;
        signalReader = UniqueFd();
        signalWriter = UniqueFd();
    }
}

void QtApplicationService::watchQuitSignals() {
    int ends[2];
    if (signals_ != nullptr || ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    signalReader = UniqueFd(ends[0]);
    signalWriter = UniqueFd(ends[1]);
    signals_ = new QSocketNotifier(signalReader.get(), QSocketNotifier::Read);
    connect(signals_, &QSocketNotifier::activated, this, [this] {
        unsigned char byte;
        while (::read(signalReader.get(), &byte, 1) == 1) {
        }
        terminate();
    });
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(number, &action, nullptr);
    }
}

void QtApplicationService::terminate() {
    if (QThread::currentThread() != thread()) {
        QMetaObject::invokeMethod(
            this, [this] { terminate(); }, Qt::QueuedConnection);
        return;
    }
    if (terminated_) {
        return;
    }
    if (busy_ && busy_()) {
        // Never a quit that first shreds the rest of a folder: the run stops at its next
        // safe point, and the quit follows.
        requested_ = true;
        if (stopRun_) {
            stopRun_();
        }
        return;
    }
    finish();
    // Queued, so that a request made before the event loop runs still ends it.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

void QtApplicationService::quitIfRequested() {
    if (requested_ && !(busy_ && busy_())) {
        requested_ = false;
        terminate();
    }
}

void QtApplicationService::finish() {
    if (terminated_) {
        return;
    }
    terminated_ = true;
    if (willTerminate_) {
        willTerminate_();
    }
}

std::string QtApplicationService::processName() const {
    return QFile::encodeName(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
        .toStdString();
}

std::optional<std::string> QtApplicationService::temporaryDirectory() const {
    const QByteArray chosen = qgetenv("TMPDIR");
    return chosen.isEmpty() ? std::string("/tmp") : chosen.toStdString();
}
