#include "FakeInteraction.h"

#include <QDialog>

Interaction::Button FakeInteraction::warning(const QString &text, const QList<Button> &)
{
    warnings.append(text);
    return answers.isEmpty() ? Button::Ok : answers.takeFirst();
}

void FakeInteraction::notice(const QString &text)
{
    notices.append(text);
}

void FakeInteraction::error(const QString &text)
{
    errors.append(text);
    if (onError)
        onError();
}

int FakeInteraction::execModal(QDialog &dialog)
{
    ++modalCount;
    return onModal ? onModal(dialog) : QDialog::Rejected;
}
