#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void installJapaneseQtTranslations(QCoreApplication &application)
{
    auto *translator = new QTranslator(&application);
    // Without the catalogue Qt's English texts stay: not worth stopping the program for.
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
