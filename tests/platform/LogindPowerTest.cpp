// LogindPower against a mock logind (python3-dbusmock) on a private bus that stands in for the
// system bus. No call may ever reach the real system bus: every test first checks that the
// system bus connection is the private one.
#include "platform/linux/LogindPower.h"
#include "CaseName.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <optional>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

const QString Logind = QStringLiteral("org.freedesktop.login1");
const QString LogindPath = QStringLiteral("/org/freedesktop/login1");
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");
const QString PrivateBusName = QStringLiteral("tb-logind-test");

struct Call
{
    QString method;
    QVariantList args;
    bool operator==(const Call &) const = default;
};

void PrintTo(const Call &call, std::ostream *os)
{
    QStringList args;
    for (const QVariant &arg : call.args)
        args << arg.toString();
    *os << call.method.toStdString() << '(' << args.join(u',').toStdString() << ')';
}

// Starts a helper that ends with this program even when the program dies without cleaning up.
void startChild(QProcess &process, const QString &program, const QStringList &arguments)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
}

void stopChild(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(5000);
    }
}

// One private bus for the whole program: the system bus connection, once made, stays for good.
// Its address is fixed before main(): libdbus reads the system bus address from the environment
// on the program's first connection to any standard bus, which may come before any test runs.
class PrivateSystemBus : public testing::Environment
{
public:
    static inline const QString Folder =
        QDir::tempPath() + QStringLiteral("/tb-logind-test-") + QString::number(::getpid());
    static inline const QString Address =
        QStringLiteral("unix:path=") + Folder + QStringLiteral("/bus");

    void SetUp() override
    {
        QDir(Folder).removeRecursively();
        QDir().mkpath(Folder);
        m_daemon = std::make_unique<QProcess>();
        startChild(*m_daemon, QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--session"), QStringLiteral("--nofork"),
                    QStringLiteral("--address=") + Address, QStringLiteral("--print-address=1")});
        // It prints the address once it listens.
        const QDeadlineTimer deadline(10000);
        while (!m_daemon->canReadLine() && !deadline.hasExpired()
               && m_daemon->waitForReadyRead(int(deadline.remainingTime()))) {
        }
        s_running = m_daemon->canReadLine();
        if (s_running)
            QDBusConnection::connectToBus(Address, PrivateBusName);
    }

    void TearDown() override
    {
        QDBusConnection::disconnectFromBus(PrivateBusName);
        if (m_daemon)
            stopChild(*m_daemon);
        m_daemon.reset();
        QDir(Folder).removeRecursively();
    }

    static inline bool s_running = false;

private:
    std::unique_ptr<QProcess> m_daemon;
};

[[maybe_unused]] const bool addressSet =
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", PrivateSystemBus::Address.toUtf8());
[[maybe_unused]] const auto *const privateSystemBus =
    testing::AddGlobalTestEnvironment(new PrivateSystemBus);

class LogindPowerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PrivateSystemBus::s_running) << "the private bus did not start";
        ASSERT_TRUE(privateBus().isConnected());
        ASSERT_EQ(qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS"), PrivateSystemBus::Address)
            << "refusing to run: the system bus is not the private test bus";
        // Should the system bus connection have been made to another address all the same,
        // stop here: on the private bus, a name of this process other than its private
        // connection can only be the system bus connection.
        const QDBusConnection system = QDBusConnection::systemBus();
        ASSERT_TRUE(system.isConnected());
        ASSERT_NE(system.baseService(), privateBus().baseService());
        const QDBusMessage owner =
            busCall(QStringLiteral("GetConnectionUnixProcessID"), {system.baseService()});
        ASSERT_EQ(owner.type(), QDBusMessage::ReplyMessage)
            << "refusing to run: the system bus connection is not on the private test bus";
        ASSERT_EQ(owner.arguments().constFirst().toUInt(), uint(::getpid()));
    }

    void TearDown() override { stopMock(); }

    static QDBusConnection privateBus() { return QDBusConnection(PrivateBusName); }

    static QDBusMessage busCall(const QString &method, const QVariantList &args)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), method);
        call.setArguments(args);
        return privateBus().call(call);
    }

    // Serves the logind template, with its parameters as JSON, and waits until it is on the bus.
    void startMock(const QString &parameters = {})
    {
        m_mock = std::make_unique<QProcess>();
        m_mock->setStandardOutputFile(QProcess::nullDevice());
        QStringList arguments{QStringLiteral("-m"), QStringLiteral("dbusmock"),
                              QStringLiteral("--system"), QStringLiteral("--template"),
                              QStringLiteral("logind")};
        if (!parameters.isEmpty())
            arguments << QStringLiteral("-p") << parameters;
        startChild(*m_mock, QStringLiteral("/usr/bin/python3"), arguments);

        const QDeadlineTimer deadline(15000);
        while (m_mock->state() != QProcess::NotRunning && !deadline.hasExpired()) {
            const QDBusMessage has = busCall(QStringLiteral("NameHasOwner"), {Logind});
            if (has.type() == QDBusMessage::ReplyMessage && has.arguments().constFirst().toBool())
                return;
            QThread::msleep(20);
        }
        FAIL() << "the mock logind did not appear on the private bus";
    }

    void stopMock()
    {
        if (m_mock)
            stopChild(*m_mock);
        m_mock.reset();
    }

    QDBusMessage mockCall(const QString &method, const QVariantList &args = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            Logind, LogindPath, QStringLiteral("org.freedesktop.DBus.Mock"), method);
        call.setArguments(args);
        return privateBus().call(call);
    }

    // Replaces a method of the manager with one that runs the given Python code.
    void mockMethod(const QString &name, const QString &inSig, const QString &outSig,
                    const QString &code)
    {
        const QDBusMessage reply =
            mockCall(QStringLiteral("AddMethod"), {Manager, name, inSig, outSig, code});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    // What the mock was asked, in order; the timestamps are left out.
    QList<Call> calls()
    {
        const QDBusMessage reply = mockCall(QStringLiteral("GetCalls"));
        QList<Call> result;
        if (reply.type() != QDBusMessage::ReplyMessage) {
            ADD_FAILURE() << reply.errorMessage().toStdString();
            return result;
        }
        const auto log = reply.arguments().constFirst().value<QDBusArgument>();
        log.beginArray();
        while (!log.atEnd()) {
            qulonglong time = 0;
            Call call;
            log.beginStructure();
            log >> time >> call.method >> call.args;
            log.endStructure();
            result.append(call);
        }
        log.endArray();
        return result;
    }

    // Asks for the privilege and waits for the answer, at most ten seconds.
    std::optional<PowerPrivilege> privilege(PowerAction action)
    {
        std::optional<PowerPrivilege> answer;
        QEventLoop loop;
        power.mayExit(action, [&](PowerPrivilege may) {
            answer = may;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        if (!answer)
            loop.exec();
        return answer;
    }

    // Requests the action and waits for the system's answer, at most ten seconds.
    std::optional<bool> exitAnswer(PowerAction action)
    {
        std::optional<bool> answer;
        QEventLoop loop;
        power.exit(action, [&](bool accepted) {
            answer = accepted;
            loop.quit();
        });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        if (!answer)
            loop.exec();
        return answer;
    }

    LogindPower power;

private:
    std::unique_ptr<QProcess> m_mock;
};

struct ActionCase
{
    std::string name;
    PowerAction action;
    QString canMethod;
    QString exitMethod;
};

void PrintTo(const ActionCase &actionCase, std::ostream *os)
{
    *os << actionCase.name;
}

class LogindPowerActionTest : public LogindPowerTest, public testing::WithParamInterface<ActionCase>
{
};

TEST_P(LogindPowerActionTest, AsksLogindAndRequestsTheActionInteractively)
{
    ASSERT_NO_FATAL_FAILURE(startMock());
    EXPECT_EQ(privilege(GetParam().action), PowerPrivilege::Granted);
    EXPECT_EQ(exitAnswer(GetParam().action), true);
    EXPECT_EQ(calls(), (QList<Call>{{GetParam().canMethod, {}}, {GetParam().exitMethod, {true}}}));
}

TEST_P(LogindPowerActionTest, TheRequestDoesNotWaitWhileTheSystemAsksForAPassword)
{
    ASSERT_NO_FATAL_FAILURE(startMock());
    ASSERT_NO_FATAL_FAILURE(mockMethod(GetParam().exitMethod, QStringLiteral("b"), QString(),
                                       QStringLiteral("import time\ntime.sleep(1.5)")));
    QElapsedTimer timer;
    timer.start();
    std::optional<bool> answer;
    QEventLoop loop;
    power.exit(GetParam().action, [&](bool accepted) {
        answer = accepted;
        loop.quit();
    });
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_FALSE(answer);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(answer, true);
}

TEST_P(LogindPowerActionTest, FailedExitCallIsFalse)
{
    ASSERT_NO_FATAL_FAILURE(startMock());
    ASSERT_NO_FATAL_FAILURE(
        mockMethod(GetParam().exitMethod, QStringLiteral("b"), QString(),
                   QStringLiteral("raise dbus.exceptions.DBusException('not allowed', "
                                  "name='org.freedesktop.DBus.Error.AccessDenied')")));
    EXPECT_EQ(exitAnswer(GetParam().action), false);
    EXPECT_EQ(calls(), (QList<Call>{{GetParam().exitMethod, {true}}}));
}

INSTANTIATE_TEST_SUITE_P(
    Actions, LogindPowerActionTest,
    testing::Values(ActionCase{"PowerOff", PowerAction::PowerOff, "CanPowerOff", "PowerOff"},
                    ActionCase{"Reboot", PowerAction::Reboot, "CanReboot", "Reboot"}),
    CaseName());

TEST_F(LogindPowerTest, AnswerNoIsARefusedPrivilegeAndRequestsNothing)
{
    ASSERT_NO_FATAL_FAILURE(startMock(QStringLiteral(R"({"CanPowerOff": "no"})")));
    EXPECT_EQ(privilege(PowerAction::PowerOff), PowerPrivilege::Refused);
    EXPECT_EQ(calls(), (QList<Call>{{"CanPowerOff", {}}}));
}

TEST_F(LogindPowerTest, OnlyYesAndChallengeGrantThePrivilege)
{
    ASSERT_NO_FATAL_FAILURE(startMock());
    using P = PowerPrivilege;
    const QList<std::pair<QString, P>> answers{{"yes", P::Granted},
                                               {"challenge", P::Granted},
                                               {"no", P::Refused},
                                               {"na", P::Refused},
                                               {"", P::Refused}};
    for (const auto &[answer, granted] : answers) {
        ASSERT_NO_FATAL_FAILURE(mockMethod(QStringLiteral("CanReboot"), QString(),
                                           QStringLiteral("s"),
                                           QStringLiteral("ret = '%1'").arg(answer)));
        EXPECT_EQ(privilege(PowerAction::Reboot), granted) << answer.toStdString();
    }
}

TEST_F(LogindPowerTest, WithoutLogindNothingIsGranted)
{
    // No mock: the bus answers that nobody owns the name.
    EXPECT_EQ(privilege(PowerAction::PowerOff), PowerPrivilege::Refused);
    EXPECT_EQ(privilege(PowerAction::Reboot), PowerPrivilege::Refused);
    EXPECT_EQ(exitAnswer(PowerAction::PowerOff), false);
}

// A logind that hangs (or a polkit behind it) must not hang the program: the question returns
// at once, the program goes on meanwhile, and the answer "no answer" comes after the time given.
TEST_F(LogindPowerTest, AHungLogindIsNoAnswerSoonAndNothingWaitsForIt)
{
    ASSERT_NO_FATAL_FAILURE(startMock());
    ASSERT_NO_FATAL_FAILURE(mockMethod(QStringLiteral("CanPowerOff"), QString(),
                                       QStringLiteral("s"),
                                       QStringLiteral("import time\ntime.sleep(60)\nret = 'yes'")));
    LogindPower impatient(std::chrono::milliseconds(300));
    QElapsedTimer timer;
    timer.start();
    std::optional<PowerPrivilege> answer;
    bool ticked = false;
    QEventLoop loop;
    QTimer::singleShot(50, &loop, [&] { ticked = !answer; });
    impatient.mayExit(PowerAction::PowerOff, [&](PowerPrivilege may) {
        answer = may;
        loop.quit();
    });
    EXPECT_LT(timer.elapsed(), 200) << "the question waited for the answer";
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!answer)
        loop.exec();
    EXPECT_TRUE(ticked) << "the program stood still while it waited";
    EXPECT_EQ(answer, PowerPrivilege::NoAnswer);
    EXPECT_LT(timer.elapsed(), 5000);
}

} // namespace
