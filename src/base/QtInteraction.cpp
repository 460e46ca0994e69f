#include "QtInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString caption(Interaction::Button button)
{
    switch (button) {
    case Interaction::Button::Ok:
        return QStringLiteral("OK");
    case Interaction::Button::Cancel:
        return QStringLiteral("キャンセル");
    case Interaction::Button::Yes:
        return QStringLiteral("はい(&Y)");
    case Interaction::Button::No:
        return QStringLiteral("いいえ(&N)");
    }
    return {};
}

QMessageBox::ButtonRole role(Interaction::Button button)
{
    switch (button) {
    case Interaction::Button::Ok:
        return QMessageBox::AcceptRole;
    case Interaction::Button::Yes:
        return QMessageBox::YesRole;
    case Interaction::Button::No:
        return QMessageBox::NoRole;
    case Interaction::Button::Cancel:
        return QMessageBox::RejectRole;
    }
    return QMessageBox::RejectRole;
}

QWidget *parentWindow()
{
    return QApplication::activeWindow();
}

} // namespace

Interaction::Button QtInteraction::warning(const QString &text, const QList<Button> &buttons)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("警告"), text, QMessageBox::NoButton,
                    parentWindow());
    QList<QPair<QAbstractButton *, Button>> made;
    for (Button b : buttons)
        made.append({box.addButton(caption(b), role(b)), b});
    if (!made.isEmpty())
        box.setDefaultButton(static_cast<QPushButton *>(made.first().first));
    box.exec();
    for (const auto &[widget, b] : made)
        if (box.clickedButton() == widget)
            return b;
    // Closed without a button: the answer of the cancelling button, or of the only one.
    return buttons.contains(Button::Cancel) ? Button::Cancel
           : buttons.contains(Button::No)   ? Button::No
                                            : Button::Ok;
}

void QtInteraction::notice(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::NoButton,
                    parentWindow());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

void QtInteraction::error(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::NoButton,
                    parentWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

int QtInteraction::execModal(QDialog &dialog)
{
    return dialog.exec();
}
