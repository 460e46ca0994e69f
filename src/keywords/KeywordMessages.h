#pragma once

#include <QString>
#include <QStringList>

// What the keyword model says in the message boxes, in one place.
namespace KeywordMessages {

QString lineBreakInEntry();
QString overwriteQuestion();
QString unlistableFiles(const QStringList &names);
QString lineBreakInSpecialName();

} // namespace KeywordMessages
