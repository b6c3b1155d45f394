#include "app/gui/SingleInstance.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <memory>

namespace {
constexpr int kWaitMs = 2000;
}

QString SingleInstance::defaultSocketPath() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty()) {
        return QFile::decodeName(runtime) + "/zurizede.socket";
    }
    return QDir::tempPath() + QString("/zurizede-%1.socket").arg(::getuid());
}

SingleInstance::SingleInstance(QString socketPath) : socketPath_(std::move(socketPath)) {}

// Only a socket of this user is ours to talk to: paths handed to anyone else's would be
// neither shredded nor private.
bool SingleInstance::ownedSocketExists() const {
    struct stat st;
    return ::lstat(QFile::encodeName(socketPath_).constData(), &st) == 0 && S_ISSOCK(st.st_mode) &&
           st.st_uid == ::getuid();
}

// The message: each path followed by a NUL, then one more NUL. The answer: one byte, '1'
// when the paths were taken.
bool SingleInstance::handOver(const std::vector<std::string>& paths) {
    if (!ownedSocketExists()) {
        return false;
    }
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kWaitMs)) {
        return false;  // left behind by an instance that has gone
    }
    QByteArray message;
    for (const std::string& path : paths) {
        message.append(path.data(), static_cast<qsizetype>(path.size()));
        message.append('\0');
    }
    message.append('\0');
    socket.write(message);
    bool written = true;
    while (written && socket.bytesToWrite() > 0) {
        written = socket.waitForBytesWritten(kWaitMs);
    }
    QByteArray answer;
    while (written && answer.isEmpty() && socket.waitForReadyRead(kWaitMs)) {
        answer = socket.read(1);
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState) {
        socket.waitForDisconnected(kWaitMs);
    }
    return answer == "1";
}

bool SingleInstance::listen(std::function<bool(const std::vector<std::string>&)> arrived) {
    arrived_ = std::move(arrived);
    if (ownedSocketExists()) {
        QLocalServer::removeServer(socketPath_);  // nobody answered on it
    }
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(socketPath_)) {
        return false;
    }
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            auto received = std::make_shared<QByteArray>();
            connect(socket, &QLocalSocket::readyRead, this, [this, socket, received] {
                received->append(socket->readAll());
                const bool complete =
                    *received == QByteArray(1, '\0') || received->endsWith(QByteArray(2, '\0'));
                if (!complete) {
                    return;
                }
                std::vector<std::string> paths;
                for (const QByteArray& path : received->split('\0')) {
                    if (!path.isEmpty()) {
                        paths.push_back(path.toStdString());
                    }
                }
                received->clear();
                const bool taken = arrived_ && arrived_(paths);
                socket->write(taken ? "1" : "0");
                socket->flush();
            });
        }
    });
    return true;
}
