#pragma once

#include <QElapsedTimer>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QDBusConnection;

// How a run ended, as the window tells the desktop.
struct RunEnding {
    bool began = false;         // a run began (a cancelled panel begins none)
    bool windowActive = false;  // the window is the active one now
    QString summary;            // what kind of run it was
    QString body;               // its status line
};

// What a run shows outside the window, as file managers do for long copies: the progress
// and the items left on the application's taskbar entry (the LauncherEntry signal that
// Plasma's task manager and GNOME's docks show), and one notification when a long run ends
// while the person looks elsewhere. Without a session bus or a notification service nothing
// is said, nothing waits and nothing is printed. On the window's thread.
class DesktopProgress {
public:
    static constexpr qint64 kUpdateMs = 250;      // at most four updates a second
    static constexpr qint64 kLongRunMs = 10'000;  // a run worth a notification

    // The desktop entry's name without ".desktop", such as "com.example.Zurizede".
    explicit DesktopProgress(const QString& applicationId);
    ~DesktopProgress();

    void runStarted();
    // The bar's fraction, 0 to 1: sent when the last update is old enough.
    void setFraction(double fraction);
    void setItemsLeft(std::uint64_t items);
    // Clears the taskbar entry, and notifies of a run of over 10 s that ended while the window
    // was not the active one.
    void runEnded(const RunEnding& ending);

private:
    void sendUpdate(bool running);
    void notify(const RunEnding& ending);
    // The session bus, or nothing when there is none (asked once).
    QDBusConnection* bus();

    QString applicationId_;
    QElapsedTimer run_, sinceUpdate_;
    bool running_ = false;
    double fraction_ = 0;
    std::optional<std::uint64_t> itemsLeft_;
    std::unique_ptr<QDBusConnection> bus_;
};
