#include "InstanceSocket.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace InstanceSocket {

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// Empty when the folder is the user's own and no one else may enter it, else why not. The
// session's runtime folder is taken where it leads; the one made in the shared temporary
// folder must be no link, which its maker could point elsewhere after the check.
std::string whyNotPrivate(const std::string &folder, uid_t uid, bool followLink)
{
    struct stat st
    {
    };
    if ((followLink ? ::stat(folder.c_str(), &st) : ::lstat(folder.c_str(), &st)) != 0)
        return folder + ": " + std::strerror(errno);
    if (!S_ISDIR(st.st_mode))
        return folder + " is no folder";
    if (st.st_uid != uid)
        return folder + " belongs to another user";
    if ((st.st_mode & 0777) != 0700) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%03o", unsigned(st.st_mode & 0777));
        return folder + " has mode " + mode + ", not 700";
    }
    return {};
}

// A local stream socket at the path, made ready by `use` (bind and listen, or connect);
// -1 where the path does not fit an address or `use` fails.
template <typename Use> int socketAt(const std::string &socketPath, Use use)
{
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path)
        return -1;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (!use(fd, reinterpret_cast<const sockaddr *>(&address), socklen_t(sizeof address))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int listenAt(const std::string &socketPath)
{
    return socketAt(socketPath, [](int fd, const sockaddr *address, socklen_t size) {
        return ::bind(fd, address, size) == 0 && ::listen(fd, 8) == 0;
    });
}

} // namespace

Environment Environment::ofThisProcess()
{
    return {environment("XDG_RUNTIME_DIR"), environment("TMPDIR"), {}, ::geteuid()};
}

std::string privateFolder(const Environment &environment, std::string &refusal)
{
    std::string runtimeRefusal;
    if (!environment.runtimeFolder.empty() && environment.runtimeFolder[0] == '/') {
        const std::string runtime = cleanPath(environment.runtimeFolder);
        runtimeRefusal = whyNotPrivate(runtime, environment.uid, true);
        if (runtimeRefusal.empty())
            return runtime;
    }
    const std::string temp = !environment.tempFolder.empty() && environment.tempFolder[0] == '/'
                                 ? cleanPath(environment.tempFolder)
                                 : std::string("/tmp");
    // The user's name is looked up only here: it costs the summon command a tenth of a
    // millisecond.
    std::string user = environment.userName;
    if (const passwd *entry = user.empty() ? ::getpwuid(environment.uid) : nullptr)
        user = entry->pw_name;
    const std::string own = (temp == "/" ? std::string() : temp) + "/runtime-"
                            + (user.empty() ? std::to_string(environment.uid) : user);
    ::mkdir(own.c_str(), 0700);
    refusal = whyNotPrivate(own, environment.uid, false);
    if (refusal.empty())
        return own;
    if (!runtimeRefusal.empty())
        refusal = runtimeRefusal + "; " + refusal;
    return {};
}

std::string cleanPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const size_t slash = path.find('/');
        const std::string_view part = path.substr(0, slash);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    std::string clean;
    for (const std::string_view part : parts)
        (clean += '/') += part;
    return clean.empty() ? "/" : clean;
}

int connectTo(const std::string &socketPath)
{
    return socketAt(socketPath, [](int fd, const sockaddr *address, socklen_t size) {
        return ::connect(fd, address, size) == 0;
    });
}

bool writeRequest(int connection, std::string_view request, std::string_view token)
{
    std::string line(request);
    if (isToken(token))
        (line += ' ') += token;
    line += '\n';
    // A launcher that ends as the line goes would otherwise end the writer by SIGPIPE, before
    // it could start a launcher itself.
    return ::send(connection, line.data(), line.size(), MSG_NOSIGNAL) == ssize_t(line.size());
}

bool send(const std::string &socketPath, std::string_view request, std::string_view token)
{
    const int fd = connectTo(socketPath);
    if (fd < 0)
        return false;
    const bool sent = writeRequest(fd, request, token);
    ::close(fd);
    return sent;
}

Claim claim(const std::string &socketPath, std::string_view request, std::string_view token,
            Listener &listener, int patienceMs)
{
    const std::string lockPath = socketPath + ".lock";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    for (;;) {
        const int lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (lock < 0)
            return send(socketPath, request, token) ? Claim::HandedOver : Claim::Runs;
        if (::flock(lock, LOCK_EX | LOCK_NB) == 0) {
            if (send(socketPath, request, token)) {
                ::close(lock);
                return Claim::HandedOver;
            }
            // What is left at the path is a crashed run's: no launcher holds the lock.
            ::unlink(socketPath.c_str());
            listener.socket = listenAt(socketPath);
            if (listener.socket >= 0)
                listener.lock = lock;
            else
                ::close(lock);
            return Claim::Runs;
        }
        ::close(lock);
        // Another launcher holds the lock: it listens, or will in a moment.
        if (send(socketPath, request, token))
            return Claim::HandedOver;
        if (std::chrono::steady_clock::now() >= deadline)
            return Claim::NoAnswer;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

void release(const std::string &socketPath, Listener &listener)
{
    if (listener.socket >= 0) {
        ::close(listener.socket);
        ::unlink(socketPath.c_str());
    }
    if (listener.lock >= 0)
        ::close(listener.lock);
    listener = {};
}

} // namespace InstanceSocket
