#include "SkinEditor.h"

#include "DescriptionMarker.h"
#include "IconMarker.h"
#include "ListMarker.h"
#include "SkinNameDialog.h"
#include "TransparentColourPicker.h"
#include "platform/WindowFrame.h"
#include "skins/SkinColours.h"
#include "skins/SkinEditorState.h"
#include "skins/SkinFolders.h"
#include "skins/SkinKeys.h"
#include "skins/WindowShape.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "ui/AppContext.h"
#include "ui/ProgramIcon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>

namespace {

// The window's client area with its corner at the position. Placed by the client area, a
// window stands where asked whatever frame the window manager gives it: the markers' frames
// may differ from the editor's.
void placeClient(QWidget &window, QPoint corner)
{
    window.setGeometry(QRect(corner, window.size()));
}

// The markers' designed heights, frames included: the starting places stack them.
constexpr int IconMarkerHeight = 40;
constexpr int ListMarkerHeight = 28;

} // namespace

SkinEditor::SkinEditor(AppContext &context, const Parts &parts)
    : MovableWindow(context, Qt::Window)
    , m_parts(parts)
{
    setObjectName(QStringLiteral("skinEditor"));
    setWindowTitle(QStringLiteral("skin.iniエディタ"));
    resize(426, 184);
    move(300, 144);
    // Where a window can neither place itself nor learn where it is, the markers could not be
    // put over the bitmap or tell where they stand: they are parts of the editor's window.
    if (!context.windowFrame.abilities().placesItself)
        for (SkinMarker *marker : markers())
            marker->embedIn(*this);
    connect(&parts.picker, &TransparentColourPicker::picked, this,
            [this](quint32 colour) { guarded(m_context.interaction, [&] { onPicked(colour); }); });
    parts.nameDialog.writer = [this](const QString &folder) {
        writeSkin(folder);
    };
}

void SkinEditor::buildContents()
{
    setWindowIcon(programIcon());
    m_shape = new WindowShape(this);
    m_shape->setObjectName(QStringLiteral("windowShape"));
    if (!m_context.windowFrame.abilities().maskCutsDrawing)
        m_shape->drawCutAwayTransparent();

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("skinEditorMenu"));
    Interaction &interaction = m_context.interaction;
    connect(m_menu->addAction(QStringLiteral("skin.iniの作成")), &QAction::triggered, this,
            [this, &interaction] { guarded(interaction, [&] { createSkin(); }); });
    m_menu->addSeparator();
    connect(m_menu->addAction(QStringLiteral("skin.iniエディタの終了")), &QAction::triggered, this,
            &QWidget::close);
}

SkinEditor::~SkinEditor()
{
    // The markers and the picker are the composition root's, whichever window they lie in
    // (the picker is the dialog of the window the editor was started from).
    for (SkinMarker *marker : markers())
        marker->setParent(nullptr);
    if (m_parts.picker.parentWidget() == this)
        m_parts.picker.setParent(nullptr);
}

std::array<SkinMarker *, 3> SkinEditor::markers() const
{
    return {&m_parts.icon, &m_parts.list, &m_parts.description};
}

QPoint SkinEditor::markerCorner(const QWidget &marker) const
{
    return marker.isWindow() ? marker.geometry().topLeft() - geometry().topLeft() : marker.pos();
}

void SkinEditor::placeMarker(QWidget &marker, QPoint offset)
{
    if (marker.isWindow())
        placeClient(marker, geometry().topLeft() + offset);
    else
        marker.move(offset);
}

void SkinEditor::startNew(QPoint mainCorner)
{
    // The editor is not shown yet: the chooser belongs to the window the command came from,
    // so that a tiling desktop floats it as that window's dialog.
    QFileDialog chooser(QApplication::activeWindow());
    chooser.setObjectName(QStringLiteral("bitmapChooser"));
    chooser.setWindowTitle(
        QStringLiteral("スキンに使用するビットマップファイルを選択してください"));
    chooser.setNameFilter(QStringLiteral("bmpファイル (*.bmp)"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    if (m_context.interaction.execModal(chooser) != QDialog::Accepted)
        return;
    const QString path = chooser.selectedFiles().value(0);
    if (path.isEmpty())
        return;
    m_mainCorner = mainCorner;
    m_parts.state.bitmapPath = path;
    m_parts.picker.showBitmap(path, pos(), chooser.parentWidget());
}

void SkinEditor::onPicked(quint32 colour)
{
    m_parts.state.setTransparentColour(colour);
    // A bitmap that cannot be shaped leaves the picker open and the editor hidden.
    shapeToBitmap();
    m_parts.picker.close();
    placeClient(*this, m_mainCorner + QPoint(152, 152));
    show();

    IconMarker &icon = m_parts.icon;
    ListMarker &list = m_parts.list;
    DescriptionMarker &description = m_parts.description;
    placeMarker(icon, QPoint(5, 52));
    showMarker(icon);
    list.setOuterWidth(152);
    placeMarker(list, markerCorner(icon) + QPoint(0, IconMarkerHeight));
    showMarker(list);
    placeMarker(description, markerCorner(list) + QPoint(0, ListMarkerHeight));
    showMarker(description);
    description.setOuterWidth(152);
}

void SkinEditor::openSkin(const QString &skin, QPoint mainCorner)
{
    SkinEditorState &state = m_parts.state;
    placeClient(*this, mainCorner + QPoint(152, 152));
    state.editedSkinName = skin;
    const QString root = SkinFolders::root(m_context.dataFolder);
    const SkinIni ini(SkinFolders::iniPath(root, skin));

    // Read in this order, each value taking effect at once: a colour that does not convert
    // ends the opening there.
    namespace Key = SkinKeys;
    namespace Default = SkinKeys::MainDefaults;
    IconMarker &icon = m_parts.icon;
    ListMarker &list = m_parts.list;
    DescriptionMarker &description = m_parts.description;
    state.bitmapPath = SkinFolders::bitmapPath(root, skin, ini.readText(Key::SkinName, u""));
    state.setTransparentColour(
        ini.readColour(Key::TransparentColor, SkinColours::toText(state.transparentColour())));
    const int iconTop = ini.readInteger(Key::IconTop, Default::IconTop);
    placeMarker(icon, QPoint(ini.readInteger(Key::IconLeft, Default::IconLeft), iconTop));
    const int listTop = ini.readInteger(Key::ListTop, Default::ListTop);
    placeMarker(list, QPoint(ini.readInteger(Key::ListLeft, Default::ListLeft), listTop));
    list.setClientWidth(ini.readInteger(Key::ListWidth, Default::ListWidth));
    const int explanationTop = ini.readInteger(Key::ExplanationTop, Default::ExplanationTop);
    placeMarker(description, QPoint(ini.readInteger(Key::ExplanationLeft, Default::ExplanationLeft),
                                    explanationTop));
    const int explanationWidth = ini.readInteger(Key::ExplanationWidth, Default::ExplanationWidth);
    list.setColours(ini.readColour(Key::ListBColor, Default::ListBColor), list.textColour());
    list.setColours(list.backgroundColour(), ini.readColour(Key::ListTColor, Default::ListTColor));
    state.explanationColour = ini.readColour(Key::ExplanationTextColor, u"clBlack");
    description.showColour();

    shapeToBitmap();
    show();
    showMarkers();
    description.setOuterWidth(explanationWidth);
}

void SkinEditor::shapeToBitmap()
{
    ensureBuilt();
    m_offsets = {};
    m_shape->setTransparentColour(m_parts.state.transparentColour());
    m_shape->loadPicture(m_parts.state.bitmapPath);
    m_shape->buildRegion();
    m_shape->show();
    if (m_parts.icon.isWindow()) {
        resize(m_shape->size());
        m_shape->applyRegion();
    } else {
        // A window of one fixed size is one that tiling desktops float, at that size. The
        // region would hide the markers where they lie over cut-away pixels, which are
        // painted transparent all the same.
        setFixedSize(m_shape->size());
    }
    update();
}

void SkinEditor::showMarker(QWidget &marker)
{
    marker.show();
    // Over the bitmap, where it is part of the editor.
    marker.raise();
}

void SkinEditor::showMarkers()
{
    for (QWidget *marker : markers())
        showMarker(*marker);
    m_parts.description.showColour();
}

void SkinEditor::createSkin()
{
    m_parts.nameDialog.openAt(*this, pos() + QPoint(25, 25), m_parts.state.editedSkinName);
}

SkinIni::Values SkinEditor::values() const
{
    // Where the markers' contents lie over the bitmap.
    const QPoint icon = markerCorner(m_parts.icon);
    const QPoint list = markerCorner(m_parts.list);
    const QPoint description = markerCorner(m_parts.description);
    const SkinEditorState &state = m_parts.state;
    return {QFileInfo(state.bitmapPath).fileName(),
            icon.y(),
            icon.x(),
            list.y(),
            list.x(),
            m_parts.list.clientWidth(),
            m_parts.list.backgroundColour(),
            m_parts.list.textColour(),
            description.y(),
            description.x(),
            m_parts.description.outerWidth(),
            state.explanationColour,
            state.transparentColour()};
}

void SkinEditor::writeSkin(const QString &folder)
{
    if (const std::optional<QString> failure =
            SkinFolders::write(folder, m_parts.state.bitmapPath, values()))
        m_context.interaction.error(errorBoxText(*failure));
    close();
    m_parts.picker.close();
}

void SkinEditor::closeEvent(QCloseEvent *event)
{
    for (QWidget *marker : markers())
        marker->close();
    event->accept();
}

void SkinEditor::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        const std::array<SkinMarker *, 3> all = markers();
        for (std::size_t i = 0; i < all.size(); ++i)
            m_offsets[i] = all[i]->isVisible() && all[i]->isWindow()
                               ? std::optional(pos() - all[i]->pos())
                               : std::nullopt;
    }
    MovableWindow::changeEvent(event);
}

void SkinEditor::moveEvent(QMoveEvent *event)
{
    const std::array<SkinMarker *, 3> all = markers();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (m_offsets[i] && all[i]->isVisible())
            all[i]->move(pos() - *m_offsets[i]);
    MovableWindow::moveEvent(event);
}

void SkinEditor::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}
