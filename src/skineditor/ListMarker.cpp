#include "ListMarker.h"

#include "base/Guard.h"
#include "ui/AppContext.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>

ListMarker::ListMarker(AppContext &context)
    : SkinMarker(context)
{
    setObjectName(QStringLiteral("listMarker"));
    setWindowTitle(QStringLiteral("登録名"));
    setFixedOuterSize(0, 28);
    setOuterWidth(152);
}

void ListMarker::buildContents()
{
    setPalette(QPalette(QColor(0xC0, 0xDC, 0xC0))); // money green
    m_sample = new QComboBox(this);
    m_sample->setObjectName(QStringLiteral("sample"));
    m_sample->setEditable(true);
    m_sample->setEditText(QStringLiteral("登録名の表示位置"));
    m_sample->setGeometry(0, 0, width(), m_sample->sizeHint().height());
    makeInert(*m_sample);
    showColours();

    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("listMarkerMenu"));
    Interaction &interaction = m_context.interaction;
    connect(m_menu->addAction(QStringLiteral("背景色の変更")), &QAction::triggered, this,
            [this, &interaction] { guarded(interaction, [&] { chooseBackgroundColour(); }); });
    connect(m_menu->addAction(QStringLiteral("文字色の変更")), &QAction::triggered, this,
            [this, &interaction] { guarded(interaction, [&] { chooseTextColour(); }); });
}

void ListMarker::setColours(quint32 background, quint32 text)
{
    m_background = background;
    m_text = text;
    showColours();
}

void ListMarker::chooseBackgroundColour()
{
    if (const std::optional<quint32> colour = askColour())
        setColours(*colour, m_text);
}

void ListMarker::chooseTextColour()
{
    if (const std::optional<quint32> colour = askColour())
        setColours(m_background, *colour);
}

void ListMarker::showColours()
{
    if (!m_sample)
        return;
    paint(*m_sample->lineEdit(), QPalette::Base, m_background);
    paint(*m_sample->lineEdit(), QPalette::Text, m_text);
    paint(*m_sample, QPalette::Base, m_background);
    paint(*m_sample, QPalette::Text, m_text);
}

void ListMarker::resizeEvent(QResizeEvent *event)
{
    if (m_sample)
        m_sample->resize(width(), m_sample->height());
    SkinMarker::resizeEvent(event);
}

void ListMarker::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}
