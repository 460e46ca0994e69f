#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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

} // namespace InstanceSocket
