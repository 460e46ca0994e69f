#include "CompositionRoot.h"

#include "Summoner.h"

#include "base/Guard.h"
#include "dialogs/KeywordOrderDialog.h"
#include "dialogs/RegistrationDialog.h"
#include "dialogs/SpecialItemsDialog.h"
#include "keywords/Entry.h"
#include "keywords/EntryIcon.h"
#include "mainwindow/MainWindow.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/SettingsDialog.h"
#include "skineditor/DescriptionMarker.h"
#include "skineditor/IconMarker.h"
#include "skineditor/ListMarker.h"
#include "skineditor/SkinChooser.h"
#include "skineditor/SkinEditor.h"
#include "skineditor/SkinNameDialog.h"
#include "skineditor/TransparentColourPicker.h"
#include "ui/AppContext.h"

CompositionRoot::CompositionRoot(AppContext &context)
    : m_context(context)
    , m_store(context.dataFolder)
    , m_settings(context.settingsFile, context.keyNames)
{
    m_settings.load();
    m_mainWindow =
        std::make_unique<MainWindow>(context, m_store, m_readings, m_settings, m_skinEditorState);
    m_mainWindow->startUp();
    m_mainWindow->show();
    m_summoner = std::make_unique<Summoner>(context.hotkeys, m_settings, context.interaction);
    MainWindow *main = m_mainWindow.get();
    m_summoner->setTarget([main](bool atPointer) { main->summon(atPointer); },
                          *main->windowHandle());
    m_summoner->start();

    m_settingsDialog = std::make_unique<SettingsDialog>(context, m_settings);
    m_specialItemsDialog = std::make_unique<SpecialItemsDialog>(context, m_store, m_settings);
    m_aboutDialog = std::make_unique<AboutDialog>(context.interaction);
    m_keywordOrderDialog =
        std::make_unique<KeywordOrderDialog>(context, m_store, m_readings, m_settings);

    m_iconMarker = std::make_unique<IconMarker>(context);
    m_listMarker = std::make_unique<ListMarker>(context);
    m_descriptionMarker = std::make_unique<DescriptionMarker>(context, m_skinEditorState);
    m_skinNameDialog = std::make_unique<SkinNameDialog>(context);
    m_picker = std::make_unique<TransparentColourPicker>();
    m_skinEditor = std::make_unique<SkinEditor>(
        context, SkinEditor::Parts{m_skinEditorState, *m_picker, *m_iconMarker, *m_listMarker,
                                   *m_descriptionMarker, *m_skinNameDialog});
    m_skinChooser = std::make_unique<SkinChooser>(context);

    connectWindows();
    connectSkinEditor();
}

CompositionRoot::~CompositionRoot()
{
    m_skinChooser.reset();
    m_skinEditor.reset();
    m_picker.reset();
    m_skinNameDialog.reset();
    m_descriptionMarker.reset();
    m_listMarker.reset();
    m_iconMarker.reset();
    m_keywordOrderDialog.reset();
    m_aboutDialog.reset();
    m_specialItemsDialog.reset();
    m_settingsDialog.reset();
    m_registrationDialog.reset();
    m_summoner.reset();
    m_mainWindow.reset();
}

RegistrationDialog &CompositionRoot::registrationDialog()
{
    if (!m_registrationDialog) {
        m_registrationDialog = std::make_unique<RegistrationDialog>(m_context, m_store);
        QObject::connect(m_registrationDialog.get(), &RegistrationDialog::registered,
                         m_mainWindow.get(), &MainWindow::clearDisplay);
    }
    return *m_registrationDialog;
}

void CompositionRoot::connectWindows()
{
    // Each opened window reports its own errors; none crosses back into the main window.
    Interaction &interaction = m_context.interaction;
    MainWindow *main = m_mainWindow.get();
    QObject::connect(main, &MainWindow::newEntryRequested, main, [this, &interaction] {
        guarded(interaction, [&] { registrationDialog().openNew(); });
    });
    QObject::connect(main, &MainWindow::entryEditRequested, main,
                     [this, &interaction](const QString &keyword, const Entry &entry,
                                          const IconRef &icon, bool descriptionOnly) {
                         guarded(interaction, [&] {
                             registrationDialog().openEntry(keyword, entry, icon, descriptionOnly);
                         });
                     });
    QObject::connect(main, &MainWindow::pathRegistrationRequested, main,
                     [this, &interaction](const QString &keyword, const QString &path,
                                          const IconRef &icon) {
                         guarded(interaction,
                                 [&] { registrationDialog().openPath(keyword, path, icon); });
                     });
    QObject::connect(main, &MainWindow::windowRequested, main,
                     [this, &interaction](LauncherCommand command, QPoint position) {
                         guarded(interaction, [&] { openWindow(command, position); });
                     });
    QObject::connect(m_summoner.get(), &Summoner::boundByDesktop, m_settingsDialog.get(),
                     &SettingsDialog::showBoundByDesktop);
    QObject::connect(m_summoner.get(), &Summoner::desktopBindsNoHotkeys, m_settingsDialog.get(),
                     &SettingsDialog::showNoHotkeyForPrograms);
    QObject::connect(m_settingsDialog.get(), &SettingsDialog::stayOnTopConfirmed, main,
                     &MainWindow::keepOnTop);
}

void CompositionRoot::openWindow(LauncherCommand command, QPoint position)
{
    using C = LauncherCommand;
    switch (command) {
    case C::SpecialItems:
        m_specialItemsDialog->openItems();
        break;
    case C::Settings:
        m_settingsDialog->openAt(position);
        break;
    case C::KeywordOrder:
        m_keywordOrderDialog->openAt(position);
        break;
    case C::About:
        m_aboutDialog->openModal();
        break;
    case C::EditSkinIni:
        m_skinChooser->openAt(position);
        break;
    case C::SkinEditor:
        m_skinEditor->startNew(position);
        break;
    default:
        break;
    }
}

void CompositionRoot::connectSkinEditor()
{
    SkinEditor *editor = m_skinEditor.get();
    m_skinChooser->opener = [editor](const QString &skin, QPoint mainCorner) {
        editor->openSkin(skin, mainCorner);
    };
}
