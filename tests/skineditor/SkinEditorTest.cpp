#include "WindowsFixture.h"

#include "mainwindow/MainWindow.h"
#include "skineditor/DescriptionMarker.h"
#include "skineditor/IconMarker.h"
#include "skineditor/ListMarker.h"
#include "skineditor/SkinChooser.h"
#include "skineditor/SkinEditor.h"
#include "skineditor/SkinNameDialog.h"
#include "skineditor/TransparentColourPicker.h"
#include "skins/SkinColours.h"
#include "skins/SkinEditorState.h"
#include "skins/SkinIni.h"
#include "skins/SkinKeys.h"

#include "base/Guard.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QColorDialog>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QWindow>

namespace {

using Button = Interaction::Button;

// 60 × 40 of green, a red pixel at (10, 10) and black in the bottom-right quarter.
QByteArray bitmap()
{
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 0));
    image.fill(Qt::green);
    for (int y = 20; y < 40; ++y)
        for (int x = 30; x < 60; ++x)
            image.setPixel(x, y, qRgb(0, 0, 0));
    image.setPixel(10, 10, qRgb(255, 0, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void click(QWidget &widget, QPoint at, Qt::MouseButton button)
{
    QMouseEvent event(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

QMargins frameOf(const QWidget &window)
{
    return window.windowHandle()->frameMargins();
}

QSize outerSize(const QWidget &window)
{
    return window.size().grownBy(frameOf(window));
}

void key(QWidget &widget, Qt::Key code)
{
    QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

class SkinEditorTest : public WindowsFixture
{
protected:
    void SetUp() override { dir.write("pictures/pic.bmp", bitmap()); }

    SkinEditor &editor() const { return root->skinEditor(); }
    TransparentColourPicker &picker() const { return root->transparentColourPicker(); }
    SkinEditorState &state() const { return root->skinEditorState(); }
    IconMarker &iconMarker() const { return root->iconMarker(); }
    ListMarker &listMarker() const { return root->listMarker(); }
    DescriptionMarker &descriptionMarker() const { return root->descriptionMarker(); }
    QString source() const { return dir.file("pictures/pic.bmp"); }
    QString skinFile(const QString &name) const { return dir.file("skin/" + name); }

    // "skin.iniエディタの実行" with the bitmap chosen: the picker shows it.
    void runEditor()
    {
        answerChooser(source());
        action(MainMenu::Command::SkinEditor)->trigger();
        ASSERT_TRUE(picker().isVisible());
    }
    // The picker picked the red pixel: the editor opens.
    void openEditor()
    {
        runEditor();
        click(picker(), {10, 10}, Qt::LeftButton);
        ASSERT_TRUE(editor().isVisible());
    }

    // "skin.iniの作成" answered with the name and OK; the dialog's result.
    int create(const QString &name, QString *shownName = nullptr)
    {
        int result = -1;
        interaction.onModal = [&](QDialog &dialog) {
            auto &nameDialog = dynamic_cast<SkinNameDialog &>(dialog);
            if (shownName)
                *shownName = nameDialog.nameField()->text();
            nameDialog.nameField()->setText(name);
            guarded(interaction, [&] { nameDialog.confirm(); });
            return result = nameDialog.result();
        };
        editor().createSkin();
        return result;
    }

    // Colour dialogs answered with the colour; the colour each started from.
    void answerColour(const QColor &colour, QList<QColor> &started)
    {
        interaction.onModal = [&started, colour](QDialog &dialog) {
            auto &colours = dynamic_cast<QColorDialog &>(dialog);
            started.append(colours.currentColor());
            colours.setCurrentColor(colour);
            return int(QDialog::Accepted);
        };
    }

    // A skin folder "round" with the bitmap and a skin.ini of the given lines.
    void skin(const QByteArray &lines)
    {
        dir.write("skin/round/pic.bmp", bitmap());
        dir.write("skin/round/skin.ini", "[Skin]\r\nSkinName=pic.bmp\r\n" + lines);
    }

    // The chooser opened from the main window, the skin double-clicked.
    void openFromChooser(const QString &name)
    {
        interaction.onModal = [&](QDialog &dialog) {
            auto &chooser = dynamic_cast<SkinChooser &>(dialog);
            const auto found = chooser.list()->findItems(name, Qt::MatchExactly);
            chooser.list()->setCurrentItem(found.value(0));
            guarded(interaction, [&] { chooser.openSelected(); });
            return chooser.result();
        };
        action(MainMenu::Command::EditSkinIni)->trigger();
    }

    QStringList skins() const
    {
        return QDir(dir.file("skin")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    }
};

TEST_F(SkinEditorTest, windowsHaveNoContentsUntilFirstShown)
{
    start();
    const QList<QWidget *> windows{&editor(),
                                   &picker(),
                                   &iconMarker(),
                                   &listMarker(),
                                   &descriptionMarker(),
                                   &root->skinNameDialog(),
                                   &root->skinChooser()};
    for (QWidget *made : windows)
        EXPECT_TRUE(made->findChildren<QObject *>().isEmpty()) << made->objectName().toStdString();
}

TEST_F(SkinEditorTest, aPressOfAnyButtonPicksThePixelUnderThePointerLessTheCentring)
{
    start();
    struct Case
    {
        const char *name;
        int pickerWidth;
        QPoint at;
        Qt::MouseButton button;
        quint32 colour;
    } cases[] = {
        {"left on red", 60, {10, 10}, Qt::LeftButton, 0x0000FF},
        {"right on black", 60, {40, 30}, Qt::RightButton, 0x000000},
        {"middle on green", 60, {1, 1}, Qt::MiddleButton, 0x00FF00},
        {"centred picture", 100, {30, 10}, Qt::LeftButton, 0x0000FF},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        editor().close();
        state().setTransparentColour(0x123456);
        runEditor();
        picker().resize(c.pickerWidth, picker().height());
        click(picker(), c.at, c.button);
        EXPECT_EQ(state().transparentColour(), c.colour);
        EXPECT_EQ(root->skinEditorState().transparentColour(), c.colour);
        EXPECT_TRUE(editor().isVisible());
        EXPECT_FALSE(picker().isVisible());
    }
}

TEST_F(SkinEditorTest, aPressInTheMarginPicksNothingAndEscPicksBlack)
{
    start();
    state().setTransparentColour(0x123456);
    runEditor();
    picker().resize(100, picker().height());
    click(picker(), {5, 10}, Qt::LeftButton);
    EXPECT_TRUE(picker().isVisible());
    EXPECT_FALSE(editor().isVisible());
    key(picker(), Qt::Key_A);
    EXPECT_FALSE(editor().isVisible());

    key(picker(), Qt::Key_Escape);
    EXPECT_EQ(state().transparentColour(), SkinColours::Black);
    EXPECT_TRUE(editor().isVisible());
    // The black quarter is cut away.
    EXPECT_FALSE(editor().mask().contains(QPoint(45, 30)));
    EXPECT_TRUE(editor().mask().contains(QPoint(10, 10)));
}

TEST_F(SkinEditorTest, theEditorOpensBesideTheMainWindowWithTheMarkersAtTheirStartingPlaces)
{
    start();
    window->move(100, 80);
    openEditor();
    EXPECT_EQ(editor().geometry().topLeft(), window->geometry().topLeft() + QPoint(152, 152));
    EXPECT_EQ(editor().size(), QSize(60, 40));
    // The markers' sizes count their frames: 40 × 40, 152 × 28 and 152 × 20 with them.
    const QMargins frame = frameOf(listMarker());
    ASSERT_GT(frame.left() + frame.right(), 0) << "the test needs windows with frames";
    EXPECT_EQ(outerSize(iconMarker()), QSize(40, 40));
    EXPECT_EQ(outerSize(listMarker()), QSize(152, 28));
    EXPECT_EQ(outerSize(descriptionMarker()), QSize(152, 20));
    const SkinIni::Values values = editor().values();
    EXPECT_EQ(QPoint(values.iconLeft, values.iconTop), QPoint(5, 52));
    EXPECT_EQ(QPoint(values.listLeft, values.listTop), QPoint(5, 92));
    EXPECT_EQ(values.listWidth, 152 - frame.left() - frame.right());
    EXPECT_EQ(QPoint(values.explanationLeft, values.explanationTop), QPoint(5, 120));
    EXPECT_EQ(values.explanationWidth, 152);
    EXPECT_EQ(values.skinName, "pic.bmp");
    EXPECT_EQ(values.transparentColor, 0x0000FFu);
}

// Where windows can neither place themselves nor learn where they are, the markers lie in
// the editor's window, of a fixed size (tiling desktops float it), its dialogs belong to the
// windows they come from, and skin.ini gets where the markers were dragged to.
TEST_F(SkinEditorTest, whereWindowsCannotPlaceThemselvesTheMarkersArePartsOfTheEditor)
{
    windowFrame.allowed = {.placesItself = false, .staysOnTop = false, .maskCutsDrawing = false};
    start();
    QApplication::setActiveWindow(window);
    openEditor();
    EXPECT_EQ(picker().parentWidget(), window);
    EXPECT_EQ(editor().minimumSize(), QSize(60, 40));
    EXPECT_EQ(editor().maximumSize(), QSize(60, 40));
    for (QWidget *marker : QList<QWidget *>{&iconMarker(), &listMarker(), &descriptionMarker()}) {
        EXPECT_EQ(marker->window(), &editor()) << marker->objectName().toStdString();
        EXPECT_TRUE(marker->isVisible()) << marker->objectName().toStdString();
    }
    EXPECT_EQ(iconMarker().size(), QSize(40, 40));
    EXPECT_EQ(listMarker().geometry(), QRect(5, 92, 152, 28));

    ListMarker &marker = listMarker();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, marker.mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&marker, &event);
    };
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    send(QEvent::MouseMove, {40, 30}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {40, 30}, Qt::NoButton);
    key(iconMarker(), Qt::Key_Left);

    QWidget *nameOwner = nullptr;
    interaction.onModal = [&](QDialog &dialog) {
        nameOwner = dialog.parentWidget();
        auto &nameDialog = dynamic_cast<SkinNameDialog &>(dialog);
        nameDialog.nameField()->setText("mine");
        guarded(interaction, [&] { nameDialog.confirm(); });
        return nameDialog.result();
    };
    editor().createSkin();
    EXPECT_EQ(nameOwner, &editor());
    EXPECT_EQ(root->skinNameDialog().parentWidget(), nullptr);
    const SkinIni ini(skinFile("mine/skin.ini"));
    const QList<std::pair<QStringView, int>> written{
        {SkinKeys::IconLeft, 4},         {SkinKeys::IconTop, 52},
        {SkinKeys::ListLeft, 35},        {SkinKeys::ListTop, 112},
        {SkinKeys::ListWidth, 152},      {SkinKeys::ExplanationLeft, 5},
        {SkinKeys::ExplanationTop, 120}, {SkinKeys::ExplanationWidth, 152}};
    for (const auto &[name, value] : written)
        EXPECT_EQ(ini.readInteger(name, -1), value) << name.toString().toStdString();
}

TEST_F(SkinEditorTest, arrowKeysNudgeAMarkerByOnePixel)
{
    start();
    openEditor();
    for (int i = 0; i < 3; ++i)
        key(iconMarker(), Qt::Key_Left);
    key(listMarker(), Qt::Key_Down);
    key(descriptionMarker(), Qt::Key_Up);
    key(descriptionMarker(), Qt::Key_Right);
    key(descriptionMarker(), Qt::Key_A);
    const SkinIni::Values values = editor().values();
    EXPECT_EQ(QPoint(values.iconLeft, values.iconTop), QPoint(2, 52));
    EXPECT_EQ(QPoint(values.listLeft, values.listTop), QPoint(5, 93));
    EXPECT_EQ(QPoint(values.explanationLeft, values.explanationTop), QPoint(6, 119));
}

TEST_F(SkinEditorTest, aPressAnywhereMovesAMarkerOnceThePointerHasGoneSomeWay)
{
    start();
    openEditor();
    ListMarker &marker = listMarker();
    const QPoint before = marker.pos();
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, marker.mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&marker, &event);
    };
    send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    send(QEvent::MouseMove, {11, 10}, Qt::LeftButton);
    EXPECT_EQ(marker.pos(), before);
    send(QEvent::MouseMove, {40, 30}, Qt::LeftButton);
    EXPECT_EQ(marker.pos(), before + QPoint(30, 20));
    send(QEvent::MouseButtonRelease, {40, 30}, Qt::NoButton);
    EXPECT_EQ(editor().values().listLeft, 35);
}

TEST_F(SkinEditorTest, aWidenedListMarkerWritesItsWidthAndKeepsItsHeight)
{
    start();
    openEditor();
    listMarker().resize(200, 50);
    iconMarker().resize(60, 60);
    descriptionMarker().resize(100, 50);
    // A move, as when the window manager frames a window, keeps the sizes the user gave.
    listMarker().move(listMarker().pos() + QPoint(1, 0));
    descriptionMarker().move(descriptionMarker().pos() + QPoint(1, 0));
    EXPECT_EQ(outerSize(listMarker()).height(), 28);
    EXPECT_EQ(outerSize(iconMarker()), QSize(40, 40));
    EXPECT_EQ(outerSize(descriptionMarker()).height(), 20);
    const SkinIni::Values values = editor().values();
    EXPECT_EQ(values.listWidth, 200);
    EXPECT_EQ(listMarker().findChild<QWidget *>("sample")->width(), 200);
    const QMargins frame = frameOf(descriptionMarker());
    EXPECT_EQ(values.explanationWidth, 100 + frame.left() + frame.right());
}

TEST_F(SkinEditorTest, markersFollowTheEditorKeepingThePlacesTheyHadWhenItWasActivated)
{
    start();
    openEditor();
    iconMarker().move(iconMarker().pos() + QPoint(7, 3));
    QApplication::setActiveWindow(&editor());
    editor().move(editor().pos() + QPoint(30, 20));
    const SkinIni::Values values = editor().values();
    EXPECT_EQ(QPoint(values.iconLeft, values.iconTop), QPoint(12, 55));
    EXPECT_EQ(QPoint(values.listLeft, values.listTop), QPoint(5, 92));
}

TEST_F(SkinEditorTest, colourDialogsStartFromTheLastColourAndTheColoursOutliveTheEditor)
{
    start();
    openEditor();
    QList<QColor> started;
    answerColour(QColor(0, 0, 255), started);
    listMarker().chooseBackgroundColour();
    answerColour(QColor(255, 255, 0), started);
    listMarker().chooseTextColour();
    descriptionMarker().chooseTextColour();
    ASSERT_EQ(started.size(), 3);
    EXPECT_EQ(started[0], QColor(0x40, 0, 0));
    EXPECT_EQ(started[1], QColor(0, 0, 255));
    EXPECT_EQ(started[2], QColor(0x40, 0, 0));

    editor().close();
    EXPECT_FALSE(listMarker().isVisible());
    openEditor();
    const SkinIni::Values values = editor().values();
    EXPECT_EQ(values.listBColor, 0xFF0000u);
    EXPECT_EQ(values.listTColor, 0x00FFFFu);
    EXPECT_EQ(values.explanationTextColor, 0x00FFFFu);
    EXPECT_EQ(QPoint(values.iconLeft, values.iconTop), QPoint(5, 52));
}

TEST_F(SkinEditorTest, aNewSkinGetsACopyOfTheBitmapAndItsDescription)
{
    start();
    openEditor();
    EXPECT_EQ(create("mine"), QDialog::Accepted);
    EXPECT_EQ(dir.read("skin/mine/pic.bmp"), bitmap());
    EXPECT_EQ(dir.read("pictures/pic.bmp"), bitmap());
    const SkinIni ini(skinFile("mine/skin.ini"));
    EXPECT_EQ(ini.readText(SkinKeys::SkinName, u""), "pic.bmp");
    EXPECT_EQ(ini.readInteger(SkinKeys::ListTop, -1), 92);
    EXPECT_EQ(ini.readText(SkinKeys::TransparentColor, u""), "clRed");
    for (QWidget *closed :
         QList<QWidget *>{&editor(), &iconMarker(), &listMarker(), &descriptionMarker(), &picker(),
                          &root->skinNameDialog()})
        EXPECT_FALSE(closed->isVisible()) << closed->objectName().toStdString();
    EXPECT_TRUE(root->skinNameDialog().nameField()->text().isEmpty());
    EXPECT_TRUE(interaction.errors.isEmpty()) << interaction.errors.join('\n').toStdString();
}

TEST_F(SkinEditorTest, aBitmapThatCannotBeCopiedIsReportedAndTheDescriptionWrittenAllTheSame)
{
    start();
    openEditor();
    ASSERT_TRUE(QFile::remove(source()));
    EXPECT_EQ(create("mine"), QDialog::Accepted);
    ASSERT_EQ(interaction.errors.size(), 1);
    EXPECT_TRUE(interaction.errors[0].contains(source())) << interaction.errors[0].toStdString();
    EXPECT_EQ(SkinIni(skinFile("mine/skin.ini")).readText(SkinKeys::SkinName, u""), "pic.bmp");
}

TEST_F(SkinEditorTest, anOpenedSkinIsWrittenBackWithoutTouchingItsBitmap)
{
    skin("IconTop=3\r\nIconLeft=4\r\nListTop=10\r\nListLeft=11\r\nListWidth=40\r\n"
         "ListBColor=clYellow\r\nListTColor=clNavy\r\nExplanationTop=30\r\n"
         "ExplanationLeft=12\r\nExplanationWidth=44\r\nExplanationTextColor=clRed\r\n"
         "TransparentColor=clBlack\r\n");
    start();
    // However the bitmap's path is spelt, it is the file in the skin folder.
    for (const char *spelling : {"", "/./"}) {
        SCOPED_TRACE(spelling);
        openFromChooser("round");
        ASSERT_TRUE(editor().isVisible());
        EXPECT_FALSE(root->skinChooser().isVisible());
        if (*spelling)
            state().bitmapPath = dir.path() + "skin//round/." + spelling + "pic.bmp";
        const QDateTime written = QFileInfo(skinFile("round/pic.bmp")).lastModified();
        interaction.answers = {Button::Yes};
        QString shownName;
        EXPECT_EQ(create("round", &shownName), QDialog::Accepted);
        EXPECT_EQ(shownName, "round");
        EXPECT_EQ(interaction.warnings.value(0),
                  "そのフォルダ名はすでに存在します。上書きしますか？");
        interaction.warnings.clear();
        EXPECT_EQ(dir.read("skin/round/pic.bmp"), bitmap());
        EXPECT_EQ(QFileInfo(skinFile("round/pic.bmp")).lastModified(), written);
        const SkinIni ini(skinFile("round/skin.ini"));
        const QList<std::pair<QStringView, int>> integers{
            {SkinKeys::IconTop, 3},          {SkinKeys::IconLeft, 4},
            {SkinKeys::ListTop, 10},         {SkinKeys::ListLeft, 11},
            {SkinKeys::ListWidth, 40},       {SkinKeys::ExplanationTop, 30},
            {SkinKeys::ExplanationLeft, 12}, {SkinKeys::ExplanationWidth, 44}};
        for (const auto &[name, value] : integers)
            EXPECT_EQ(ini.readInteger(name, -1), value) << name.toString().toStdString();
        for (const auto &[name, value] :
             QList<std::pair<QStringView, QString>>{{SkinKeys::ListBColor, "clYellow"},
                                                    {SkinKeys::ListTColor, "clNavy"},
                                                    {SkinKeys::ExplanationTextColor, "clRed"},
                                                    {SkinKeys::TransparentColor, "clBlack"}})
            EXPECT_EQ(ini.readText(name, u""), value) << name.toString().toStdString();
    }
    EXPECT_TRUE(interaction.errors.isEmpty()) << interaction.errors.join('\n').toStdString();
}

TEST_F(SkinEditorTest, aSkinWithoutItsColourAndIconKeysOpensWithTheEditorsDefaults)
{
    skin("");
    start();
    openFromChooser("round");
    ASSERT_TRUE(editor().isVisible());
    EXPECT_EQ(state().explanationColour, SkinColours::Black);
    EXPECT_EQ(
        descriptionMarker().findChild<QLabel *>("sample")->palette().color(QPalette::WindowText),
        QColor(Qt::black));
    interaction.answers = {Button::Yes};
    create("round");
    const SkinIni ini(skinFile("round/skin.ini"));
    EXPECT_EQ(ini.readText(SkinKeys::ExplanationTextColor, u""), "clBlack");
    EXPECT_EQ(ini.readInteger(SkinKeys::IconTop, -1), 0);
    EXPECT_EQ(ini.readInteger(SkinKeys::IconLeft, -1), 205);
    EXPECT_EQ(ini.readInteger(SkinKeys::ListWidth, -1), 153);
    EXPECT_EQ(ini.readInteger(SkinKeys::ExplanationWidth, -1), 153);
}

TEST_F(SkinEditorTest, anEmptyNameIsWarnedOfAndAnOverwriteRefusedChangesNothing)
{
    dir.write("skin/taken/skin.ini", "old");
    start();
    openEditor();
    EXPECT_NE(create(""), QDialog::Accepted);
    EXPECT_EQ(interaction.warnings, QStringList{"フォルダ名が空です。名前を入力して下さい。"});
    interaction.answers = {Button::No};
    EXPECT_NE(create("taken"), QDialog::Accepted);
    EXPECT_EQ(dir.read("skin/taken/skin.ini"), "old");
    EXPECT_FALSE(dir.exists("skin/taken/pic.bmp"));
    EXPECT_EQ(skins(), QStringList{"taken"});
    EXPECT_TRUE(editor().isVisible());
}

TEST_F(SkinEditorTest, namesThatLeaveTheSkinRootOrThatTheFileSystemRefusesMakeNothing)
{
    start();
    openEditor();
    for (const QString &name :
         {QStringLiteral("a/b"), QStringLiteral("..\\up"), QStringLiteral("."),
          QStringLiteral(".."), QStringLiteral("../up"), QString(300, u'x')}) {
        SCOPED_TRACE(name.toStdString());
        interaction.errors.clear();
        EXPECT_NE(create(name), QDialog::Accepted);
        EXPECT_EQ(interaction.errors.size(), 1);
        EXPECT_TRUE(skins().isEmpty()) << skins().join(' ').toStdString();
        EXPECT_FALSE(dir.exists("up"));
        EXPECT_FALSE(dir.exists("skin.ini"));
    }
}

TEST_F(SkinEditorTest, aDoubleClickWithNothingSelectedOpensNothing)
{
    start();
    interaction.onModal = [&](QDialog &dialog) {
        auto &chooser = dynamic_cast<SkinChooser &>(dialog);
        guarded(interaction, [&] { chooser.openSelected(); });
        return chooser.result();
    };
    action(MainMenu::Command::EditSkinIni)->trigger();
    EXPECT_EQ(root->skinChooser().pos(), window->geometry().topLeft() + QPoint(52, 52));
    EXPECT_FALSE(editor().isVisible());
    EXPECT_TRUE(interaction.errors.isEmpty());
}

} // namespace
