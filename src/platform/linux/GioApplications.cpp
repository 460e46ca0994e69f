#include "GioApplications.h"

#include "DesktopApplications.h"
#include "base/Error.h"
#include "platform/PlatformMessages.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSet>

// GLib's headers name struct members "signals", which Qt defines as a keyword.
#pragma push_macro("signals")
#undef signals
#include <gio/gdesktopappinfo.h>
#pragma pop_macro("signals")

#include <memory>

namespace {

struct Unref
{
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GDesktopAppInfo, Unref>;
using LaunchContext = std::unique_ptr<GAppLaunchContext, Unref>;

QString text(const char *utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}

InstalledApplication described(const QString &file, GDesktopAppInfo *info)
{
    GAppInfo *app = G_APP_INFO(info);
    InstalledApplication out;
    out.file = file;
    out.name = text(g_app_info_get_name(app));
    out.comment = text(g_app_info_get_description(app));
    out.genericName = text(g_desktop_app_info_get_generic_name(info));
    if (const char *const *keywords = g_desktop_app_info_get_keywords(info))
        for (; *keywords; ++keywords)
            out.keywords.append(text(*keywords));
    out.program = QFileInfo(text(g_app_info_get_executable(app))).fileName();
    return out;
}

} // namespace

GioApplications::GioApplications()
    : GioApplications(DesktopApplications::ofEnvironment().applications)
{
}

GioApplications::GioApplications(QStringList folders)
    : m_folders(std::move(folders))
{
}

QList<InstalledApplication> GioApplications::read() const
{
    QList<InstalledApplication> applications;
    QSet<QString> ids;
    for (const QString &folder : m_folders) {
        const qsizetype prefix = folder.size() + 1;
        // Told by their ends: a name filter would bring a regular expression engine into the
        // resident program.
        QDirIterator files(folder, QDir::Files,
                           QDirIterator::Subdirectories | QDirIterator::FollowSymlinks);
        while (files.hasNext()) {
            const QString file = files.next();
            if (!file.endsWith(QLatin1String(".desktop")))
                continue;
            // The desktop file ID: its path under the folder, "/" read as "-". The first
            // folder's entry of an ID stands for it, hidden or not.
            QString id = file.mid(prefix);
            id.replace(u'/', u'-');
            if (ids.contains(id))
                continue;
            ids.insert(id);
            // Null for a file that cannot be read, a Type other than Application, and a
            // TryExec or Exec program that is missing; should_show() judges NoDisplay and
            // OnlyShowIn/NotShowIn, not Hidden.
            const AppInfo info(
                g_desktop_app_info_new_from_filename(file.toLocal8Bit().constData()));
            if (info && !g_desktop_app_info_get_is_hidden(info.get())
                && g_app_info_should_show(G_APP_INFO(info.get())))
                applications.append(described(file, info.get()));
        }
    }
    return applications;
}

void GioApplications::launch(const QString &file)
{
    const AppInfo info(g_desktop_app_info_new_from_filename(file.toLocal8Bit().constData()));
    if (!info) {
        // Gone, or its program is: said under the name the user saw.
        GKeyFile *keys = g_key_file_new();
        QString name;
        if (g_key_file_load_from_file(keys, file.toLocal8Bit().constData(), G_KEY_FILE_NONE,
                                      nullptr)) {
            char *localised = g_key_file_get_locale_string(
                keys, G_KEY_FILE_DESKTOP_GROUP, G_KEY_FILE_DESKTOP_KEY_NAME, nullptr, nullptr);
            name = text(localised);
            g_free(localised);
        }
        g_key_file_free(keys);
        throw Error(PlatformMessages::targetNotFound(name.isEmpty() ? file : name));
    }
    const QString name = text(g_app_info_get_name(G_APP_INFO(info.get())));
    const LaunchContext context(g_app_launch_context_new());
    GError *error = nullptr;
    if (!g_app_info_launch(G_APP_INFO(info.get()), nullptr, context.get(), &error)) {
        const QString why = text(error ? error->message : nullptr);
        g_clear_error(&error);
        throw Error(PlatformMessages::cannotStart(name, why));
    }
}
