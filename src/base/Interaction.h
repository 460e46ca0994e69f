#pragma once

#include <QList>
#include <QString>

class QDialog;

// Every message box and modal window goes through here, so that tests can answer them.
class Interaction
{
public:
    enum class Button { Ok, Cancel, Yes, No };

    virtual ~Interaction();

    // A warning box captioned "警告" with the given buttons; answers the button pressed.
    virtual Button warning(const QString &text, const QList<Button> &buttons) = 0;
    // A plain OK box with the application's title.
    virtual void notice(const QString &text) = 0;
    // The error box: error icon, the application's title, the text as given.
    virtual void error(const QString &text) = 0;
    // Shows a dialog modally and answers its result code.
    virtual int execModal(QDialog &dialog) = 0;
};

// The application's title, the caption of notices and error boxes.
QString applicationTitle();

// The error box's text: "." appended when the last character sorts after "." in the code page.
QString errorBoxText(const QString &message);
