#pragma once

#include <QString>
#include <QtGlobal>

// What the skin editor's windows share for the whole run: the bitmap being edited, its
// transparent colour (which the main window also takes as the default of a skin that names
// none), the description's text colour and the name of the skin last opened for editing.
class SkinEditorState
{
public:
    QString bitmapPath;
    // A SkinColours value, black until chosen.
    quint32 explanationColour = 0;
    // The skin folder last opened from the skin chooser; the name dialog starts with it.
    QString editedSkinName;

    // A SkinColours value (0x00BBGGRR), black until the editor picks one.
    quint32 transparentColour() const;
    void setTransparentColour(quint32 colour);

private:
    quint32 m_transparentColour = 0;
};
