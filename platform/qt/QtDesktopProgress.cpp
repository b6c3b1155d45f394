#include "platform/qt/QtDesktopProgress.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace {
constexpr const char* kEntryInterface = "com.canonical.Unity.LauncherEntry";
constexpr const char* kNotifications = "org.freedesktop.Notifications";
constexpr const char* kNotificationsPath = "/org/freedesktop/Notifications";
constexpr const char* kAppName = "ORBA Zurizede";
constexpr const char* kIconName = "zurizede";
}  // namespace

DesktopProgress::DesktopProgress(const QString& applicationId) : applicationId_(applicationId) {}
DesktopProgress::~DesktopProgress() = default;

QDBusConnection* DesktopProgress::bus() {
    if (!bus_) {
        bus_ = std::make_unique<QDBusConnection>(QDBusConnection::sessionBus());
    }
    return bus_->isConnected() ? bus_.get() : nullptr;
}

void DesktopProgress::runStarted() {
    running_ = true;
    fraction_ = 0;
    itemsLeft_.reset();
    run_.start();
    sinceUpdate_.invalidate();
}

void DesktopProgress::setFraction(double fraction) {
    fraction_ = fraction;
    if (running_ && (!sinceUpdate_.isValid() || sinceUpdate_.elapsed() >= kUpdateMs)) {
        sendUpdate(true);
    }
}

void DesktopProgress::setItemsLeft(std::uint64_t items) {
    itemsLeft_ = items;
}

void DesktopProgress::runEnded(const RunEnding& ending) {
    if (!running_) {
        return;
    }
    running_ = false;
    // The last word always reaches the taskbar, however soon after the one before.
    fraction_ = 1;
    sendUpdate(false);
    if (ending.began && !ending.windowActive && run_.elapsed() > kLongRunMs) {
        notify(ending);
    }
}

void DesktopProgress::sendUpdate(bool running) {
    sinceUpdate_.start();
    QDBusConnection* session = bus();
    if (session == nullptr) {
        return;
    }
    // The object path is the application id's, dots become slashes, as D-Bus names the
    // objects of a service ("/com/example/Zurizede").
    const QString path = "/" + QString(applicationId_).replace('.', '/');
    QDBusMessage update = QDBusMessage::createSignal(path, kEntryInterface, "Update");
    const QVariantMap properties{
        {"progress", fraction_},
        {"progress-visible", running},
        {"count", static_cast<qint64>(itemsLeft_.value_or(0))},
        {"count-visible", running && itemsLeft_.has_value()},
    };
    update << "application://" + applicationId_ + ".desktop" << properties;
    session->send(update);
}

// Sent without waiting for an answer: a missing notification service costs nothing.
void DesktopProgress::notify(const RunEnding& ending) {
    QDBusConnection* session = bus();
    if (session == nullptr) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kNotifications, kNotificationsPath,
                                                       kNotifications, "Notify");
    const QVariantMap hints{{"desktop-entry", applicationId_}};
    call << QString(kAppName) << 0u << QString(kIconName)
         << (ending.summary.isEmpty() ? QString(kAppName) : ending.summary) << ending.body
         << QStringList() << hints << -1;
    session->send(call);
}
