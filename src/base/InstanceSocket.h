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

// Writes the request's word as one line to the launcher listening on the socket; false when
// none takes it (a dead socket refuses the connection at once).
inline bool send(const std::string &socketPath, std::string_view request)
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
        const std::string line = std::string(request) + '\n';
        sent = ::write(fd, line.data(), line.size()) == ssize_t(line.size());
    }
    ::close(fd);
    return sent;
}

} // namespace InstanceSocket
