#pragma once

#include "SkinView.h"

class EntryDisplay;
class QComboBox;
class QWidget;
class WindowShape;

// The main window's controls as a skin lays them out and paints them, over the window's
// shape (the skin's picture, below the controls).
class SkinnedControls final : public SkinView
{
public:
    // Made before the window is first shown; where the desktop's mask does not cut what is
    // drawn, the cut-away pixels are drawn transparent.
    SkinnedControls(QWidget &window, QComboBox &keywordBox, EntryDisplay &display,
                    bool maskCutsDrawing);

    void lay(const Layout &layout) override;
    void paint(Colour colour, quint32 value) override;
    void setDescriptionWidth(int width) override;
    void setTransparentColour(quint32 colour) override;
    void showPicture(const QString &bitmapPath) override;
    void place(QPoint icon, QRect keywordBox, QPoint description) override;
    void showPlain() override;

private:
    QWidget &m_window;
    WindowShape &m_shape;
    QComboBox &m_keywordBox;
    EntryDisplay &m_display;
};
