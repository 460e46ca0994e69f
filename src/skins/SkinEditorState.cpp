#include "SkinEditorState.h"

quint32 SkinEditorState::transparentColour() const
{
    return m_transparentColour;
}

void SkinEditorState::setTransparentColour(quint32 colour)
{
    m_transparentColour = colour;
}
