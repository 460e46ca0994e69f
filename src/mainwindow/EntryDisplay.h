#pragma once

#include <QString>

class KeywordLineEdit;
class QLabel;
class QPixmap;
class QWidget;

// The main window's display: the input line, the entry's icon and its description. Text
// the program puts into the line never counts as the user's edit.
class EntryDisplay
{
public:
    // Makes the icon and the description on the window. They pass the right button on to
    // the window's menu.
    EntryDisplay(KeywordLineEdit &input, QWidget &window);

    QLabel &icon() const { return m_icon; }
    QLabel &description() const { return m_description; }

    QString inputText() const;
    // The line holds what a typed key left where no keyword begins with it.
    bool completesNothing() const;
    // Where the user's caret and the other end of the selection stand in the line.
    struct Selection
    {
        int cursor = 0;
        int anchor = 0;
    };
    Selection selection() const;
    // The line given back as the user had it: its text and selection.
    void restoreLine(const QString &text, Selection selection);
    // The line's text as the user's: nothing while it shows the clock's date and time.
    QString typedText() const;
    void setInputText(const QString &text);
    // The description's first ShownDescriptionLength characters, far more than the line shows.
    void showEntry(const QPixmap &icon, const QString &description);
    static constexpr qsizetype ShownDescriptionLength = 512;
    void clearIcon();
    // The icon's place shown, empty or not.
    void showIcon();
    // The display's device pixels per logical pixel, at which icons are extracted.
    qreal pixelRatio() const;
    // A word about what the line did, in the description until the next key.
    void showNotice(const QString &text);
    // Empties the line, the icon and the description.
    void clear();

private:
    KeywordLineEdit &m_input;
    QLabel &m_icon;
    QLabel &m_description;
};
