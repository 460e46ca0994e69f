// tblaunch-applications: reads and launches the desktop's installed applications for the
// launcher, so that the resident launcher never loads GIO (a couple of MiB it would otherwise
// keep all day for a job done at start and on Enter). Plain C++ and GLib.
//   tblaunch-applications FOLDER...      lists the applications of these folders
//   tblaunch-applications --launch FILE  starts the application of this desktop entry
// The output and the exit status are as GioApplications describes.
#include "platform/linux/GioApplications.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

int main(int argc, char **argv)
{
    if (argc == 3 && std::string_view(argv[1]) == "--launch")
        // The program's output goes where the launcher's own errors go, never into our pipe.
        return GioApplications::launch(argv[2], stdout, STDERR_FILENO);
    if (argc >= 2 && argv[1][0] == '-') {
        std::fprintf(stderr, "Usage: tblaunch-applications FOLDER... | --launch FILE\n");
        return 64;
    }
    GioApplications::list(std::vector<std::string>(argv + 1, argv + argc), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
