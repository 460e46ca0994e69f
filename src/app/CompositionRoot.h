#pragma once

#include "keywords/KeywordReadings.h"
#include "keywords/KeywordStore.h"
#include "mainwindow/CommandTable.h"
#include "settings/Settings.h"
#include "skins/SkinEditorState.h"

#include <functional>
#include <memory>

class AboutDialog;
class DescriptionMarker;
class IconMarker;
class ListMarker;
class SkinChooser;
class SkinEditor;
class SkinNameDialog;
class TransparentColourPicker;
class KeywordOrderDialog;
class MainWindow;
class RegistrationDialog;
class SettingsDialog;
class SpecialItemsDialog;
class Summoner;
struct AppContext;

// The composition root: the shared state and every window of the program, made in a fixed
// order and wired together here, so that no window knows another.
//
// main() first makes the platform services and the message boxes into an AppContext (a test
// makes one with fakes). Then, in this order:
//  1. the shared state: the KeywordStore with its readings (made on their own thread once
//     the main window has shown), the Settings (loaded first, so that no value waits for a
//     window) and the skin editor's state;
//  2. the main window, which runs its start-up (loading the keyword list) and appears;
//     the summoner, which grabs the hotkey and brings the main window at each press;
//  3. the wiring: the main window's requests open the dialogs and the skin editor, a
//     registration clears the main window's display, what the desktop says of the hotkey
//     reaches the settings dialog (kept until the dialog is first opened).
// The dialogs and the skin editor's windows (the three markers, the skin folder name dialog,
// the transparent colour picker, the editor that drives them, and the skin chooser) are made
// when first asked for, so that a launcher that never opens them never pays for them.
// Everything lives until the root is destroyed, the windows before the state they use (the
// readings last wait for a reader still on a word, with no window left to stall).
class CompositionRoot
{
public:
    explicit CompositionRoot(AppContext &context);
    ~CompositionRoot();

    KeywordStore &store() { return m_store; }
    KeywordReadings &readings() { return m_readings; }
    Settings &settings() { return m_settings; }
    MainWindow &mainWindow() const { return *m_mainWindow; }
    Summoner &summoner() const { return *m_summoner; }
    // Made at the first request: most sessions register nothing.
    // The windows below are made at the first call.
    RegistrationDialog &registrationDialog();
    SettingsDialog &settingsDialog();
    SpecialItemsDialog &specialItemsDialog();
    AboutDialog &aboutDialog();
    KeywordOrderDialog &keywordOrderDialog();
    SkinEditorState &skinEditorState() { return m_skinEditorState; }
    IconMarker &iconMarker() { return makeSkinEditor(), *m_iconMarker; }
    ListMarker &listMarker() { return makeSkinEditor(), *m_listMarker; }
    DescriptionMarker &descriptionMarker() { return makeSkinEditor(), *m_descriptionMarker; }
    SkinNameDialog &skinNameDialog() { return makeSkinEditor(), *m_skinNameDialog; }
    TransparentColourPicker &transparentColourPicker() { return makeSkinEditor(), *m_picker; }
    SkinEditor &skinEditor() { return makeSkinEditor(), *m_skinEditor; }
    SkinChooser &skinChooser();

private:
    void connectWindows();
    // The skin editor with the windows it drives.
    void makeSkinEditor();
    // What the desktop said of the hotkey, told to the settings dialog now or when it is made.
    void reportHotkey(std::function<void(SettingsDialog &)> report);
    // A window the main window's command opens, at the position the command gives.
    void openWindow(LauncherCommand command, QPoint position);

    AppContext &m_context;
    KeywordStore m_store;
    // The keywords' readings, made for the main window's line and read by the keyword order
    // window.
    KeywordReadings m_readings{m_store};
    Settings m_settings;
    SkinEditorState m_skinEditorState;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<Summoner> m_summoner;
    std::unique_ptr<RegistrationDialog> m_registrationDialog;
    std::unique_ptr<SettingsDialog> m_settingsDialog;
    std::unique_ptr<SpecialItemsDialog> m_specialItemsDialog;
    std::unique_ptr<AboutDialog> m_aboutDialog;
    std::unique_ptr<KeywordOrderDialog> m_keywordOrderDialog;
    std::unique_ptr<IconMarker> m_iconMarker;
    std::unique_ptr<ListMarker> m_listMarker;
    std::unique_ptr<DescriptionMarker> m_descriptionMarker;
    std::unique_ptr<SkinNameDialog> m_skinNameDialog;
    std::unique_ptr<TransparentColourPicker> m_picker;
    std::unique_ptr<SkinEditor> m_skinEditor;
    std::unique_ptr<SkinChooser> m_skinChooser;
    std::function<void(SettingsDialog &)> m_hotkeyReport;
};
