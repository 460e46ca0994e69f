// The ordinary build's main for a fuzz target: runs LLVMFuzzerTestOneInput once on every file
// of the folders (recursively) and files named, so that the seeds and kept corpora are
// regression tests under CTest. A crash or a broken invariant ends the process, which fails the
// test; the input being run is named first.

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

const char *current = "";

void onCrash(int signal)
{
    const char *prefix = "fuzz replay: died on input ";
    [[maybe_unused]] auto written = write(STDERR_FILENO, prefix, std::strlen(prefix));
    written = write(STDERR_FILENO, current, std::strlen(current));
    written = write(STDERR_FILENO, "\n", 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

int main(int argc, char **argv)
{
    namespace fs = std::filesystem;
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        if (fs::is_directory(path)) {
            for (const auto &entry : fs::recursive_directory_iterator(path)) {
                // Hidden files (.gitkeep) are no inputs.
                if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.'))
                    inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(path)) {
            inputs.push_back(path);
        } else {
            std::fprintf(stderr, "fuzz replay: no such file or folder: %s\n", argv[i]);
            return 2;
        }
    }
    std::sort(inputs.begin(), inputs.end());

    for (int signal : {SIGABRT, SIGSEGV, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, onCrash);
    for (const fs::path &path : inputs) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "fuzz replay: cannot read %s\n", path.c_str());
            return 2;
        }
        // A string's data is never null, even for an empty input, as with libFuzzer.
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        const std::string name = path.string();
        current = name.c_str();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size());
    }
    std::printf("fuzz replay: %zu inputs ran\n", inputs.size());
    return 0;
}
