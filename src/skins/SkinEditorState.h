#pragma once

#include <QString>
#include <QtGlobal>

struct LiveSettings;

// What the skin editor's windows share for the whole run: the bitmap being edited, its
// transparent colour (kept in the live settings, where the main window takes it as the
// default of a skin that names none), the description's text colour and the name of the
// skin last opened for editing.
class SkinEditorState
{
public:
    explicit SkinEditorState(LiveSettings &live)
        : m_live(live)
    {
    }

    QString bitmapPath;
    // A SkinColours value, black until chosen.
    quint32 explanationColour = 0;
    // The skin folder last opened from the skin chooser; the name dialog starts with it.
    QString editedSkinName;

    quint32 transparentColour() const;
    void setTransparentColour(quint32 colour);

private:
    LiveSettings &m_live;
};
