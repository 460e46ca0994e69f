// tblaunch-summon: the command a desktop's own shortcut runs. It hands --show, --hide or
// --toggle to the launcher running for its data folder in a millisecond or two, without
// loading the toolkit, with the activation token the desktop gave it. It finds that launcher
// as the launcher itself places its socket (InstanceSocket). When none answers, it becomes
// `tblaunch` beside it with the same option (which starts a launcher, or finds one this
// command could not).
#include "base/InstanceSocket.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isFolder(const std::string &path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string &path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// The data folder the launcher beside this command keeps: its own folder when that is a
// portable copy's (not installed under a prefix with share/tblaunch, and writable or holding
// a keyword list), else the user's XDG data folder.
std::string dataFolder(const std::string &folder)
{
    const bool installed = isFolder(folder + "/../share/tblaunch");
    if (!installed && (::access(folder.c_str(), W_OK) == 0 || isFile(folder + "/data.lst")))
        return InstanceSocket::cleanPath(folder);
    const std::string xdg = environment("XDG_DATA_HOME");
    const std::string data =
        !xdg.empty() && xdg[0] == '/' ? xdg : environment("HOME") + "/.local/share";
    return InstanceSocket::cleanPath(data + "/tblaunch");
}

} // namespace

int main(int argc, char **argv)
{
    const std::string_view option = argc == 2 ? argv[1] : "";
    const char *request = option == "--show"     ? "show"
                          : option == "--hide"   ? "hide"
                          : option == "--toggle" ? "toggle"
                                                 : nullptr;
    if (!request) {
        std::fprintf(stderr, "Usage: tblaunch-summon --show | --hide | --toggle\n");
        return 2;
    }
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        std::fprintf(stderr, "tblaunch-summon: cannot find itself: %s\n", std::strerror(errno));
        return 1;
    }
    const std::string exe(self, size_t(length));
    const std::string folder = exe.substr(0, exe.rfind('/'));
    // The desktop's token for the focus goes along; a launcher started below finds it in the
    // environment instead.
    const std::string_view token = InstanceSocket::tokenOf(std::getenv("XDG_ACTIVATION_TOKEN"),
                                                           std::getenv("DESKTOP_STARTUP_ID"));
    std::string refusal;
    const std::string runtime =
        InstanceSocket::privateFolder(InstanceSocket::Environment::ofThisProcess(), refusal);
    if (runtime.empty())
        std::fprintf(stderr, "tblaunch-summon: no private folder to find the launcher in (%s)\n",
                     refusal.c_str());
    else if (InstanceSocket::send(InstanceSocket::path(runtime, dataFolder(folder)), request,
                                  token))
        return 0;
    const std::string program = folder + "/tblaunch";
    char *const arguments[] = {const_cast<char *>(program.c_str()), argv[1], nullptr};
    ::execv(program.c_str(), arguments);
    std::fprintf(stderr, "tblaunch-summon: cannot start %s: %s\n", program.c_str(),
                 std::strerror(errno));
    return 1;
}
