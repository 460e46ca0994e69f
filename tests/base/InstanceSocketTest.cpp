#include "base/InstanceSocket.h"

#include "TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// The token passed on for the focus: Wayland's first, the X11 startup notification's next;
// anything that would break the request's line (a space, a control character, too long) is
// no token.
TEST(InstanceSocketTest, TheDesktopsTokenIsPassedOnOnlyWhenItFitsTheLine)
{
    const std::string longest(InstanceSocket::MaxTokenLength, 'x');
    const std::string tooLong(InstanceSocket::MaxTokenLength + 1, 'x');
    struct Case
    {
        const char *activation;
        const char *startup;
        std::string token;
    } cases[] = {
        {"wl-1", "x11_TIME42", "wl-1"},
        {nullptr, "x11_TIME42", "x11_TIME42"},
        {"", "x11_TIME42", "x11_TIME42"},
        {"two words", nullptr, ""},
        {"bell\a", "ok", "ok"},
        {"del\x7f", nullptr, ""},
        {longest.c_str(), nullptr, longest},
        {tooLong.c_str(), nullptr, ""},
        {"\xe3\x81\x82", nullptr, "\xe3\x81\x82"},
        {nullptr, nullptr, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(InstanceSocket::tokenOf(c.activation, c.startup), c.token)
            << (c.activation ? c.activation : "(none)");
}

} // namespace

namespace {

constexpr uid_t Other = 65534; // another user ("nobody")

std::string pathOf(const TempFolder &folder)
{
    return InstanceSocket::cleanPath(QFile::encodeName(folder.path()).toStdString());
}

void makeFolder(const std::string &path, mode_t mode, uid_t owner = ::geteuid())
{
    ASSERT_EQ(::mkdir(path.c_str(), 0700), 0) << path;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_EQ(::chown(path.c_str(), owner, gid_t(-1)), 0);
}

// The socket's folder: the session's runtime folder where it is the user's alone (mode 700),
// else "runtime-<user>" in the temporary folder, made if missing; never a folder another user
// owns or may enter, nor a link that could be turned elsewhere. Run as root, which may give a
// folder away.
TEST(InstanceSocketTest, TheSocketsFolderIsTheUsersAlone)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give folders to another user";
    struct Case
    {
        const char *name;
        std::function<void(const std::string &base)> prepare;
        bool runtimeSet;
        const char *expected; // "run", "tmp/runtime-me" or "" for none
    } cases[] = {
        {"the session's", [](auto &b) { makeFolder(b + "/run", 0700); }, true, "run"},
        {"the session's open to others", [](auto &b) { makeFolder(b + "/run", 0755); }, true,
         "tmp/runtime-me"},
        {"the session's another user's", [](auto &b) { makeFolder(b + "/run", 0700, Other); }, true,
         "tmp/runtime-me"},
        {"none", [](auto &) {}, false, "tmp/runtime-me"},
        {"ours made before", [](auto &b) { makeFolder(b + "/tmp/runtime-me", 0700); }, false,
         "tmp/runtime-me"},
        {"ours taken by another user",
         [](auto &b) { makeFolder(b + "/tmp/runtime-me", 0700, Other); }, false, ""},
        {"ours open to others", [](auto &b) { makeFolder(b + "/tmp/runtime-me", 0777); }, false,
         ""},
        {"ours a link to a private folder",
         [](auto &b) {
             makeFolder(b + "/mine", 0700);
             ASSERT_EQ(::symlink((b + "/mine").c_str(), (b + "/tmp/runtime-me").c_str()), 0);
         },
         false, ""},
        {"ours a file",
         [](auto &b) { ASSERT_EQ(::close(::creat((b + "/tmp/runtime-me").c_str(), 0700)), 0); },
         false, ""},
        {"both another user's",
         [](auto &b) {
             makeFolder(b + "/run", 0700, Other);
             makeFolder(b + "/tmp/runtime-me", 0700, Other);
         },
         true, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        const std::string base = pathOf(folder);
        makeFolder(base + "/tmp", 01777);
        c.prepare(base);
        std::string refusal;
        const std::string got = InstanceSocket::privateFolder(
            {c.runtimeSet ? base + "/run" : "", base + "/tmp", "me", ::geteuid()}, refusal);
        const std::string expected = *c.expected ? base + "/" + c.expected : "";
        EXPECT_EQ(got, expected);
        EXPECT_EQ(refusal.empty(), !expected.empty()) << refusal;
        struct stat st
        {
        };
        if (!got.empty()) {
            ASSERT_EQ(::lstat(got.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, 0700u);
        }
    }
}

// Starts racing each other to the socket a crashed run left: one runs, every other hands its
// request to that one.
TEST(InstanceSocketTest, OfStartsRacingAfterACrashOneRuns)
{
    const TempFolder folder;
    const std::string socket = InstanceSocket::path(pathOf(folder), "/data");
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        {
            // A crashed run's socket: bound, then left without its listener.
            InstanceSocket::Listener crashed;
            ASSERT_EQ(InstanceSocket::claim(socket, "show", {}, crashed),
                      InstanceSocket::Claim::Runs);
            ::close(crashed.socket);
            ::close(crashed.lock);
        }
        constexpr int Starts = 8;
        std::array<InstanceSocket::Listener, Starts> listeners;
        std::array<InstanceSocket::Claim, Starts> claims{};
        std::atomic<int> ready = 0;
        std::vector<std::thread> starts;
        for (int i = 0; i < Starts; ++i)
            starts.emplace_back([&, i] {
                // All at once, as far as the processors allow.
                for (++ready; ready < Starts;)
                    std::this_thread::yield();
                claims[i] = InstanceSocket::claim(socket, "show", {}, listeners[i]);
            });
        for (std::thread &start : starts)
            start.join();
        EXPECT_EQ(std::count(claims.begin(), claims.end(), InstanceSocket::Claim::Runs), 1);
        EXPECT_EQ(std::count(claims.begin(), claims.end(), InstanceSocket::Claim::HandedOver),
                  Starts - 1);
        for (InstanceSocket::Listener &listener : listeners)
            InstanceSocket::release(socket, listener);
    }
}

// A launcher that goes as a start writes to it leaves the start running to start one itself,
// not ended by SIGPIPE.
TEST(InstanceSocketTest, ALauncherGoneAsTheRequestIsWrittenEndsNoWriter)
{
    const TempFolder folder;
    const std::string socket = InstanceSocket::path(pathOf(folder), "/data");
    EXPECT_EXIT(
        {
            InstanceSocket::Listener dying;
            InstanceSocket::claim(socket, "show", {}, dying);
            const int connection = InstanceSocket::connectTo(socket);
            InstanceSocket::release(socket, dying); // never accepted
            std::exit(InstanceSocket::writeRequest(connection, "show", {}) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
