#pragma once

#include "SkinMarker.h"

class QLabel;
class QMenu;
class SkinEditorState;

// Marks the main window's short description: a white strip, 20 high, whose sample text
// shows the description's colour, the editor's explanation colour.
class DescriptionMarker : public SkinMarker
{
    Q_OBJECT

public:
    DescriptionMarker(AppContext &context, SkinEditorState &state);

    // The menu's command: the colour dialog, then the chosen colour for the description.
    void chooseTextColour();
    // Shows the explanation colour of the moment.
    void showColour();

    // The width with the frame, as skin.ini keeps it. The width asked for stands until the
    // marker is resized: the window manager may frame the marker only after it shows, so the
    // frame measured at the time of asking may be too small.
    void setOuterWidth(int outer);
    int outerWidth() const;

protected:
    void buildContents() override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    SkinEditorState &m_state;
    QLabel *m_sample = nullptr;
    QMenu *m_menu = nullptr;
    int m_askedOuterWidth = 0;
    int m_askedClientWidth = -1;
};
