#include "DescriptionMarker.h"

#include "skins/SkinEditorState.h"

#include "base/Guard.h"
#include "ui/AppContext.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>

DescriptionMarker::DescriptionMarker(AppContext &context, SkinEditorState &state)
    : SkinMarker(context)
    , m_state(state)
{
    setObjectName(QStringLiteral("descriptionMarker"));
    setWindowTitle(QStringLiteral("説明"));
    setFixedOuterSize(0, 20);
    setOuterWidth(152);
}

void DescriptionMarker::buildContents()
{
    setPalette(QPalette(Qt::white));
    m_sample = new QLabel(QStringLiteral("簡単な説明の表示位置"), this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->move(0, 0);
    m_sample->adjustSize();
    makeInert(*m_sample);
    showColour();

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("descriptionMarkerMenu"));
    Interaction &interaction = m_context.interaction;
    connect(m_menu->addAction(QStringLiteral("文字色の指定")), &QAction::triggered, this,
            [this, &interaction] { guarded(interaction, [&] { chooseTextColour(); }); });
}

void DescriptionMarker::chooseTextColour()
{
    if (const std::optional<quint32> colour = askColour()) {
        m_state.explanationColour = *colour;
        showColour();
    }
}

void DescriptionMarker::showColour()
{
    if (m_sample)
        paint(*m_sample, QPalette::WindowText, m_state.explanationColour);
}

void DescriptionMarker::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}
