#pragma once

#include <QPlainTextEdit>

// A text box one line high that neither wraps nor scrolls, like the path it holds. Enter
// breaks no line in it: it goes to the dialog, as from a one-line edit, to press the default
// button; Tab leaves it.
class OneLineBox : public QPlainTextEdit
{
public:
    explicit OneLineBox(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
