#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

// Where the launcher running for a data folder listens: a socket in the user's runtime
// folder named after the folder's path. Plain C++, for the summon command too, which must
// not load the toolkit.
namespace InstanceSocket {

// The path of the socket for the data folder, given clean (absolute, no "." or ".." parts, no
// doubled or trailing "/") and in the file system's encoding.
inline std::string path(std::string_view runtimeFolder, std::string_view dataFolder)
{
    // FNV-1a, 64 bits: a name, not a secret.
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const unsigned char c : dataFolder) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    static constexpr char digits[] = "0123456789abcdef";
    std::string name(runtimeFolder);
    name += "/tblaunch-";
    for (int shift = 60; shift >= 0; shift -= 4)
        name += digits[(hash >> shift) & 0xF];
    return name;
}

// The longest activation token passed on; a longer one, or one with a space or a control
// character in it, is none.
constexpr std::size_t MaxTokenLength = 255;

inline bool isToken(std::string_view token)
{
    if (token.empty() || token.size() > MaxTokenLength)
        return false;
    for (const unsigned char c : token)
        if (c <= ' ' || c == 0x7F)
            return false;
    return true;
}

// The activation token the desktop gave the program that is now asking (Wayland's, or the
// X11 startup notification's), or empty.
inline std::string_view tokenOf(const char *activationToken, const char *startupId)
{
    for (const char *token : {activationToken, startupId})
        if (token && isToken(token))
            return token;
    return {};
}

// Writes the request's word as one line to the launcher listening on the socket, followed by
// a space and the activation token when there is one; false when none takes it (a dead
// socket refuses the connection at once).
inline bool send(const std::string &socketPath, std::string_view request,
                 std::string_view token = {})
{
    sockaddr_un address{};
    if (socketPath.size() >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool sent = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    if (sent) {
        std::string line(request);
        if (isToken(token))
            (line += ' ') += token;
        line += '\n';
        sent = ::write(fd, line.data(), line.size()) == ssize_t(line.size());
    }
    ::close(fd);
    return sent;
}

} // namespace InstanceSocket
