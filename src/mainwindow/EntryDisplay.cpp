#include "EntryDisplay.h"

#include "KeywordLineEdit.h"

#include <QLabel>

EntryDisplay::EntryDisplay(KeywordLineEdit &input, QLabel &icon, QLabel &description)
    : m_input(input)
    , m_icon(icon)
    , m_description(description)
{
}

QString EntryDisplay::inputText() const
{
    return m_input.text();
}

QString EntryDisplay::typedText() const
{
    return m_input.showsStandIn() ? QString() : m_input.text();
}

void EntryDisplay::setInputText(const QString &text)
{
    m_input.setText(text);
}

void EntryDisplay::showEntry(const QPixmap &icon, const QString &description)
{
    // The label repaints even for the picture it shows already, as most keystrokes give it.
    if (m_icon.pixmap().isNull() || m_icon.pixmap().cacheKey() != icon.cacheKey())
        m_icon.setPixmap(icon);
    // The line shows a few dozen characters; laying out a description of thousands (a damaged
    // entry file) would cost a keystroke tens of milliseconds for nothing seen.
    m_description.setText(description.left(ShownDescriptionLength));
}

void EntryDisplay::clearIcon()
{
    m_icon.clear();
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
