// The composition root: the platform services, the message boxes and the windows, made
// in this order and living until the main window closes.
#include "base/Paths.h"
#include "base/QtInteraction.h"
#include "dialogs/FormDesign.h"
#include "launcher/AppContext.h"
#include "launcher/Windows.h"
#include "platform/PlatformServices.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle());
    // Hidden to the notification area is not the end; only the exit command ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Message boxes and menus in the forms' Japanese Gothic too, and no second font loaded.
    QApplication::setFont(FormDesign::font());

    PlatformServices platform = createPlatformServices();
    QtInteraction interaction;
    AppContext context{.executableFolder = Paths::executableFolder(),
                       .settingsFile = Paths::settingsFile(),
                       .shell = *platform.shell,
                       .power = *platform.power,
                       .icons = *platform.icons,
                       .keyNames = *platform.keyNames,
                       .windowFrame = *platform.windowFrame,
                       .interaction = interaction};

    Windows windows(context);

    return QApplication::exec();
}
