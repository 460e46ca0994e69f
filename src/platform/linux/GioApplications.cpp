#include "GioApplications.h"

#include <gio/gdesktopappinfo.h>

#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <unordered_set>

namespace {

struct Unref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GDesktopAppInfo, Unref>;
using LaunchContext = std::unique_ptr<GAppLaunchContext, Unref>;

void field(std::FILE *out, const char *text)
{
    if (text)
        std::fputs(text, out);
    std::fputc('\0', out);
}

void describe(std::FILE *out, const std::string &file, GDesktopAppInfo *info)
{
    GAppInfo *app = G_APP_INFO(info);
    field(out, file.c_str());
    field(out, g_app_info_get_name(app));
    field(out, g_app_info_get_description(app));
    field(out, g_desktop_app_info_get_generic_name(info));
    std::string keywords;
    if (const char *const *keyword = g_desktop_app_info_get_keywords(info))
        for (; *keyword; ++keyword) {
            if (!keywords.empty())
                keywords += GioApplications::KeywordSeparator;
            keywords += *keyword;
        }
    field(out, keywords.c_str());
    const char *executable = g_app_info_get_executable(app);
    field(out, executable ? std::filesystem::path(executable).filename().c_str() : nullptr);
}

// The localised Name of an entry GLib will not take (gone, or its program is), for saying so.
std::string nameOf(const std::string &file)
{
    std::string name;
    GKeyFile *keys = g_key_file_new();
    if (g_key_file_load_from_file(keys, file.c_str(), G_KEY_FILE_NONE, nullptr)) {
        char *localised = g_key_file_get_locale_string(
            keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NAME, nullptr, nullptr);
        if (localised)
            name = localised;
        g_free(localised);
    }
    g_key_file_free(keys);
    return name.empty() ? file : name;
}

// Activates the application over D-Bus and waits for the desktop's answer: the bus starts an
// application that is not running and delivers the request only while its sender is connected.
void activateOverBus(GAppInfo *app)
{
    GMainLoop *loop = g_main_loop_new(nullptr, FALSE);
    const LaunchContext context(g_app_launch_context_new());
    g_app_info_launch_uris_async(
        app, nullptr, context.get(), nullptr,
        [](GObject *source, GAsyncResult *result, gpointer loop) {
            g_app_info_launch_uris_finish(G_APP_INFO(source), result, nullptr);
            g_main_loop_quit(static_cast<GMainLoop *>(loop));
        },
        loop);
    g_timeout_add_seconds(
        60,
        [](gpointer loop) {
            g_main_loop_quit(static_cast<GMainLoop *>(loop));
            return G_SOURCE_REMOVE;
        },
        loop);
    g_main_loop_run(loop);
    g_main_loop_unref(loop);
}

} // namespace

void GioApplications::list(const std::vector<std::string> &folders, std::FILE *out)
{
    namespace fs = std::filesystem;
    std::unordered_set<std::string> ids;
    for (const std::string &folder : folders) {
        std::error_code error;
        fs::recursive_directory_iterator files(folder,
                                               fs::directory_options::follow_directory_symlink
                                                   | fs::directory_options::skip_permission_denied,
                                               error);
        for (; !error && files != fs::recursive_directory_iterator(); files.increment(error)) {
            const fs::path &path = files->path();
            std::error_code notRegular;
            if (path.extension() != ".desktop" || !files->is_regular_file(notRegular))
                continue;
            // The desktop file ID: its path under the folder, "/" read as "-".
            std::string id = path.lexically_relative(folder).string();
            for (char &c : id)
                if (c == '/')
                    c = '-';
            if (!ids.insert(std::move(id)).second)
                continue;
            // Null for a file that cannot be read, a Type other than Application, and a
            // TryExec or Exec program that is missing; should_show() judges NoDisplay and
            // OnlyShowIn/NotShowIn, not Hidden.
            const AppInfo info(g_desktop_app_info_new_from_filename(path.c_str()));
            if (info && !g_desktop_app_info_get_is_hidden(info.get())
                && g_app_info_should_show(G_APP_INFO(info.get())))
                describe(out, path.string(), info.get());
        }
    }
}

GioApplications::Launched GioApplications::launch(const std::string &file, std::FILE *out,
                                                  int programOutput)
{
    const AppInfo info(g_desktop_app_info_new_from_filename(file.c_str()));
    if (!info) {
        std::fputs(nameOf(file).c_str(), out);
        return NotFound;
    }
    GAppInfo *app = G_APP_INFO(info.get());
    const char *name = g_app_info_get_name(app);
    if (g_desktop_app_info_get_boolean(info.get(), "DBusActivatable")) {
        // Forked before GLib has a thread or a connection; the caller hears "started" at once,
        // as GLib's own launch tells nothing of the bus's answer either.
        std::fflush(out);
        const pid_t child = ::fork();
        if (child != 0) {
            if (child > 0)
                return Started;
            std::fprintf(out, "%s\n%s", name, g_strerror(errno));
            return NotStarted;
        }
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0)
            ::dup2(nowhere, ::fileno(out));
        activateOverBus(app);
        return Started;
    }
    const LaunchContext context(g_app_launch_context_new());
    GError *error = nullptr;
    if (!g_desktop_app_info_launch_uris_as_manager_with_fds(
            info.get(), nullptr, context.get(), G_SPAWN_SEARCH_PATH, nullptr, nullptr, nullptr,
            nullptr, -1, programOutput, programOutput, &error)) {
        std::fprintf(out, "%s\n%s", name, error ? error->message : "");
        g_clear_error(&error);
        return NotStarted;
    }
    return Started;
}
