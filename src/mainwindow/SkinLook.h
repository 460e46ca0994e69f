#pragma once

#include <QString>

class Settings;
class SkinEditorState;
class SkinList;
class SkinView;
struct AppContext;

// How the main window looks: its designed layout, the default layout, or a skin from the
// skin root, whose bitmap gives the window its shape and whose skin.ini places the input
// line, the icon and the description and gives their colours. The skins are listed in the
// menu's skin submenu; the one chosen last in this run is the selected skin name. It says
// what to show; the window's SkinView shows it.
class SkinLook
{
public:
    struct Parts
    {
        SkinView &view;
        SkinList &skins;
        AppContext &context;
        Settings &settings;
        // The skin editor's transparent colour is the default of a skin that names none.
        const SkinEditorState &editorState;
    };

    explicit SkinLook(const Parts &parts);

    // As the window is made, before start-up reads anything.
    void applyDesignedLayout();

    // Start-up: makes the skin root, lists its skins in the menu and applies the one the
    // settings name, else the default layout when the settings say so. A skin that fails is
    // reported and start-up goes on: the window keeps the look it had.
    void startUp();

    // A skin chosen from the menu. Stops with an Error at the step that fails, leaving what
    // the steps before it did: the settings key, the menu's check, the colours and the
    // description's width go first; the picture, the shape and the places last.
    void apply(const QString &skin);
    // "default" chosen: the plain window in the default layout; the skin's colours stay.
    void applyDefault();

    // The skin chosen last in this run ("default" for the default layout), empty when none.
    const QString &selectedName() const { return m_selectedName; }
    // The default layout is checked in the menu.
    bool defaultChosen() const;

private:
    Parts m_parts;
    QString m_selectedName;
};
