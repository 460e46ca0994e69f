#include "SkinLook.h"

#include "SkinList.h"
#include "SkinView.h"

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
#include "ui/AppContext.h"

namespace {

// The window as designed, and the default layout, which moves the keyword box to the edge.
constexpr SkinView::Layout DesignedLayout{
    {190, 38}, {157, 0, 32, 32}, {-8, 0, 153, 20}, {0, 24, 153, 14}};
constexpr SkinView::Layout DefaultLayout{
    {190, 38}, {157, 0, 32, 32}, {0, 0, 153, 20}, {0, 24, 153, 14}};

} // namespace

SkinLook::SkinLook(const Parts &parts)
    : m_parts(parts)
{
}

void SkinLook::applyDesignedLayout()
{
    m_parts.view.lay(DesignedLayout);
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
        m_parts.view.lay(DefaultLayout);
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
    SkinView &view = m_parts.view;
    using Colour = SkinView::Colour;
    view.paint(Colour::LineBackground, ini.readColour(Key::ListBColor, Default::ListBColor));
    view.paint(Colour::LineText, ini.readColour(Key::ListTColor, Default::ListTColor));
    const int explanationTop = ini.readInteger(Key::ExplanationTop, Default::ExplanationTop);
    const int explanationLeft = ini.readInteger(Key::ExplanationLeft, Default::ExplanationLeft);
    view.setDescriptionWidth(ini.readInteger(Key::ExplanationWidth, Default::ExplanationWidth));
    view.setTransparentColour(ini.readColour(
        Key::TransparentColor, SkinColours::toText(m_parts.editorState.transparentColour())));
    view.paint(Colour::DescriptionText,
               ini.readColour(Key::ExplanationTextColor, Default::ExplanationTextColor));

    view.showPicture(SkinFolders::bitmapPath(root, skin, bitmap));
    view.place({iconLeft, iconTop}, {listLeft, listTop, listWidth, 0},
               {explanationLeft, explanationTop});
}

void SkinLook::applyDefault()
{
    m_parts.skins.setDefaultSkin(true);
    m_parts.view.showPlain();
    m_parts.view.lay(DefaultLayout);
    m_selectedName = QStringLiteral("default");

    m_parts.settings.setDefaultSkin(true);
    m_parts.settings.setSelectedSkinName(m_selectedName);
    m_parts.settings.writeSkinChoice();
}

bool SkinLook::defaultChosen() const
{
    return m_parts.skins.defaultSkin();
}
