#include "EntryDisplay.h"

#include "KeywordLineEdit.h"

#include "ui/ElidedLabel.h"

#include <QLabel>

EntryDisplay::EntryDisplay(KeywordLineEdit &input, QWidget &window)
    : m_input(input)
    , m_icon(*new QLabel(&window))
    , m_description(*new ElidedLabel(&window))
{
    m_icon.setObjectName(QStringLiteral("icon"));
    m_description.setObjectName(QStringLiteral("description"));
    // A description is text as typed: "<b>" in it is no markup, and "<img src=...>" reads no
    // file. What does not fit ends in "…".
    m_description.setAttribute(Qt::WA_TranslucentBackground);
}

QString EntryDisplay::inputText() const
{
    return m_input.text();
}

bool EntryDisplay::completesNothing() const
{
    return m_input.completesNothing();
}

QString EntryDisplay::typedText() const
{
    return m_input.showsStandIn() ? QString() : m_input.text();
}

EntryDisplay::Selection EntryDisplay::selection() const
{
    const int cursor = m_input.cursorPosition();
    const int anchor = !m_input.hasSelectedText()           ? cursor
                       : cursor == m_input.selectionStart() ? m_input.selectionEnd()
                                                            : m_input.selectionStart();
    return {cursor, anchor};
}

void EntryDisplay::restoreLine(const QString &text, Selection selection)
{
    if (m_input.text() != text)
        setInputText(text);
    m_input.setSelection(selection.anchor, selection.cursor - selection.anchor);
}

void EntryDisplay::setInputText(const QString &text)
{
    m_input.setText(text);
}

void EntryDisplay::showEntry(const QPixmap &icon, const QString &description)
{
    // The label repaints even for the picture it shows already, as most keystrokes give it
    // (a null picture, shown or given, has the key 0).
    if (m_icon.pixmap().cacheKey() != icon.cacheKey())
        m_icon.setPixmap(icon);
    // The line shows a few dozen characters; laying out a description of thousands (a damaged
    // entry file) would cost a keystroke tens of milliseconds for nothing seen.
    m_description.setText(description.left(ShownDescriptionLength));
}

void EntryDisplay::clearIcon()
{
    m_icon.clear();
}

void EntryDisplay::showIcon()
{
    m_icon.setVisible(true);
}

qreal EntryDisplay::pixelRatio() const
{
    return m_icon.devicePixelRatioF();
}

void EntryDisplay::showNotice(const QString &text)
{
    m_description.setText(text);
    QObject::connect(
        &m_input, &KeywordLineEdit::keyDown, &m_description,
        [label = &m_description, text] {
            if (label->text() == text)
                label->clear();
        },
        Qt::SingleShotConnection);
}

void EntryDisplay::clear()
{
    m_input.setText(QString());
    m_icon.clear();
    m_description.clear();
}
