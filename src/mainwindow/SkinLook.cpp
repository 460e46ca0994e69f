#include "SkinLook.h"

#include "SkinList.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "base/Paths.h"
#include "platform/KeyNames.h"
#include "settings/Settings.h"
#include "skins/SkinColours.h"
#include "skins/SkinEditorState.h"
#include "skins/SkinFolders.h"
#include "skins/SkinIni.h"
#include "skins/SkinKeys.h"
#include "skins/WindowShape.h"
#include "ui/AppContext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace {

// A colour from skin.ini on one role of a widget's palette; the widget's own where the
// value names no colour (clNone, clDefault).
void paint(QWidget &widget, QPalette::ColorRole role, quint32 value)
{
    QPalette palette = widget.palette();
    const QColor colour = SkinColours::toColor(value, palette);
    if (!colour.isValid())
        return;
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

} // namespace

SkinLook::SkinLook(const Parts &parts)
    : m_parts(parts)
{
    m_parts.shape.setTransparentColour(SkinColours::White);
    m_parts.shape.lower();
}

void SkinLook::applyDesignedLayout()
{
    m_parts.window.resize(190, 38);
    m_parts.icon.setGeometry(157, 0, 32, 32);
    m_parts.keywordBox.setGeometry(-8, 0, 153, 20);
    m_parts.description.setGeometry(0, 24, 153, 14);
}

void SkinLook::applyDefaultLayout()
{
    m_parts.window.resize(190, 38);
    m_parts.icon.setGeometry(157, 0, 32, 32);
    m_parts.keywordBox.setGeometry(0, 0, 153, 20);
    m_parts.description.setGeometry(0, 24, 153, 14);
}

void SkinLook::startUp()
{
    const QString root = SkinFolders::root(m_parts.context.dataFolder);
    Paths::ensureFolder(root);

    SkinList &menu = m_parts.skins;
    menu.setDefaultSkin(m_parts.settings.defaultSkin());
    const QString stored = m_parts.settings.selectedSkinName();

    // Each skin goes on top of the submenu, so that it lists them in reverse, "default" last.
    for (const QString &skin : SkinFolders::list(root)) {
        menu.addSkin(skin);
        if (skin == stored) {
            menu.setDefaultSkin(false);
            menu.checkSkin(skin);
            // A broken skin must not cost the run its keyword list and its tray icon.
            guarded(m_parts.context.interaction, [&] { apply(skin); });
        }
    }
    if (menu.defaultSkin())
        applyDefaultLayout();
}

void SkinLook::apply(const QString &skin)
{
    m_selectedName = skin;
    m_parts.skins.checkSkin(skin);
    m_parts.settings.setSelectedSkinName(skin);
    m_parts.settings.writeSelectedSkin();

    // Read in this order, each colour and the description's width taking effect at once.
    const QString root = SkinFolders::root(m_parts.context.dataFolder);
    const SkinIni ini(SkinFolders::iniPath(root, skin));
    namespace Key = SkinKeys;
    namespace Default = SkinKeys::MainDefaults;
    const QString bitmap = ini.readText(Key::SkinName, Default::SkinName);
    const int iconTop = ini.readInteger(Key::IconTop, Default::IconTop);
    const int iconLeft = ini.readInteger(Key::IconLeft, Default::IconLeft);
    const int listTop = ini.readInteger(Key::ListTop, Default::ListTop);
    const int listLeft = ini.readInteger(Key::ListLeft, Default::ListLeft);
    const int listWidth = ini.readInteger(Key::ListWidth, Default::ListWidth);
    paint(m_parts.input, QPalette::Base, ini.readColour(Key::ListBColor, Default::ListBColor));
    paint(m_parts.input, QPalette::Text, ini.readColour(Key::ListTColor, Default::ListTColor));
    const int explanationTop = ini.readInteger(Key::ExplanationTop, Default::ExplanationTop);
    const int explanationLeft = ini.readInteger(Key::ExplanationLeft, Default::ExplanationLeft);
    m_parts.description.resize(
        ini.readInteger(Key::ExplanationWidth, Default::ExplanationWidth),
        m_parts.description.height());
    WindowShape &shape = m_parts.shape;
    shape.setTransparentColour(ini.readColour(
        Key::TransparentColor, SkinColours::toText(m_parts.editorState.transparentColour())));
    paint(m_parts.description, QPalette::WindowText,
          ini.readColour(Key::ExplanationTextColor, Default::ExplanationTextColor));

    shape.loadPicture(SkinFolders::bitmapPath(root, skin, bitmap));
    shape.buildRegion();
    shape.show();
    m_parts.window.resize(shape.size());

    m_parts.icon.move(iconLeft, iconTop);
    m_parts.keywordBox.setGeometry(listLeft, listTop, listWidth, m_parts.keywordBox.height());
    m_parts.description.move(explanationLeft, explanationTop);
    shape.applyRegion();
    m_parts.window.update();
}

void SkinLook::applyDefault()
{
    m_parts.skins.setDefaultSkin(true);
    m_parts.shape.hide();
    m_parts.shape.clearPicture();
    // Rectangular again; the window stays where it is, with the focus it has.
    m_parts.window.clearMask();
    applyDefaultLayout();
    m_selectedName = QStringLiteral("default");

    m_parts.settings.setDefaultSkin(true);
    m_parts.settings.setSelectedSkinName(m_selectedName);
    m_parts.settings.writeSkinChoice();
}

bool SkinLook::defaultChosen() const
{
    return m_parts.skins.defaultSkin();
}
