#include "DesktopNotification.h"

#include "UiText.h"
#include "app/Application.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QVariantMap>
#include <QWidget>

namespace ui {

namespace {

constexpr int kServerDecidesTimeout = -1;

// Only an existing session bus is used: without an address libdbus would
// otherwise try to start a bus of its own.
bool SessionBusAnnounced()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + "/bus");
}

}  // namespace

bool InBackground(const QWidget* window)
{
    return window == nullptr || !window->isVisible() || window->isMinimized() || !window->isActiveWindow();
}

// The message is sent without waiting for a reply: an error reply (no
// notification service) is dropped by the connection.
void NotifyJobEnded(const QWidget* window, const QString& title, const QString& body)
{
    if (!InBackground(window) || !SessionBusAnnounced())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        "org.freedesktop.Notifications", "/org/freedesktop/Notifications", "org.freedesktop.Notifications", "Notify");
    const QVariantMap hints{{"desktop-entry", QStringLiteral(APP_ID)}};
    notify << Qs(app::Application().appName) << 0u << QStringLiteral(APP_ID) << title << body << QStringList() << hints
           << kServerDecidesTimeout;
    bus.send(notify);
}

}  // namespace ui
