// The job-end notification against a private session bus with a stand-in
// notification service that records what it is sent, and without a bus.
#include "WidgetTest.h"

#include "app/Application.h"
#include "ui/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

namespace {

using widget_test::WidgetTest;

constexpr char kService[] = "org.freedesktop.Notifications";
constexpr char kPath[] = "/org/freedesktop/Notifications";

// Answers Notify with a new id and keeps the arguments.
class RecordingNotifications : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.interface() != kService || message.member() != "Notify") {
            return false;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        calls_.push_back(message.arguments());
        connection.send(message.createReply(QVariant::fromValue(static_cast<uint>(calls_.size()))));
        return true;
    }
    std::vector<QVariantList> Calls() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return calls_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<QVariantList> calls_;
};

// Environment variables set for one test and put back after it.
class ScopedEnvironment {
public:
    void Set(const char* name, const std::string& value)
    {
        const char* old = std::getenv(name);
        saved_.push_back({name, old ? old : "", old != nullptr});
        ::setenv(name, value.c_str(), 1);
    }
    void Unset(const char* name)
    {
        Set(name, "");
        ::unsetenv(name);
    }
    ~ScopedEnvironment()
    {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->existed) {
                ::setenv(it->name, it->value.c_str(), 1);
            } else {
                ::unsetenv(it->name);
            }
        }
    }

private:
    struct Saved {
        const char* name;
        std::string value;
        bool existed;
    };
    std::vector<Saved> saved_;
};

class DesktopNotification : public WidgetTest {
protected:
    void TearDown() override
    {
        if (bus_.state() != QProcess::NotRunning) {
            bus_.kill();
            bus_.waitForFinished();
        }
        WidgetTest::TearDown();
    }

    // A bus of the test's own, with no services to start on demand.
    std::string StartPrivateBus()
    {
        folder_.Write("bus.conf",
                      "<busconfig><type>session</type><listen>unix:dir=" + folder_.Path() +
                          "</listen><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                          "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        bus_.start("dbus-daemon", {QString::fromStdString("--config-file=" + folder_.Path() + "bus.conf"), "--nofork",
                                   "--print-address"});
        EXPECT_TRUE(bus_.waitForReadyRead(10000)) << "dbus-daemon did not start";
        return bus_.readLine().trimmed().toStdString();
    }

    QProcess bus_;
};

}  // namespace

// Only a window the user does not look at gets a notification. The one for
// the background window comes last, so that an earlier one would have
// arrived before it.
TEST_F(DesktopNotification, ReachesTheServiceOnlyForWindowsInTheBackground)
{
    const std::string address = StartPrivateBus();
    ScopedEnvironment environment;
    environment.Set("DBUS_SESSION_BUS_ADDRESS", address);
    app::Application().appName = "Test Converter";

    RecordingNotifications service;
    QDBusConnection serviceBus = QDBusConnection::connectToBus(QString::fromStdString(address), "notification-service");
    ASSERT_TRUE(serviceBus.isConnected());
    ASSERT_TRUE(serviceBus.registerVirtualObject(kPath, &service));
    ASSERT_TRUE(serviceBus.registerService(kService));

    QWidget active;
    active.show();
    active.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&active));
    EXPECT_FALSE(ui::InBackground(&active));
    ui::NotifyJobEnded(&active, "unseen", "the user looks at the window");

    QWidget minimized;
    minimized.showMinimized();
    EXPECT_TRUE(ui::InBackground(&minimized));
    QWidget hidden;
    EXPECT_TRUE(ui::InBackground(&hidden));
    EXPECT_TRUE(ui::InBackground(nullptr));
    ui::NotifyJobEnded(&hidden, "Conversion finished", "Finished: 3 converted.");

    ASSERT_TRUE(QTest::qWaitFor([&service] { return !service.Calls().empty(); }, 10000)) << "nothing arrived";
    QTest::qWait(100);
    const std::vector<QVariantList> calls = service.Calls();
    ASSERT_EQ(calls.size(), 1u) << "the active window got one too";
    const QVariantList& arguments = calls[0];
    ASSERT_EQ(arguments.size(), 8);
    EXPECT_EQ(arguments[0].toString(), "Test Converter");
    EXPECT_EQ(arguments[1].toUInt(), 0u) << "a new notification, replacing none";
    EXPECT_EQ(arguments[3].toString(), "Conversion finished");
    EXPECT_EQ(arguments[4].toString(), "Finished: 3 converted.");
    EXPECT_EQ(arguments[7].toInt(), -1) << "the server decides how long it stays";

    serviceBus.unregisterService(kService);
    serviceBus.unregisterObject(kPath);
    QDBusConnection::disconnectFromBus("notification-service");
}

// Without a notification service on the bus, or without a bus at all, the
// call neither waits nor complains.
TEST_F(DesktopNotification, WithoutServiceOrBusReturnsAtOnceAndQuietly)
{
    const std::string address = StartPrivateBus();
    for (bool withBus : {false, true}) {
        SCOPED_TRACE(withBus ? "bus without service" : "no bus");
        ScopedEnvironment environment;
        if (withBus) {
            environment.Set("DBUS_SESSION_BUS_ADDRESS", address);
        } else {
            environment.Unset("DBUS_SESSION_BUS_ADDRESS");
            environment.Set("XDG_RUNTIME_DIR", folder_.Path() + "no-bus");
            environment.Unset("DISPLAY");
        }
        testing::internal::CaptureStderr();
        QElapsedTimer timer;
        timer.start();
        ui::NotifyJobEnded(nullptr, "title", "body");
        QTest::qWait(50);
        const qint64 elapsed = timer.elapsed();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_LT(elapsed, 1000);
    }
}
