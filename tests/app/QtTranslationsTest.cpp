#include "app/QtTranslations.h"

#include "TempFolder.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSaveFile>

#include <gtest/gtest.h>

namespace {

TEST(QtTranslations, QtsOwnTextsSpeakJapaneseWhateverTheLocale)
{
    QLocale::setDefault(QLocale::English);
    installJapaneseQtTranslations(*QCoreApplication::instance());

    // The input line's edit menu.
    QLineEdit line;
    line.setText(QStringLiteral("text"));
    std::unique_ptr<QMenu> menu(line.createStandardContextMenu());
    QStringList captions;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            captions << action->text();
    EXPECT_TRUE(captions.join(u' ').contains(QStringLiteral("コピー"))) << captions.join(u' ').toStdString();

    // The system's reason in a file error.
    TempFolder dir;
    QSaveFile file(dir.path());
    EXPECT_FALSE(file.open(QIODevice::WriteOnly));
    EXPECT_NE(file.errorString(), QStringLiteral("Filename refers to a directory"))
        << file.errorString().toStdString();
}

} // namespace
