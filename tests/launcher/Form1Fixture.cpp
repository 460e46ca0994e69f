#include "Form1Fixture.h"

#include "launcher/KeywordLineEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

void Form1Fixture::start()
{
    windows = std::make_unique<Windows>(context);
    form = &windows->form1();
}

void Form1Fixture::TearDown()
{
    windows.reset();
}

void Form1Fixture::enter(const QString &text)
{
    form->ComboBox1Edit->setText(text);
    press(Qt::Key_Return);
}

void Form1Fixture::type(const QString &text)
{
    for (QChar c : text) {
        // Qt's codes of printable ASCII keys are the upper-case characters.
        const int key = c.unicode() < 0x80 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(form->ComboBox1, &event);
    }
}

void Form1Fixture::press(Qt::Key key)
{
    const QString text = key == Qt::Key_Return   ? QStringLiteral("\r")
                         : key == Qt::Key_Escape ? QStringLiteral("\x1b")
                                                 : QString();
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(form->ComboBox1, &event);
}

bool Form1Fixture::displayCleared() const
{
    return form->ComboBox1Edit->text().isEmpty() && form->Image1->pixmap().isNull()
           && form->Label1->text().isEmpty();
}
