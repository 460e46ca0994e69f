#include "SkinEditorState.h"

#include "settings/LiveSettings.h"

quint32 SkinEditorState::transparentColour() const
{
    return m_live.editorTransparentColour;
}

void SkinEditorState::setTransparentColour(quint32 colour)
{
    m_live.editorTransparentColour = colour;
}
