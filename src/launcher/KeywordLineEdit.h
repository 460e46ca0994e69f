#pragma once

#include <QLineEdit>

// The edit part of the input line. Every key is announced as a virtual-key code before it
// takes effect, and every character it produces after that, so the main window can act
// on them first; Enter goes no further than the announcement.
class KeywordLineEdit : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

signals:
    void keyDown(int virtualKey);
    void keyPress(QChar character);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
