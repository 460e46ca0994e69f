#pragma once

#include "MovableWindow.h"
#include "skins/SkinIni.h"

#include <array>
#include <optional>

class DescriptionMarker;
class IconMarker;
class ListMarker;
class QMenu;
class SkinEditorState;
class SkinMarker;
class SkinNameDialog;
class TransparentColourPicker;
class WindowShape;

// The skin editor: the bitmap cut to its shape, with the three markers floating over it
// where the main window's icon, input line and description will stand. It is started for a
// new bitmap (a chooser, then the colour picker) or for a skin of the skin root, and writes
// the markers' places and colours as the skin.ini of a skin folder that the name dialog
// makes. The places are those of the client areas, the bitmap's and the markers' contents,
// so that they hold whatever frames the window manager gives the windows. Markers follow the editor
// when it is moved, keeping the places they had relative to it when it was last activated.
// Where windows cannot place themselves (Wayland), the markers are parts of the editor's
// window instead, dragged over the bitmap inside it, and the editor keeps its bitmap's size.
class SkinEditor : public MovableWindow
{
    Q_OBJECT

public:
    struct Parts
    {
        SkinEditorState &state;
        TransparentColourPicker &picker;
        IconMarker &icon;
        ListMarker &list;
        DescriptionMarker &description;
        SkinNameDialog &nameDialog;
    };

    SkinEditor(AppContext &context, const Parts &parts);
    ~SkinEditor() override;

    // "skin.iniエディタの実行": the bitmap chooser, then the picker at the editor's corner.
    // The editor opens after the pick with its bitmap at the main window's client corner
    // + (152, 152).
    void startNew(QPoint mainCorner);
    // The picker picked: the editor opens with its markers at their starting places.
    void onPicked(quint32 colour);
    // A skin of the skin root, read with the editor's defaults; the editor opens at the main
    // window's client corner + (152, 152) with the markers where the skin puts its controls.
    void openSkin(const QString &skin, QPoint mainCorner);

    // "skin.iniの作成": the name dialog at the editor's corner + (25, 25).
    void createSkin();
    // The name dialog made the folder: copies the bitmap there unless it is that very file,
    // writes skin.ini and closes every window of the editor.
    void writeSkin(const QString &folder);
    // What skin.ini gets from the markers' places and colours.
    SkinIni::Values values() const;

protected:
    void buildContents() override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void shapeToBitmap();
    void showMarker(QWidget &marker);
    void showMarkers();
    std::array<SkinMarker *, 3> markers() const;
    // A marker's client corner over the bitmap, and placing it there.
    QPoint markerCorner(const QWidget &marker) const;
    void placeMarker(QWidget &marker, QPoint offset);

    Parts m_parts;
    QPoint m_mainCorner;
    WindowShape *m_shape = nullptr;
    QMenu *m_menu = nullptr;
    // Editor's corner minus each marker's, taken when the editor was last activated.
    std::array<std::optional<QPoint>, 3> m_offsets;
};
