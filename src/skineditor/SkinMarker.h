#pragma once

#include "MovableWindow.h"

#include <QMargins>
#include <QSize>
#include <QtGlobal>

#include <optional>

// A marker of the skin editor: a small window, always on top and without a taskbar button,
// that stands for one control of the main window over the editor's bitmap. The arrow keys
// nudge it by one pixel.
//
// Its sizes count its frame, as the main window's own sizes do, so that its client area is
// what the frame leaves, as the main window's controls are. The window manager may frame the
// marker only after it shows, so the client area is fitted again when it is first exposed
// after a show and whenever it moves.
class SkinMarker : public MovableWindow
{
    Q_OBJECT

public:
    explicit SkinMarker(AppContext &context);

    // Makes the marker a part of the editor's window, with no frame of its own: placed and
    // dragged over the bitmap inside that window, and nudged once clicked.
    void embedIn(QWidget &editor);

    // The width with the frame. One asked for stands until the marker is resized otherwise.
    void setOuterWidth(int outer);
    int outerWidth() const;
    // The client width, as skin.ini keeps the input line's: an asked outer width less the
    // frame as it is now, whether or not the marker was fitted to it yet.
    void setClientWidth(int client);
    int clientWidth() const;

protected:
    // Sizes with the frame that the marker keeps whatever the user does; 0 leaves one free.
    void setFixedOuterSize(int width, int height);

    // The colour dialog, starting from the colour last chosen in it (dark red, 64, at first);
    // the colour chosen, or nothing when cancelled.
    std::optional<quint32> askColour();
    // A control of the marker shows nothing of its own to the mouse: presses move the marker
    // and the right button opens the marker's menu.
    static void makeInert(QWidget &control);
    // A SkinColours value on a role of the control's palette, in every state.
    static void paint(QWidget &control, int role, quint32 colour);

    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMargins frame() const;
    void fitToFrame();

    quint32 m_lastColour = 64;
    QSize m_fixedOuter;
    int m_askedOuterWidth = 0;
    int m_fittedClientWidth = -1;
    bool m_watchingExposure = false;
};
