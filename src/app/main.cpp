// The program: the platform services and the message boxes, then the composition root
// with the shared state and the windows, living until the exit command ends the loop.
#include "CompositionRoot.h"
#include "QtTranslations.h"

#include "base/Paths.h"
#include "base/QtInteraction.h"
#include "platform/PlatformServices.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(applicationTitle());
    installJapaneseQtTranslations(app);
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
                       .hotkeys = *platform.hotkeys,
                       .interaction = interaction};

    CompositionRoot root(context);

    return QApplication::exec();
}
