#pragma once

#include "SkinMarker.h"

class QLabel;
class QMenu;
class SkinEditorState;

// Marks the main window's short description: a white strip, 20 high with its frame (skin.ini
// keeps its width with the frame too), whose sample text
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

protected:
    void buildContents() override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    SkinEditorState &m_state;
    QLabel *m_sample = nullptr;
    QMenu *m_menu = nullptr;
};
