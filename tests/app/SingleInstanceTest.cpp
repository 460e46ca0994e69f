#include "app/SingleInstance.h"

#include "TempFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Request = SingleInstance::Request;

// What a caller writes to the running launcher's socket, and what the launcher makes of it:
// the requests a later start sends; a caller that only connects (an older start) asks to be
// shown; anything else, or a caller that holds the line without a word, asks nothing.
class SingleInstanceTest : public ::testing::Test
{
protected:
    // Writes the bytes on a connection of its own, closing it afterwards unless told to hold
    // it, and answers the request the running launcher heard within the time.
    std::optional<Request> heard(const QByteArray &bytes, bool hold = false, int ms = 300)
    {
        std::optional<Request> got;
        const auto connection = QObject::connect(&running, &SingleInstance::requested,
                                                 [&](Request request, const QByteArray &token) {
                                                     got = request;
                                                     gotToken = token;
                                                 });
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(running.socketName());
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        EXPECT_EQ(::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        if (!bytes.isEmpty()) {
            EXPECT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
        }
        if (!hold)
            ::close(fd);
        const QDeadlineTimer deadline(ms);
        while (!got && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (hold)
            ::close(fd);
        QObject::disconnect(connection);
        return got;
    }

    TempFolder folder;
    TempFolder runtime;
    SingleInstance running{folder.path(), runtime.path()};
    QByteArray gotToken;
};

TEST_F(SingleInstanceTest, ALaterStartsRequestReachesTheRunningOne)
{
    ASSERT_TRUE(running.claim());
    for (const Request request : {Request::Hide, Request::Toggle, Request::Show}) {
        std::optional<Request> got;
        QByteArray token;
        QObject::connect(&running, &SingleInstance::requested,
                         [&](Request r, const QByteArray &t) { got = r, token = t; });
        SingleInstance later(folder.path(), runtime.path());
        EXPECT_FALSE(later.claim(request, "sway-token_1.2"));
        const QDeadlineTimer deadline(1000);
        while (!got && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(got, request);
        EXPECT_EQ(token, "sway-token_1.2");
        QObject::disconnect(&running, &SingleInstance::requested, nullptr, nullptr);
    }
}

TEST_F(SingleInstanceTest, WhatACallerWritesIsReadAsARequestOrNothing)
{
    ASSERT_TRUE(running.claim());
    EXPECT_EQ(heard(""), Request::Show);
    EXPECT_EQ(heard("toggle\n"), Request::Toggle);
    EXPECT_EQ(heard("hide"), Request::Hide); // ended by the close
    EXPECT_EQ(heard("bogus\n"), std::nullopt);
    EXPECT_EQ(heard("show and a great deal more than a request\n"), std::nullopt);
    // The desktop's activation token comes after the word; one that is no token (a control
    // character, too long) makes the line no request.
    EXPECT_EQ(heard("toggle 8f2a-11:x\n"), Request::Toggle);
    EXPECT_EQ(gotToken, "8f2a-11:x");
    EXPECT_EQ(heard("show \x1b[2J\n"), std::nullopt);
    EXPECT_EQ(heard("show " + QByteArray(256, 't') + "\n"), std::nullopt);
    EXPECT_EQ(heard("show " + QByteArray(255, 't') + "\n"), Request::Show);
    EXPECT_EQ(gotToken.size(), 255);
    // Held without a word, the line is dropped after a second, asking nothing.
    EXPECT_EQ(heard("", true, 1300), std::nullopt);
    // and the launcher still answers the next caller.
    EXPECT_EQ(heard("show\n"), Request::Show);
}

TEST_F(SingleInstanceTest, SendingToNoLauncherSaysSoAndStartsNone)
{
    SingleInstance alone(folder.path(), runtime.path());
    EXPECT_FALSE(alone.send(Request::Hide));
    EXPECT_FALSE(QFile::exists(alone.socketName()));
}

// Only the user's own programs are heard: root, or another user who reached the socket, asks
// nothing.
TEST_F(SingleInstanceTest, OtherUsersAreNotHeard)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to call as another user";
    ASSERT_TRUE(running.claim());
    // Open to all, as a shared folder would leave it.
    const QByteArray socket = QFile::encodeName(running.socketName());
    ASSERT_EQ(::chmod(QFile::encodeName(runtime.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(socket.constData(), 0777), 0);
    std::optional<Request> got;
    QObject::connect(&running, &SingleInstance::requested,
                     [&](Request request, const QByteArray &) { got = request; });
    const pid_t caller = ::fork();
    if (caller == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, socket.constData(), size_t(socket.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool sent =
            ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
            && ::write(fd, "show\n", 5) == 5;
        ::_exit(sent ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(caller, &status, 0), caller);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other user could not write";
    const QDeadlineTimer deadline(300);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(got, std::nullopt);
    EXPECT_EQ(heard("show\n"), Request::Show);
}

// Where the session's runtime folder is another user's and so is the folder the launcher
// would make in the shared temporary folder (taken first), it runs alone: its socket goes in
// no folder others may enter.
TEST_F(SingleInstanceTest, TheSocketGoesInNoSharedFolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give folders to another user";
    const passwd *user = ::getpwuid(::geteuid());
    ASSERT_TRUE(user);
    const QString taken = folder.path() + QStringLiteral("runtime-") + user->pw_name;
    ASSERT_TRUE(QDir().mkdir(taken));
    for (const QString &others : {runtime.path(), taken})
        ASSERT_EQ(::chown(QFile::encodeName(others).constData(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 01777), 0);
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR"), oldTemp = qgetenv("TMPDIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    qputenv("TMPDIR", QFile::encodeName(folder.path()));
    {
        SingleInstance instance(QStringLiteral("/data"));
        EXPECT_TRUE(instance.claim());
        EXPECT_EQ(instance.socketName(), QString());
        EXPECT_EQ(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            QStringList(QFileInfo(taken).fileName()));
    }
    const auto restore = [](const char *name, const QByteArray &value) {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    };
    restore("XDG_RUNTIME_DIR", oldRuntime);
    restore("TMPDIR", oldTemp);
}

} // namespace
