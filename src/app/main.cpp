// The program: the command line, the platform services and the message boxes, then the
// composition root with the shared state and the windows, living until the exit command ends
// the loop.
#include "CompositionRoot.h"
#include "QtTranslations.h"
#include "SingleInstance.h"
#include "platform/ShortcutHelp.h"

#include "base/DataLocation.h"
#include "base/Guard.h"
#include "base/InstanceSocket.h"
#include "base/Paths.h"
#include "base/QtInteraction.h"
#include "dialogs/AboutDialog.h"
#include "mainwindow/MainWindow.h"
#include "platform/PlatformServices.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"
#include "ui/ProgramIcon.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

// The toolkit's own options that the program lets through, each with its value: where to
// show (-display, -platform, -platformtheme), a look (-style, -stylesheet), and the session
// manager's -session, which restarts a program with it.
constexpr const char *ToolkitOptions[] = {"-display",    "-platform", "-platformtheme",  "-style",
                                          "-stylesheet", "-session",  "-qwindowgeometry"};

bool isToolkitOption(const char *argument)
{
    // The toolkit takes "--name" as well as "-name".
    if (std::strncmp(argument, "--", 2) == 0)
        ++argument;
    return std::any_of(
        std::begin(ToolkitOptions), std::end(ToolkitOptions),
        [argument](const char *option) { return std::strcmp(argument, option) == 0; });
}

// What a start asks of a launcher already running for its data folder, by its option.
constexpr std::pair<const char *, SingleInstance::Request> RequestOptions[] = {
    {"--show", SingleInstance::Request::Show},
    {"--hide", SingleInstance::Request::Hide},
    {"--toggle", SingleInstance::Request::Toggle},
};

// --help, --version and --shortcut-help answer without a window, or a display; so does
// anything else the program would not understand, refused before the toolkit looks for a
// display. Answers the exit status, or -1 to go on and start; sets the request for a running
// launcher.
int commandLine(int argc, char **argv, SingleInstance::Request &request)
{
    for (int i = 1; i < argc; ++i) {
        const char *option = argv[i];
        if (std::strcmp(option, "--help") == 0 || std::strcmp(option, "-h") == 0) {
            std::printf(
                "Usage: tblaunch [OPTION]\n"
                "A keyword launcher: type the first letters of a keyword, press Enter, and the\n"
                "program, document, folder or web page registered under it opens.\n"
                "Started again while it runs, the running launcher comes forward.\n"
                "\n"
                "      --show     bring the running launcher forward (start one if none runs)\n"
                "      --hide     put the running launcher away (start none)\n"
                "      --toggle   put it away when it is shown with the focus, else as --show\n"
                "                 (tblaunch-summon takes the same three and answers at once: the\n"
                "                 command to bind to a key in the desktop's shortcut settings)\n"
                "      --shortcut-help  how to bind it on this desktop, and exit\n"
                "  -h, --help     display this help and exit\n"
                "  -v, --version  output version information and exit\n"
                "\n"
                "Installed, it keeps keywords, skins and settings in $XDG_DATA_HOME/tblaunch and\n"
                "$XDG_CONFIG_HOME/tblaunch; a copy in a folder of its own keeps them beside it.\n");
            return 0;
        }
        if (std::strcmp(option, "--shortcut-help") == 0) {
            std::fputs(ShortcutHelp::text(ShortcutHelp::Environment::ofThisProcess(),
                                          ShortcutHelp::summonBesideThisProgram())
                           .c_str(),
                       stdout);
            return 0;
        }
        if (std::strcmp(option, "--version") == 0 || std::strcmp(option, "-v") == 0) {
            std::printf("tblaunch %s\n", TB_VERSION);
            return 0;
        }
        if (const auto *known = std::find_if(
                std::begin(RequestOptions), std::end(RequestOptions),
                [option](const auto &pair) { return std::strcmp(option, pair.first) == 0; });
            known != std::end(RequestOptions)) {
            request = known->second;
            continue;
        }
        if (isToolkitOption(option) && i + 1 < argc) {
            ++i;
            continue;
        }
        const char *fault = isToolkitOption(option) ? "missing value for"
                            : option[0] == '-'      ? "unknown option"
                                                    : "unexpected argument";
        std::fprintf(
            stderr,
            "tblaunch: %s '%s'\n"
            "Usage: tblaunch [--show | --hide | --toggle | --shortcut-help | -h | --help |\n"
            "                -v | --version]\n",
            fault, option);
        return 2;
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    SingleInstance::Request request = SingleInstance::Request::Show;
    if (const int status = commandLine(argc, argv, request); status >= 0)
        return status;

    // The desktop's token for the focus, for the running launcher or for this one's first
    // show. Programs launched from here must not inherit it (a stale token, or one a desktop
    // would take from them as the launcher's): it leaves the environment as soon as the
    // toolkit, which takes X11's startup notification from there as it starts, is up.
    const std::string_view given = InstanceSocket::tokenOf(std::getenv("XDG_ACTIVATION_TOKEN"),
                                                           std::getenv("DESKTOP_STARTUP_ID"));
    const QByteArray startToken(given.data(), qsizetype(given.size()));
    prepareToolkit(argc, argv);
    QApplication app(argc, argv);
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    QApplication::setApplicationName(applicationTitle());
    // The installed desktop entry's name, which Wayland desktops take for the app id.
    QGuiApplication::setDesktopFileName(QStringLiteral("example.tobio.tblaunch"));
    const std::unique_ptr<QObject> composition = startKeyComposition();

    const DataLocation location = DataLocation::ofThisProgram();
    SingleInstance instance(location.dataFolder);
    // Nothing running is nothing to put away: no launcher is started for it.
    if (request == SingleInstance::Request::Hide) {
        instance.send(request);
        return 0;
    }
    if (!instance.claim(request, startToken))
        return 0;

    installJapaneseQtTranslations(app);
    // Hidden to the notification area is not the end; only the exit command ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Message boxes and menus in the forms' Japanese Gothic too, and no second font loaded.
    QApplication::setFont(FormDesign::font());
    QApplication::setWindowIcon(programIcon());

    PlatformServices platform = createPlatformServices();
    QtInteraction interaction;
    guarded(interaction, [&] { location.prepare(); });
    AppContext context{.dataFolder = location.dataFolder,
                       .settingsFile = location.settingsFile,
                       .shell = *platform.shell,
                       .power = *platform.power,
                       .icons = *platform.icons,
                       .keyNames = *platform.keyNames,
                       .windowFrame = *platform.windowFrame,
                       .hotkeys = *platform.hotkeys,
                       .interaction = interaction,
                       .helpFile = Paths::helpFile(),
                       .applications = *platform.applications};

    CompositionRoot root(context);
    root.aboutDialog().setDataLocation(location.portable, location.dataFolder);
    MainWindow &mainWindow = root.mainWindow();
    QObject::connect(&instance, &SingleInstance::requested, &mainWindow,
                     [&mainWindow](SingleInstance::Request asked, const QByteArray &token) {
                         switch (asked) {
                         case SingleInstance::Request::Show:
                             mainWindow.comeForward(token);
                             break;
                         case SingleInstance::Request::Hide:
                             mainWindow.putAway();
                             break;
                         case SingleInstance::Request::Toggle:
                             mainWindow.toggleShown(token);
                             break;
                         }
                     });
    // The window shown first takes the focus with the token this start was given.
    if (!startToken.isEmpty())
        context.windowFrame.bringForward(*mainWindow.windowHandle(), startToken);

    return QApplication::exec();
}
