#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <sys/types.h>

// Where the launcher running for a data folder listens, and how a later start claims that
// place or hands its request over: a socket named after the folder's path, in a folder only
// the user can enter. Plain C++, for the summon command too, which must not load the toolkit.
namespace InstanceSocket {

// What decides the private folder: the session's runtime folder ($XDG_RUNTIME_DIR, empty when
// unset), the temporary folder ($TMPDIR, empty when unset), and the user (the name looked up
// when empty).
struct Environment
{
    std::string runtimeFolder;
    std::string tempFolder;
    std::string userName;
    uid_t uid = 0;

    static Environment ofThisProcess();
};

// The folder the sockets go in: the session's runtime folder, or without one the folder
// "runtime-<user>" in the temporary folder, made if missing. It must be a folder owned by the
// user that no one else may enter (mode 0700): another user who could put a socket there
// first would be handed every request and token. Empty when there is none, with the reason
// in `refusal`; the launcher then runs alone rather than listen where others could.
std::string privateFolder(const Environment &environment, std::string &refusal);

// An absolute path without "." and ".." parts and without doubled or trailing "/".
std::string cleanPath(std::string_view path);

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

// A connection to the launcher listening on the socket, or -1 when none listens there (a dead
// socket refuses the connection at once).
int connectTo(const std::string &socketPath);
// Writes the request's word as one line, followed by a space and the activation token when
// there is one; false when the launcher went meanwhile (never a signal that ends the writer).
bool writeRequest(int connection, std::string_view request, std::string_view token);
// Both, closing the connection; false when no launcher took the request.
bool send(const std::string &socketPath, std::string_view request, std::string_view token = {});

// The right to be the launcher for a data folder: a lock on "<socket>.lock", which the system
// lets go when the process ends however it ends, and the socket listening.
struct Listener
{
    int lock = -1;
    int socket = -1; // -1 while running without one
};

enum class Claim {
    Runs,       // this start is the launcher: the listener is its
    HandedOver, // another is, and took the request
    NoAnswer,   // another holds the lock but never listened
};

// Becomes the launcher or hands the request to the one that is. Of starts racing each other
// (after a crash left its socket behind) one alone takes the lock and clears the socket away;
// the others hand over once it listens, waiting for it up to `patienceMs`. The one with the
// lock still hands over to a launcher that listens without one (an older version). Where no
// lock or socket can be made, the start runs without them.
Claim claim(const std::string &socketPath, std::string_view request, std::string_view token,
            Listener &listener, int patienceMs = 5000);
// Stops listening, removes the socket and lets the lock go, in that order.
void release(const std::string &socketPath, Listener &listener);

} // namespace InstanceSocket
