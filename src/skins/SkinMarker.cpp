#include "SkinMarker.h"

#include "SkinColours.h"

#include "base/Interaction.h"
#include "ui/AppContext.h"

#include <QColorDialog>
#include <QKeyEvent>

SkinMarker::SkinMarker(AppContext &context)
    : MovableWindow(context, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setAutoFillBackground(true);
}

void SkinMarker::keyPressEvent(QKeyEvent *event)
{
    QPoint step;
    switch (event->key()) {
    case Qt::Key_Up:
        step = {0, -1};
        break;
    case Qt::Key_Down:
        step = {0, 1};
        break;
    case Qt::Key_Left:
        step = {-1, 0};
        break;
    case Qt::Key_Right:
        step = {1, 0};
        break;
    default:
        return MovableWindow::keyPressEvent(event);
    }
    move(pos() + step);
}

std::optional<quint32> SkinMarker::askColour()
{
    QColorDialog dialog(this);
    dialog.setObjectName(QStringLiteral("colourDialog"));
    dialog.setCurrentColor(SkinColours::toColor(m_lastColour, palette()));
    if (m_context.interaction.execModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    m_lastColour = SkinColours::fromColor(dialog.currentColor());
    return m_lastColour;
}

void SkinMarker::makeInert(QWidget &control)
{
    control.setEnabled(false);
    control.setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SkinMarker::paint(QWidget &control, int role, quint32 colour)
{
    QPalette palette = control.palette();
    const QColor painted = SkinColours::toColor(colour, palette);
    if (!painted.isValid())
        return;
    palette.setColor(QPalette::ColorRole(role), painted);
    control.setPalette(palette);
}
