#pragma once

#include <QObject>
#include <QString>

class KeywordLineEdit;
class KeywordStore;
class QComboBox;
class QWidget;

// The input line in its combo box, whose drop-down list holds the keywords. A reloaded list
// keeps whatever the line shows (the combo box would put its first item there); a row
// picked from the list goes to the line. The clock's text takes the width it needs, up to the
// window's edge, over the icon's place (empty while the clock runs).
class KeywordBox : public QObject
{
public:
    KeywordBox(KeywordStore &store, QWidget &window);

    QComboBox &box() const { return *m_box; }
    KeywordLineEdit &input() const { return *m_input; }

private:
    void fitStandIn();

    QComboBox *m_box;
    KeywordLineEdit *m_input;
    QString m_textBeforeReload;
    int m_laidWidth = 0;  // as the layout gave it
    int m_widenedTo = -1; // as given for the clock
};
