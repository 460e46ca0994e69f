#include "CompositionRoot.h"

#include "Summoner.h"

#include "base/Guard.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/KeywordOrderDialog.h"
#include "dialogs/RegistrationDialog.h"
#include "dialogs/SettingsDialog.h"
#include "dialogs/SpecialItemsDialog.h"
#include "keywords/Entry.h"
#include "keywords/EntryIcon.h"
#include "mainwindow/MainWindow.h"
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

    connectWindows();
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

SettingsDialog &CompositionRoot::settingsDialog()
{
    if (!m_settingsDialog) {
        m_settingsDialog = std::make_unique<SettingsDialog>(m_context, m_settings);
        if (m_hotkeyReport)
            m_hotkeyReport(*m_settingsDialog);
        QObject::connect(m_settingsDialog.get(), &SettingsDialog::stayOnTopConfirmed,
                         m_mainWindow.get(), &MainWindow::keepOnTop);
    }
    return *m_settingsDialog;
}

SpecialItemsDialog &CompositionRoot::specialItemsDialog()
{
    if (!m_specialItemsDialog)
        m_specialItemsDialog = std::make_unique<SpecialItemsDialog>(m_context, m_store, m_settings);
    return *m_specialItemsDialog;
}

AboutDialog &CompositionRoot::aboutDialog()
{
    if (!m_aboutDialog)
        m_aboutDialog = std::make_unique<AboutDialog>(m_context.interaction);
    return *m_aboutDialog;
}

KeywordOrderDialog &CompositionRoot::keywordOrderDialog()
{
    if (!m_keywordOrderDialog)
        m_keywordOrderDialog =
            std::make_unique<KeywordOrderDialog>(m_context, m_store, m_readings, m_settings);
    return *m_keywordOrderDialog;
}

void CompositionRoot::makeSkinEditor()
{
    if (m_skinEditor)
        return;
    m_iconMarker = std::make_unique<IconMarker>(m_context);
    m_listMarker = std::make_unique<ListMarker>(m_context);
    m_descriptionMarker = std::make_unique<DescriptionMarker>(m_context, m_skinEditorState);
    m_skinNameDialog = std::make_unique<SkinNameDialog>(m_context);
    m_picker = std::make_unique<TransparentColourPicker>();
    m_skinEditor = std::make_unique<SkinEditor>(
        m_context, SkinEditor::Parts{m_skinEditorState, *m_picker, *m_iconMarker, *m_listMarker,
                                     *m_descriptionMarker, *m_skinNameDialog});
}

SkinChooser &CompositionRoot::skinChooser()
{
    if (!m_skinChooser) {
        m_skinChooser = std::make_unique<SkinChooser>(m_context);
        m_skinChooser->opener = [this](const QString &skin, QPoint mainCorner) {
            skinEditor().openSkin(skin, mainCorner);
        };
    }
    return *m_skinChooser;
}

void CompositionRoot::reportHotkey(std::function<void(SettingsDialog &)> report)
{
    m_hotkeyReport = std::move(report);
    if (m_settingsDialog)
        m_hotkeyReport(*m_settingsDialog);
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
    QObject::connect(
        main, &MainWindow::pathRegistrationRequested, main,
        [this, &interaction](const QString &keyword, const QString &path, const IconRef &icon) {
            guarded(interaction, [&] { registrationDialog().openPath(keyword, path, icon); });
        });
    QObject::connect(main, &MainWindow::windowRequested, main,
                     [this, &interaction](LauncherCommand command, QPoint position) {
                         guarded(interaction, [&] { openWindow(command, position); });
                     });
    QObject::connect(
        m_summoner.get(), &Summoner::boundByDesktop, main, [this](const QString &trigger) {
            reportHotkey([trigger](SettingsDialog &dialog) { dialog.showBoundByDesktop(trigger); });
        });
    QObject::connect(m_summoner.get(), &Summoner::desktopBindsNoHotkeys, main, [this] {
        reportHotkey([](SettingsDialog &dialog) { dialog.showNoHotkeyForPrograms(); });
    });
}

void CompositionRoot::openWindow(LauncherCommand command, QPoint position)
{
    using C = LauncherCommand;
    switch (command) {
    case C::SpecialItems:
        specialItemsDialog().openItems();
        break;
    case C::Settings:
        settingsDialog().openAt(position);
        break;
    case C::KeywordOrder:
        keywordOrderDialog().openAt(position);
        break;
    case C::About:
        aboutDialog().openModal();
        break;
    case C::EditSkinIni:
        skinChooser().openAt(position);
        break;
    case C::SkinEditor:
        skinEditor().startNew(position);
        break;
    default:
        break;
    }
}
