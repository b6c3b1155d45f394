#pragma once

#include <QLocalServer>
#include <QObject>
#include <functional>
#include <string>
#include <vector>

// One window per user: a later launch hands its paths to the running one over a local
// socket that only this user can reach, and exits. The running one answers whether it took
// them: one that is quitting does not, and the later launch then opens a window of its own.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The socket in $XDG_RUNTIME_DIR, else in the temporary folder under the user's id.
    static QString defaultSocketPath();

    explicit SingleInstance(QString socketPath = defaultSocketPath());

    // Answers whether a running instance took the paths.
    bool handOver(const std::vector<std::string>& paths);
    // Becomes the running instance; paths handed over reach arrived, which answers whether
    // it takes them.
    bool listen(std::function<bool(const std::vector<std::string>&)> arrived);

private:
    bool ownedSocketExists() const;

    QString socketPath_;
    QLocalServer server_;
    std::function<bool(const std::vector<std::string>&)> arrived_;
};
