// PortalHotkeys against a stand-in portal (mock_portal.py) on a bus of the test's own, which
// starts no service on demand: a portal installed on the machine must not answer in its place.
#include "platform/linux/PortalHotkeys.h"
#include "platform/fake/FakeWindowFrame.h"

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

// The desktop's words for what it bound, against the combination asked for.
TEST(PortalTriggerTest, TheDesktopsWordsNameTheCombination)
{
    const struct
    {
        const char *description;
        const char *trigger;
        bool same;
    } cases[] = {
        {"Ctrl+Alt+K", "CTRL+ALT+k", true},
        {"Alt+Ctrl+K", "CTRL+ALT+k", true},
        {"Meta+K, Ctrl+Alt+Space", "CTRL+ALT+space", true},
        {"Control + Shift + F1", "CTRL+SHIFT+F1", true},
        {"Ctrl+Alt+J", "CTRL+ALT+k", false},
        {"Ctrl+K", "CTRL+ALT+k", false},
        {"", "CTRL+ALT+k", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PortalHotkeys::describes(QString::fromLatin1(c.description),
                                           QString::fromLatin1(c.trigger)),
                  c.same)
            << c.description;
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

// Counts the stand-in's Marker signals, which say that what another client sent before them
// has arrived.
class MarkerCount : public QObject
{
    Q_OBJECT

public:
    int count = 0;

public slots:
    void onMarker() { ++count; }
};

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
        ASSERT_TRUE(waitFor(
            [this] { return m_mock->canReadLine() || m_mock->state() == QProcess::NotRunning; },
            10000));
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

    // Every call the portal had, in order.
    QJsonArray calls()
    {
        return QJsonDocument::fromJson(
                   control(QStringLiteral("Calls")).arguments().value(0).toString().toUtf8())
            .array();
    }

    // The methods the portal was called with, in order.
    QStringList methodsCalled()
    {
        QStringList methods;
        for (const QJsonValue &call : calls())
            methods << call[QStringLiteral("method")].toString();
        return methods;
    }

    // Has another bus client send the portal's signal, and waits until it is here.
    void stranger(const QString &signal)
    {
        MarkerCount marker;
        bus().connect(QString(), QStringLiteral("/control"), QStringLiteral("test.MockPortal"),
                      QStringLiteral("Marker"), &marker, SLOT(onMarker()));
        control(QStringLiteral("Stranger"), {signal});
        EXPECT_TRUE(waitFor([&marker] { return marker.count > 0; })) << signal.toStdString();
        bus().disconnect(QString(), QStringLiteral("/control"), QStringLiteral("test.MockPortal"),
                         QStringLiteral("Marker"), &marker, SLOT(onMarker()));
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
        {"a session handle sent as a path",
         {QStringLiteral("--session-handle-as-path")},
         QStringLiteral("CTRL+ALT+k")},
        {"another combination",
         {QStringLiteral("--bind-as"), QStringLiteral("Ctrl+Alt+J")},
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

// A press comes with the desktop's token, by which the window takes the focus. The portal is on the
// bus first, as at login.
TEST_F(PortalHotkeysTest, APressBringsTheWindowForwardWithItsToken)
{
    startMock({QStringLiteral("--registry")});
    PortalHotkeys hotkeys{frame, bus()};
    ASSERT_EQ(grabAndWait(hotkeys), QStringLiteral("CTRL+ALT+k"));
    EXPECT_EQ(methodsCalled(),
              (QStringList{QStringLiteral("Register"), QStringLiteral("CreateSession"),
                           QStringLiteral("ListShortcuts"), QStringLiteral("BindShortcuts")}));
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

// The desktop is asked only for what its session lacks: at start, with "OK" twice (the same
// combination applied again), with "変更" to another, and at the next start under the same
// session token. A desktop that binds at CreateSession (Plasma 5.27, which answers BindShortcuts
// by opening its settings) has its settings opened only for another combination, which the user
// then binds there; a desktop that binds by BindShortcuts (GNOME 48) is asked by it once. The
// key works after each step.
TEST_F(PortalHotkeysTest, TheDesktopIsAskedOnlyForWhatItLacks)
{
    const struct
    {
        const char *name;
        QStringList options;
        QStringList start, change;
        QString changed; // the combination bound once the user had it their way
    } cases[] = {
        {"Plasma 5.27",
         {QStringLiteral("--plasma")},
         {"CreateSession", "ListShortcuts"},
         {"ListShortcuts", "BindShortcuts", "OpenSettings"},
         QStringLiteral("Ctrl+Alt+M")},
        {"GNOME 48",
         {},
         {"CreateSession", "ListShortcuts", "BindShortcuts"},
         {"ListShortcuts", "BindShortcuts"},
         QStringLiteral("CTRL+ALT+m")},
        {"version 2",
         {QStringLiteral("--version"), QStringLiteral("2")},
         {"CreateSession", "ListShortcuts", "BindShortcuts"},
         {"ListShortcuts", "ConfigureShortcuts", "OpenSettings"},
         QStringLiteral("Ctrl+Alt+M")},
    };
    const QStringList nothing;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        startMock(c.options);
        auto hotkeys = std::make_unique<PortalHotkeys>(frame, bus());
        int presses = 0;
        std::optional<QString> bound;
        qsizetype seen = 0;
        const auto watch = [&] {
            hotkeys->setPressHandler([&presses](int) { return ++presses, true; });
            hotkeys->setBoundHandler([&bound](int, const QString &trigger) { bound = trigger; });
        };
        // The calls since the last step, once they are all in and answered; then what is bound,
        // and a press.
        const auto calledSince = [&](const QStringList &expected) {
            waitFor(
                [&] {
                    return methodsCalled().mid(seen) == expected
                           && control(QStringLiteral("Pending")).arguments().value(0) == 0u;
                },
                2000);
            const QStringList calls = methodsCalled();
            EXPECT_EQ(calls.mid(seen), expected);
            seen = calls.size();
        };
        const auto works = [&](const QString &key) {
            EXPECT_TRUE(waitFor([&] { return bound == key; })) << bound.value_or("-").toStdString();
            const int before = presses;
            control(QStringLiteral("Activate"), {QString(), QString()});
            EXPECT_TRUE(waitFor([&] { return presses > before; }));
        };
        watch();
        ASSERT_TRUE(hotkeys->grab(1, 0x4B, H::Control | H::Alt));
        calledSince(c.start);
        works(QStringLiteral("CTRL+ALT+k"));
        for (const char *ok : {"OK", "OK again"}) {
            SCOPED_TRACE(ok);
            ASSERT_TRUE(hotkeys->release(1));
            ASSERT_TRUE(hotkeys->grab(1, 0x4B, H::Control | H::Alt));
            works(QStringLiteral("CTRL+ALT+k"));
            calledSince(nothing);
        }
        control(QStringLiteral("SetBindAs"), {c.changed}); // what the user binds when asked
        ASSERT_TRUE(hotkeys->release(1));
        ASSERT_TRUE(hotkeys->grab(1, 0x4D, H::Control | H::Alt));
        calledSince(c.change);
        if (c.change.contains("BindShortcuts") && c.change.contains("OpenSettings")) {
            works(QStringLiteral("CTRL+ALT+k")); // kept until the user changes it there
            control(QStringLiteral("EmitShortcutsChanged"), {c.changed});
        }
        works(c.changed);

        hotkeys.reset();
        hotkeys = std::make_unique<PortalHotkeys>(frame, bus());
        watch();
        bound.reset();
        ASSERT_TRUE(hotkeys->grab(1, 0x4D, H::Control | H::Alt));
        calledSince({"Session.Close", "CreateSession", "ListShortcuts"});
        works(c.changed);
        for (const QJsonValue &call : calls()) {
            if (call[QStringLiteral("method")] == QStringLiteral("CreateSession")) {
                EXPECT_EQ(call[QStringLiteral("options")][QStringLiteral("session_handle_token")],
                          QStringLiteral("tblaunch"));
            }
        }
        // Switched off, the session is closed.
        ASSERT_TRUE(hotkeys->release(1));
        EXPECT_TRUE(waitFor([&] { return methodsCalled().endsWith("Session.Close"); }));
        hotkeys.reset();
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

// Only the portal speaks for the desktop: another program on the bus faking a Response, a
// binding or a press is not heard; the portal's own are.
TEST_F(PortalHotkeysTest, SignalsFromAnotherSenderAreIgnored)
{
    startMock({QStringLiteral("--hold"), QStringLiteral("BindShortcuts")});
    std::optional<QString> bound;
    int presses = 0;
    hotkeys.setBoundHandler([&bound](int, const QString &trigger) { bound = trigger; });
    hotkeys.setPressHandler([&presses](int) { return ++presses, true; });
    ASSERT_TRUE(hotkeys.grab(1, 0x4B, H::Control | H::Alt));
    ASSERT_TRUE(waitFor([this] { return methodsCalled().contains("BindShortcuts"); }));
    stranger(QStringLiteral("Response"));
    EXPECT_FALSE(bound.has_value()) << bound->toStdString();
    control(QStringLiteral("Answer"));
    ASSERT_TRUE(waitFor([&] { return bound.has_value(); }));
    EXPECT_EQ(*bound, QStringLiteral("CTRL+ALT+k"));

    stranger(QStringLiteral("ShortcutsChanged"));
    stranger(QStringLiteral("Activated"));
    EXPECT_EQ(*bound, QStringLiteral("CTRL+ALT+k"));
    EXPECT_EQ(presses, 0);
    control(QStringLiteral("Activate"), {QStringLiteral("summon"), QString()});
    EXPECT_TRUE(waitFor([&presses] { return presses == 1; }));
}

// What the launcher no longer waits for is taken back: the desktop's question when the program
// ends while it is open, and a session the portal opens after the hotkey was switched off.
TEST_F(PortalHotkeysTest, WhatIsNoLongerWantedIsClosed)
{
    const auto closed = [this](const char *method, const char *what) {
        QStringList closed;
        for (const QJsonValue &call : calls())
            if (call[QStringLiteral("method")] == QLatin1String(method))
                closed << call[QLatin1String(what)].toString();
        return closed;
    };
    startMock({QStringLiteral("--hold"), QStringLiteral("BindShortcuts")});
    {
        PortalHotkeys ending{frame, bus()};
        ASSERT_TRUE(ending.grab(1, 0x4B, H::Control | H::Alt));
        ASSERT_TRUE(waitFor([this] { return methodsCalled().contains("BindShortcuts"); }));
    }
    EXPECT_TRUE(waitFor([&] { return closed("Request.Close", "request").size() == 1; }));
    EXPECT_TRUE(closed("Request.Close", "request")
                    .value(0)
                    .endsWith(calls()
                                  .at(2)[QStringLiteral("options")][QStringLiteral("handle_token")]
                                  .toString()));
    EXPECT_TRUE(waitFor([&] { return closed("Session.Close", "session").size() == 1; }));
    stopMock();

    // The session's Response is on its way when the hotkey is switched off.
    startMock({QStringLiteral("--hold"), QStringLiteral("CreateSession")});
    ASSERT_TRUE(hotkeys.grab(1, 0x4B, H::Control | H::Alt));
    ASSERT_TRUE(waitFor([this] { return methodsCalled().contains("CreateSession"); }));
    control(QStringLiteral("Answer"));
    ASSERT_TRUE(hotkeys.release(1));
    EXPECT_TRUE(waitFor([&] { return closed("Session.Close", "session").size() == 1; }));
    EXPECT_TRUE(closed("Session.Close", "session").value(0).endsWith("/tblaunch"));
}

} // namespace

#include "PortalHotkeysTest.moc"
