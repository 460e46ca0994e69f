#include "TempFolder.h"

#include "platform/linux/LinuxIcons.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QScopeGuard>

#include <gtest/gtest.h>

namespace {

QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What the theme itself draws for the name at the icon's size.
QImage theme(const QString &name)
{
    return pixels(QIcon::fromTheme(name).pixmap(QSize(Icons::Size, Icons::Size), 1));
}

QColor centre(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

class LinuxIconsTest : public testing::Test
{
protected:
    QPixmap extract(const QString &file, int index = 0, qreal ratio = 1)
    {
        return icons.extract(file, index, ratio);
    }

    QString png(const QString &name, QSize size, QColor colour) const
    {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        image.save(temp.file(name), "PNG");
        return temp.file(name);
    }

    QString file(const QString &name, const QByteArray &bytes, bool executable = false) const
    {
        temp.write(name, bytes);
        if (executable)
            QFile::setPermissions(temp.file(name),
                                  QFile::permissions(temp.file(name)) | QFile::ExeOwner);
        return temp.file(name);
    }

    QString desktopFile(const QString &icon) const
    {
        return file(QStringLiteral("app.desktop"),
                    "[Desktop Entry]\nType=Application\nName=App\nExec=true\nIcon=" + icon.toUtf8()
                        + '\n');
    }

    TempFolder temp;
    LinuxIcons icons;
};

TEST_F(LinuxIconsTest, ThemeIsAvailableWithoutADesktop)
{
    extract(QStringLiteral("shell32.dll"), 3);
    EXPECT_FALSE(QIcon::themeName().isEmpty());
    EXPECT_TRUE(QIcon::hasThemeIcon(QStringLiteral("folder")));
}

TEST_F(LinuxIconsTest, SystemIconFilesStandForThemeIcons)
{
    const QImage folder = theme(QStringLiteral("folder"));
    ASSERT_FALSE(folder.isNull());
    EXPECT_EQ(pixels(extract("shell32.dll", 3)), folder);
    EXPECT_EQ(pixels(extract("SHELL32.DLL", 3)), folder);
    EXPECT_EQ(pixels(extract("shell32.dll", 31)), theme(QStringLiteral("user-trash")));
    EXPECT_EQ(pixels(extract("mydocs.dll", 0)), theme(QStringLiteral("folder-documents")));
    EXPECT_NE(pixels(extract("shell32.dll", 31)), folder);
    EXPECT_FALSE(extract("explorer.exe").isNull());

    EXPECT_TRUE(extract("shell32.dll", 9999).isNull());
    EXPECT_TRUE(extract("shell32.dll", -1).isNull());
    EXPECT_TRUE(extract("mydocs.dll", 1).isNull());
}

TEST_F(LinuxIconsTest, PixmapsAre32LogicalPixelsAtAnyRatio)
{
    const QString wide = png(QStringLiteral("wide.png"), {300, 100}, Qt::blue);
    const QString desktop = desktopFile(QStringLiteral("user-trash"));
    for (const QString &source : {QStringLiteral("shell32.dll"), wide, desktop, temp.path()}) {
        const int index = source == QStringLiteral("shell32.dll") ? 3 : 0;
        for (const qreal ratio : {1.0, 1.5, 2.0}) {
            SCOPED_TRACE(source.toStdString() + " at " + std::to_string(ratio));
            const QPixmap pixmap = extract(source, index, ratio);
            EXPECT_EQ(pixmap.size(), QSize(32, 32) * ratio);
            EXPECT_EQ(pixmap.devicePixelRatio(), ratio);
            EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(32, 32));
        }
    }
}

TEST_F(LinuxIconsTest, ImageShowsItselfKeepingItsProportions)
{
    const QPixmap pixmap = extract(png(QStringLiteral("wide.png"), {64, 32}, Qt::blue));
    ASSERT_EQ(pixmap.size(), QSize(32, 32));
    EXPECT_EQ(centre(pixmap), QColor(Qt::blue));
    EXPECT_EQ(pixmap.toImage().pixelColor(0, 0).alpha(), 0);

    // An executable bit (as on a Windows file system) does not hide the picture.
    const QString marked = png(QStringLiteral("marked.png"), {16, 16}, Qt::red);
    QFile::setPermissions(marked, QFile::permissions(marked) | QFile::ExeOwner);
    EXPECT_EQ(centre(extract(marked)), QColor(Qt::red));
}

TEST_F(LinuxIconsTest, ChangedFilesAreLookedAtAgain)
{
    const QString picture = png(QStringLiteral("p.png"), {16, 16}, Qt::red);
    EXPECT_EQ(centre(extract(picture)), QColor(Qt::red));
    png(QStringLiteral("p.png"), {20, 20}, Qt::green);
    EXPECT_EQ(centre(extract(picture)), QColor(Qt::green));

    const QString script = file(QStringLiteral("run"), "#!/bin/sh\necho\n");
    const QImage executable = theme(QStringLiteral("application-x-executable"));
    EXPECT_NE(pixels(extract(script)), executable);
    QFile::setPermissions(script, QFile::permissions(script) | QFile::ExeOwner);
    EXPECT_EQ(pixels(extract(script)), executable);
}

TEST_F(LinuxIconsTest, FilesShowTheIconOfTheirKind)
{
    const QImage executable = theme(QStringLiteral("application-x-executable"));
    EXPECT_EQ(pixels(extract(file(QStringLiteral("run.sh"), "#!/bin/sh\n", true))), executable);
    EXPECT_EQ(pixels(extract(file(QStringLiteral("notes.txt"), "hello\n"))),
              theme(QStringLiteral("text-x-generic")));
    EXPECT_EQ(pixels(extract(temp.path())), theme(QStringLiteral("folder")));
    // A bare program name is looked up on the search path.
    EXPECT_EQ(pixels(extract(QStringLiteral("sh"))), executable);
}

TEST_F(LinuxIconsTest, DesktopFileShowsItsIcon)
{
    EXPECT_EQ(pixels(extract(desktopFile(QStringLiteral("user-trash")))),
              theme(QStringLiteral("user-trash")));

    const QString picture = png(QStringLiteral("logo.png"), {48, 48}, Qt::magenta);
    EXPECT_EQ(centre(extract(desktopFile(picture))), QColor(Qt::magenta));

    // An icon the theme lacks still shows the file as a program.
    EXPECT_EQ(pixels(extract(desktopFile(QStringLiteral("no-such-icon-anywhere")))),
              theme(QStringLiteral("application-x-executable")));
}

TEST_F(LinuxIconsTest, ProgramsAndAddressesShowTheIconsOfTheirApplications)
{
    const QString pad = file(QStringLiteral("bin/pad"), "#!/bin/sh\n", true);
    file(QStringLiteral("apps/pad.desktop"),
         "[Desktop Entry]\nType=Application\nName=Pad\nExec=pad %F\nIcon=user-trash\n");
    file(QStringLiteral("apps/browser.desktop"),
         "[Desktop Entry]\nType=Application\nName=Browser\nExec=browser %u\nIcon=computer\n");
    file(QStringLiteral("mimeapps.list"),
         "[Default Applications]\nx-scheme-handler/https=browser.desktop\n");
    LinuxIcons desktop({{temp.file(QStringLiteral("apps"))},
                        {temp.file(QStringLiteral("mimeapps.list"))},
                        {temp.file(QStringLiteral("bin"))}});
    // A bare program name is found on the search path, as the shell finds it.
    const QByteArray searchPath = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(temp.file(QStringLiteral("bin"))) + ':' + searchPath);
    const auto restore = qScopeGuard([&searchPath] { qputenv("PATH", searchPath); });
    const auto extractFrom = [&desktop](const QString &target) {
        return pixels(desktop.extract(target, 0, 1));
    };

    struct Case
    {
        QString target;
        QString themeIcon;
    };
    const Case cases[] = {
        {pad, QStringLiteral("user-trash")},
        {QStringLiteral("pad"), QStringLiteral("user-trash")},
        {QStringLiteral("https://example.com/"), QStringLiteral("computer")},
        // No default browser named: the theme's web browser.
        {QStringLiteral("http://example.com/"), QStringLiteral("web-browser")},
        {file(QStringLiteral("bin/other"), "#!/bin/sh\n", true),
         QStringLiteral("application-x-executable")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        // The same picture as a desktop file naming the icon shows.
        const QImage expected = pixels(extract(desktopFile(c.themeIcon)));
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(extractFrom(c.target), expected);
    }
    EXPECT_TRUE(desktop.extract(QStringLiteral("mailto:someone@example.com"), 0, 1).isNull());
    EXPECT_TRUE(desktop.extract(QStringLiteral("https://example.com/"), 1, 1).isNull());
}

TEST_F(LinuxIconsTest, NothingFoundGivesNoPixmap)
{
    const QString text = file(QStringLiteral("notes.txt"), "hello\n");
    EXPECT_TRUE(extract(temp.file(QStringLiteral("missing.exe"))).isNull());
    EXPECT_TRUE(extract(QString()).isNull());
    EXPECT_TRUE(extract(text, 1).isNull());
    EXPECT_TRUE(extract(QStringLiteral("no-such-program-anywhere")).isNull());
    EXPECT_TRUE(extract(QStringLiteral("%SystemRoot%\\system32\\shell32.dll"), 3).isNull());
}

} // namespace
