#pragma once

#include <QStringList>

class FirstCharacterOrder;

// The place of a new keyword in the order list. Every row sharing the keyword's first
// character (case ignored) is gathered, in its previous relative order, at the place of
// the first of them, with the keyword last; a keyword that starts a new group goes before
// the first row whose first character sorts after its own, or at the end.
QStringList insertByFirstCharacter(const QStringList &rows, const QString &keyword,
                                   const FirstCharacterOrder &order);
