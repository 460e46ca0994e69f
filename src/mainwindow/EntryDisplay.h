#pragma once

#include <QString>

class KeywordLineEdit;
class QLabel;
class QPixmap;

// The main window's display: the input line, the entry's icon and its description. Text
// the program puts into the line never counts as the user's edit.
class EntryDisplay
{
public:
    EntryDisplay(KeywordLineEdit &input, QLabel &icon, QLabel &description);

    QString inputText() const;
    // The line's text as the user's: nothing while it shows the clock's date and time.
    QString typedText() const;
    void setInputText(const QString &text);
    // The description's first ShownDescriptionLength characters, far more than the line shows.
    void showEntry(const QPixmap &icon, const QString &description);
    static constexpr qsizetype ShownDescriptionLength = 512;
    void clearIcon();
    // A word about what the line did, in the description until the next key.
    void showNotice(const QString &text);
    // Empties the line, the icon and the description.
    void clear();

private:
    KeywordLineEdit &m_input;
    QLabel &m_icon;
    QLabel &m_description;
};
