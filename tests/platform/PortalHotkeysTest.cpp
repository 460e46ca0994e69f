// PortalHotkeys against a stand-in portal (mock_portal.py) on a bus of the test's own, which
// starts no service on demand: a portal installed on the machine must not answer in its place.
#include "platform/fake/FakeWindowFrame.h"
#include "platform/linux/PortalHotkeys.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QWindow>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

using H = Hotkeys;

// Combinations in the freedesktop shortcut format: the modifiers in the portal's order, then
// the key's XKB name.
TEST(PortalTriggerTest, NamesTheModifiersThenTheKey)
{
    const struct
    {
        int vk;
        int modifiers;
        const char *trigger;
    } cases[] = {
        {0x4B, H::Control | H::Alt, "CTRL+ALT+k"},
        {0x20, H::Control, "CTRL+space"},
        {0x70, H::Shift | H::Alt | H::Control, "CTRL+ALT+SHIFT+F1"},
        {0x31, 0, "1"},
        {0x60, H::Alt, "ALT+KP_0"},
        {0xBF, H::Control, "CTRL+slash"},
        {0x1C, H::Alt, "ALT+Henkan_Mode"},
        {0xFF, H::Control, ""}, // no such key
    };
    for (const auto &c : cases)
        EXPECT_EQ(PortalHotkeys::triggerOf(c.vk, c.modifiers), c.trigger) << c.trigger;
}

bool waitFor(const std::function<bool()> &done, int ms = 3000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void startChild(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
}

// The bus: a session bus with no service folders.
class PrivateBus : public testing::Environment
{
public:
    static inline const QString Folder =
        QDir::tempPath() + QStringLiteral("/tb-portal-test-") + QString::number(::getpid());
    static inline const QString Address =
        QStringLiteral("unix:path=") + Folder + QStringLiteral("/bus");
    static inline const QString Name = QStringLiteral("tb-portal-test");

    void SetUp() override
    {
        QDir().mkpath(Folder);
        QFile config(Folder + QStringLiteral("/bus.conf"));
        config.open(QIODevice::WriteOnly);
        config.write("<busconfig><type>session</type><listen>" + Address.toUtf8()
                     + "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                       "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                       "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>");
        config.close();
        startChild(m_daemon, QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + config.fileName(),
                    QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        const QDeadlineTimer deadline(10000);
        while (!m_daemon.canReadLine() && !deadline.hasExpired()
               && m_daemon.waitForReadyRead(int(deadline.remainingTime()))) {
        }
        QDBusConnection::connectToBus(Address, Name);
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(Name);
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
        QDir(Folder).removeRecursively();
    }

private:
    QProcess m_daemon;
};

[[maybe_unused]] const auto *const privateBus = testing::AddGlobalTestEnvironment(new PrivateBus);

QDBusConnection bus()
{
    return QDBusConnection(PrivateBus::Name);
}

class PortalHotkeysTest : public testing::Test
{
protected:
    void TearDown() override { stopMock(); }

    // Serves the stand-in portal with the options and waits until it is on the bus.
    void startMock(const QStringList &options)
    {
        ASSERT_TRUE(bus().isConnected()) << "no bus of the test's own";
        m_mock = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), PrivateBus::Address);
        m_mock->setProcessEnvironment(environment);
        startChild(*m_mock, QStringLiteral("/usr/bin/python3"),
                   QStringList{QStringLiteral(TB_MOCK_PORTAL)} + options);
        ASSERT_TRUE(waitFor([this] {
            return m_mock->canReadLine() || m_mock->state() == QProcess::NotRunning;
        }, 10000));
        ASSERT_EQ(m_mock->readLine().trimmed(), "ready");
    }

    void stopMock()
    {
        if (!m_mock || m_mock->state() == QProcess::NotRunning)
            return;
        m_mock->terminate();
        m_mock->waitForFinished(5000);
    }

    QDBusMessage control(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/control"),
            QStringLiteral("test.MockPortal"), method);
        call.setArguments(arguments);
        return bus().call(call);
    }

    // The methods the portal was called with, in order.
    QStringList methodsCalled()
    {
        QStringList methods;
        const QJsonArray calls =
            QJsonDocument::fromJson(control(QStringLiteral("Calls")).arguments().value(0)
                                        .toString().toUtf8())
                .array();
        for (const QJsonValue &call : calls)
            methods << call.toObject().value(QStringLiteral("method")).toString();
        return methods;
    }

    // Grabs Ctrl+Alt+K and waits for the desktop's answer, which it answers.
    static std::optional<QString> grabAndWait(PortalHotkeys &hotkeys)
    {
        std::optional<QString> answer;
        hotkeys.setBoundHandler([&answer](int id, const QString &trigger) {
            EXPECT_EQ(id, 1);
            answer = trigger;
        });
        EXPECT_TRUE(hotkeys.grab(1, 0x4B, H::Control | H::Alt));
        waitFor([&] { return answer.has_value(); });
        hotkeys.setBoundHandler(nullptr);
        return answer;
    }

    FakeWindowFrame frame;
    PortalHotkeys hotkeys{frame, bus()};
    std::unique_ptr<QProcess> m_mock;
};

// What the desktop binds, whichever way it takes the shortcut, is what the launcher shows; a
// refusal binds nothing and is never taken for success.
TEST_F(PortalHotkeysTest, WhatTheDesktopBoundIsReported)
{
    const struct
    {
        const char *name;
        QStringList options;
        QString bound;
    } cases[] = {
        {"the interface's way", {}, QStringLiteral("CTRL+ALT+k")},
        {"KDE Plasma 5.27's way", {QStringLiteral("--plasma")}, QStringLiteral("CTRL+ALT+k")},
        {"a session handle sent as a path", {QStringLiteral("--session-handle-as-path")},
         QStringLiteral("CTRL+ALT+k")},
        {"another combination", {QStringLiteral("--bind-as"), QStringLiteral("Ctrl+Alt+J")},
         QStringLiteral("Ctrl+Alt+J")},
        {"refused", {QStringLiteral("--refuse")}, QString()},
        {"nothing bound", {QStringLiteral("--bind-nothing")}, QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        startMock(c.options);
        EXPECT_EQ(grabAndWait(hotkeys), c.bound);
        EXPECT_EQ(hotkeys.boundTrigger(), c.bound);
        EXPECT_TRUE(hotkeys.release(1));
        stopMock();
    }
}

// A press comes with the desktop's token, by which the window takes the focus. The portal is on the bus first, as at login.
TEST_F(PortalHotkeysTest, APressBringsTheWindowForwardWithItsToken)
{
    startMock({QStringLiteral("--registry")});
    PortalHotkeys hotkeys{frame, bus()};
    ASSERT_EQ(grabAndWait(hotkeys), QStringLiteral("CTRL+ALT+k"));
    EXPECT_EQ(methodsCalled(),
              (QStringList{QStringLiteral("Register"), QStringLiteral("CreateSession"),
                           QStringLiteral("BindShortcuts")}));
    int presses = 0;
    hotkeys.setPressHandler([&presses](int id) {
        EXPECT_EQ(id, 1);
        ++presses;
        return true;
    });
    // Changed in the desktop's settings, the combination is reported again.
    std::optional<QString> changed;
    hotkeys.setBoundHandler([&changed](int, const QString &trigger) { changed = trigger; });
    control(QStringLiteral("EmitShortcutsChanged"), {QStringLiteral("Meta+L")});
    ASSERT_TRUE(waitFor([&] { return changed.has_value(); }));
    EXPECT_EQ(*changed, "Meta+L");

    QWindow window;
    for (const QString &token : {QStringLiteral("token-7"), QString()}) {
        const int before = presses;
        control(QStringLiteral("Activate"), {QStringLiteral("summon"), token});
        ASSERT_TRUE(waitFor([&] { return presses > before; }));
        hotkeys.activate(window);
    }
    // With the token at once; without one, the window that never appeared is left to the
    // compositor.
    waitFor([] { return false; }, 100);
    EXPECT_EQ(frame.broughtForward, QList<QByteArray>{"token-7"});
}

// Another combination applied (released and grabbed again at once) opens a new session, or,
// where the portal can, the desktop's own settings for the shortcut; unticked (released
// alone), the session is closed.
TEST_F(PortalHotkeysTest, AnotherCombinationIsAskedAgainAndAReleaseClosesTheSession)
{
    using Methods = QStringList;
    for (const char *version : {"1", "2"}) {
        SCOPED_TRACE(version);
        startMock({QStringLiteral("--version"), QString::fromLatin1(version)});
        PortalHotkeys hotkeys{frame, bus()};
        ASSERT_EQ(grabAndWait(hotkeys), QStringLiteral("CTRL+ALT+k"));
        control(QStringLiteral("SetBindAs"), {QStringLiteral("Ctrl+Alt+M")});
        std::optional<QString> rebound;
        hotkeys.setBoundHandler([&rebound](int, const QString &trigger) { rebound = trigger; });
        ASSERT_TRUE(hotkeys.release(1));
        ASSERT_TRUE(hotkeys.grab(1, 0x4D, H::Control | H::Alt));
        ASSERT_TRUE(waitFor([&] { return rebound.has_value(); }));
        EXPECT_EQ(*rebound, "Ctrl+Alt+M");
        const Methods again = *version == '2'
                                  ? Methods{QStringLiteral("ConfigureShortcuts")}
                                  : Methods{QStringLiteral("Session.Close"),
                                            QStringLiteral("CreateSession"),
                                            QStringLiteral("BindShortcuts")};
        EXPECT_EQ(methodsCalled().mid(2), again);
        ASSERT_TRUE(hotkeys.release(1));
        EXPECT_TRUE(waitFor([&] { return methodsCalled().endsWith("Session.Close"); }));
        stopMock();
    }
}

// A portal without global shortcuts (or none at all) grabs nothing, and a portal that leaves
// the bus and comes back is asked again.
TEST_F(PortalHotkeysTest, NoInterfaceGrabsNothingAndARestartedPortalIsAskedAgain)
{
    startMock({QStringLiteral("--no-interface")});
    EXPECT_TRUE(hotkeys.grab(1, 0x4B, H::Control | H::Alt)); // asked; the answer comes later
    EXPECT_TRUE(waitFor([this] { return hotkeys.unavailable(); }));
    EXPECT_TRUE(hotkeys.release(1));
    EXPECT_FALSE(hotkeys.grab(1, 0x4B, H::Control | H::Alt));
    stopMock();

    PortalHotkeys later{frame, bus()};
    std::optional<QString> answer;
    later.setBoundHandler([&answer](int, const QString &trigger) { answer = trigger; });
    startMock({});
    EXPECT_TRUE(later.grab(1, 0x20, H::Control));
    ASSERT_TRUE(waitFor([&] { return answer.has_value(); }));
    EXPECT_EQ(*answer, QStringLiteral("CTRL+space"));
    stopMock();
    answer.reset();
    startMock({});
    ASSERT_TRUE(waitFor([&] { return answer.has_value(); }));
    EXPECT_EQ(*answer, QStringLiteral("CTRL+space"));
}

} // namespace
