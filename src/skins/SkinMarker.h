#pragma once

#include "MovableWindow.h"

#include <QtGlobal>

#include <optional>

// A marker of the skin editor: a small window, always on top and without a taskbar button,
// that stands for one control of the main window over the editor's bitmap. The arrow keys
// nudge it by one pixel.
class SkinMarker : public MovableWindow
{
    Q_OBJECT

public:
    explicit SkinMarker(AppContext &context);

protected:
    // The colour dialog, starting from the colour last chosen in it (dark red, 64, at first);
    // the colour chosen, or nothing when cancelled.
    std::optional<quint32> askColour();
    // A control of the marker shows nothing of its own to the mouse: presses move the marker
    // and the right button opens the marker's menu.
    static void makeInert(QWidget &control);
    // A SkinColours value on a role of the control's palette, in every state.
    static void paint(QWidget &control, int role, quint32 colour);

    void keyPressEvent(QKeyEvent *event) override;

private:
    quint32 m_lastColour = 64;
};
