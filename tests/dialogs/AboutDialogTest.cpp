#include "dialogs/AboutDialog.h"
#include "FakeInteraction.h"
#include "QtPrinters.h"

#include <QLabel>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

// This test program carries the version record, as the launcher does.
TEST(AboutDialogTest, ShowsTheProgramsVersionAndClosesByItsPicture)
{
    FakeInteraction interaction;
    AboutDialog dialog(interaction);
    EXPECT_TRUE(dialog.findChildren<QWidget *>().isEmpty()); // nothing made before it shows

    interaction.onModal = [](QDialog &shown) {
        shown.show();
        EXPECT_EQ(shown.windowTitle(), "バージョン情報");
        EXPECT_EQ(shown.size(), QSize(172, 82));
        EXPECT_EQ(shown.minimumSize(), shown.maximumSize());
        EXPECT_EQ(shown.pos(), QPoint(302, 246));
        EXPECT_EQ(shown.findChild<QLabel *>("version")->text(), "1.2.0.5");
        for (const QLabel *label : shown.findChildren<QLabel *>())
            EXPECT_TRUE(shown.rect().contains(label->geometry()))
                << label->objectName().toStdString();
        auto *picture = shown.findChild<QToolButton *>("picture");
        EXPECT_EQ(picture->geometry(), QRect(8, 8, 34, 34));
        EXPECT_FALSE(picture->icon().isNull());
        picture->click();
        EXPECT_FALSE(shown.isVisible());
        return 0;
    };
    dialog.openModal();
    EXPECT_EQ(interaction.modalCount, 1);
}

TEST(AboutDialogTest, SaysWhereTheDataIsKept)
{
    FakeInteraction interaction;
    AboutDialog dialog(interaction);
    const QString folder = QStringLiteral("/home/<b>someone</b>/.local/share/") + QString(60, u'x');
    dialog.setDataLocation(false, folder);
    interaction.onModal = [&](QDialog &shown) {
        shown.show();
        EXPECT_EQ(shown.findChild<QLabel *>("locationKind")->text(),
                  "データ: インストール版");
        // The folder's name is shown as it is spelt, "<b>" included.
        const QLabel *shownFolder = shown.findChild<QLabel *>("locationFolder");
        EXPECT_EQ(shownFolder->textFormat(), Qt::PlainText);
        QTextDocument tip;
        tip.setHtml(shownFolder->toolTip());
        EXPECT_EQ(tip.toPlainText(), folder);
        for (const QLabel *label : shown.findChildren<QLabel *>())
            EXPECT_TRUE(shown.rect().contains(label->geometry()))
                << label->objectName().toStdString();
        return 0;
    };
    dialog.openModal();
}

} // namespace
