#include "Unit1.h"

#include "ClockText.h"
#include "EnterCommand.h"
#include "EntryIcon.h"
#include "KeywordLineEdit.h"
#include "KeywordListModel.h"
#include "KeywordStore.h"
#include "KeywordText.h"
#include "TrayIconImage.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "base/Paths.h"
#include "calc/MathsParser.h"
#include "calc/NumberFormat.h"
#include "dialogs/FormDesign.h"
#include "dialogs/Unit2.h"
#include "dialogs/Unit4.h"
#include "platform/Icons.h"
#include "platform/Shell.h"
#include "platform/VirtualKeys.h"
#include "platform/WindowFrame.h"
#include "settings/ExitWin32.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWindow>

namespace {

const QString kUnlockedCaption = QStringLiteral("ロック");
const QString kLockedCaption = QStringLiteral("ロックを解除");

} // namespace

TForm1::TForm1(AppContext &context)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint)
    , shiftHeld([] { return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier; })
    , trayAvailable([] { return QSystemTrayIcon::isSystemTrayAvailable(); })
    , m_context(context)
    , m_store(std::make_unique<KeywordStore>(context.executableFolder))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("tobio's launcher"));
    move(254, 152);
    setFont(FormDesign::font());

    buildControls();
    buildMenu();
    // The design's layout, kept even when start-up stops before it lays the window out.
    applyDefaultLayout();
    winId();
    context.windowFrame.setBorderOnly(*windowHandle());

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this,
            [this] { guarded(m_context.interaction, [&] { Timer1Timer(); }); });

    TrayIcon = new QSystemTrayIcon(trayIconImage(), this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    TrayIcon->setToolTip(QStringLiteral("tobio launcher"));
    connect(TrayIcon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                guarded(m_context.interaction, [&] {
                    if (reason == QSystemTrayIcon::Trigger)
                        TrayLeftClick();
                    else if (reason == QSystemTrayIcon::Context)
                        TrayRightClick();
                });
            });

    Keisan = new TMathsParser(this);
    Keisan->setObjectName(QStringLiteral("Keisan"));
    Keisan->setLanguage(1);
    ExitWin1 = new TExitWin(context.power, this);
    ExitWin1->setObjectName(QStringLiteral("ExitWin1"));
}

TForm1::~TForm1() = default;

void TForm1::buildControls()
{
    m_model = new KeywordListModel(*m_store, this);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1Edit = new KeywordLineEdit(*m_store, ComboBox1);
    ComboBox1Edit->setObjectName(QStringLiteral("ComboBox1Edit"));
    ComboBox1->setLineEdit(ComboBox1Edit);
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // A long keyword list must not be measured item by item for the box's size.
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboBox1->setModel(m_model);
    // Rows of one height: opening the list never measures a long keyword list row by row.
    if (auto *list = qobject_cast<QListView *>(ComboBox1->view()))
        list->setUniformItemSizes(true);
    ComboBox1->setCurrentIndex(-1);
    // A reloaded list keeps whatever the input line shows; the combo box would put its
    // first item there.
    connect(m_store.get(), &KeywordStore::listAboutToChange, this,
            [this] { m_textBeforeReload = ComboBox1Edit->text(); });
    connect(m_store.get(), &KeywordStore::listChanged, this, [this] {
        ComboBox1->setCurrentIndex(-1);
        setInputText(m_textBeforeReload);
    });
    connect(ComboBox1Edit, &KeywordLineEdit::keyDown, this,
            [this](int key) { guarded(m_context.interaction, [&] { ComboBox1KeyDown(key); }); });
    connect(ComboBox1Edit, &KeywordLineEdit::keyPress, this,
            [this](QChar key) { guarded(m_context.interaction, [&] { ComboBox1KeyPress(key); }); });
    connect(ComboBox1Edit, &KeywordLineEdit::edited, this,
            [this] { guarded(m_context.interaction, [&] { ComboBox1Change(); }); });
    connect(ComboBox1, &QComboBox::activated, this, [this](int row) {
        setInputText(m_store->keywords().value(row));
        ComboBox1Edit->picked(row);
    });

    // The icon and the description take their own clicks: only the bare surface moves
    // the window.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAttribute(Qt::WA_NoMousePropagation);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAttribute(Qt::WA_TranslucentBackground);
    Label1->setAttribute(Qt::WA_NoMousePropagation);
}

QAction *TForm1::addItem(const char *name, const QString &caption, void (TForm1::*handler)())
{
    QAction *action = PopupMenu1->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    if (handler)
        connect(action, &QAction::triggered, this,
                [this, handler] { guarded(m_context.interaction, [&] { (this->*handler)(); }); });
    return action;
}

QAction *TForm1::addSeparator(const char *name)
{
    QAction *action = PopupMenu1->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void TForm1::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    connect(PopupMenu1, &QMenu::aboutToShow, this,
            [this] { guarded(m_context.interaction, [&] { PopupMenu1Popup(); }); });
    N14 = addItem("N14", kUnlockedCaption, nullptr);
    N14->setCheckable(true);
    // The menu flips the check before it reports the click; the handler flips it itself.
    connect(N14, &QAction::triggered, this, [this] {
        N14->setChecked(!N14->isChecked());
        N14Click();
    });
    N7 = addSeparator("N7");
    N8 = addItem("N8", QStringLiteral("登録画面をひらく"), &TForm1::N8Click);
    N1 = addItem("N1", QStringLiteral("特殊項目を登録する"), &TForm1::N1Click);
    N2 = addItem("N2", QStringLiteral("選択したファイル（フォルダ）のリンク先をひらく"),
                 &TForm1::N2Click);
    N3 = addSeparator("N3");
    N9 = addItem("N9", QStringLiteral("選択したのを消す"), &TForm1::N9Click);
    N10 = addSeparator("N10");
    N13 = addItem("N13", QStringLiteral("環境設定"), nullptr);
    N16 = addItem("N16", QStringLiteral("登録キーワードの保守"), &TForm1::N16Click);

    QMenu *skins = PopupMenu1->addMenu(QStringLiteral("スキンの設定"));
    N4 = skins->menuAction();
    N4->setObjectName(QStringLiteral("N4"));
    auto *skinChoice = new QActionGroup(this);
    default1 = skins->addAction(QStringLiteral("default"));
    default1->setObjectName(QStringLiteral("default1"));
    default1->setCheckable(true);
    skinChoice->addAction(default1);

    skinini2 = addItem("skinini2", QStringLiteral("skin.iniの編集"), nullptr);
    skinini1 = addItem("skinini1", QStringLiteral("skin.iniエディタの実行"), nullptr);
    N11 = addSeparator("N11");
    N6 = addItem("N6", QStringLiteral("ヘルプ"), &TForm1::N6Click);
    N5 = addItem("N5", QStringLiteral("バージョン情報"), nullptr);
    N15 = addSeparator("N15");
    N12 = addItem("N12", QStringLiteral("ランチャーの終了"), &TForm1::N12Click);
    N12->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    N12->setShortcutContext(Qt::WindowShortcut);
    addAction(N12);
}

void TForm1::applyDefaultLayout()
{
    resize(190, 38);
    ComboBox1->setGeometry(0, 0, 153, 20);
    Image1->setGeometry(157, 0, 32, 32);
    Label1->setGeometry(0, 24, 153, 14);
}

void TForm1::FormCreate()
{
    guarded(m_context.interaction, [&] { startUp(); });
}

void TForm1::startUp()
{
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                guarded(m_context.interaction, [&] {
                    if (state == Qt::ApplicationActive)
                        AppActivate();
                    else if (state == Qt::ApplicationInactive)
                        AppDeactivate();
                });
            });
    setAcceptDrops(true);
    Paths::ensureFolder(m_context.executableFolder + QStringLiteral("skin"));

    const SettingsFile settings(m_context.settingsFile);
    default1->setChecked(settings.read(SettingsKeys::DefaultSkin));
    selectedSkinName = settings.read(SettingsKeys::SelectedSkinName);
    if (default1->isChecked())
        applyDefaultLayout();

    switchClockOn();
    typingFlag = 0;
    TrayIcon->show();
    m_store->load();
}

void TForm1::setInputText(const QString &text)
{
    // Text the program sets never counts as the user's edit.
    ComboBox1Edit->setText(text);
}

void TForm1::switchClockOn()
{
    // Switching on a running clock must not restart its second, or keys held down would
    // keep it from ever ticking.
    if (!Timer1->isActive())
        Timer1->start();
}

bool TForm1::locked() const
{
    return N14->isChecked();
}

void TForm1::clearDisplay()
{
    setInputText(QString());
    Image1->clear();
    Label1->clear();
}

void TForm1::releaseLock()
{
    N14->setChecked(false);
    N14->setText(kUnlockedCaption);
}

void TForm1::finish()
{
    releaseLock();
    typingFlag = 0;
    switchClockOn();
}

bool TForm1::stayOnTop() const
{
    // Read from the settings dialog's switch once that dialog exists.
    return false;
}

int TForm1::hotkey() const
{
    // The settings dialog's hotkey once that dialog exists; until then what is stored.
    return SettingsFile(m_context.settingsFile).read(SettingsKeys::Hotkey, m_context.keyNames);
}

QString TForm1::shutdownName() const
{
    // The special items dialog's fields hold the names; they exist once that dialog does.
    return m_context.form4 ? m_context.form4->Edit2->text()
                           : SettingsKeys::ShutdownName.defaultValue.toString();
}

QString TForm1::rebootName() const
{
    return m_context.form4 ? m_context.form4->Edit3->text()
                           : SettingsKeys::ReBootName.defaultValue.toString();
}

void TForm1::Timer1Timer()
{
    if (typingFlag != 0 || ComboBox1Edit->hasSelectedText()) {
        Timer1->stop();
        return;
    }
    if (idleTicks <= 3) {
        ++idleTicks;
        return;
    }
    setInputText(clockText(QDateTime::currentDateTime(), QLocale::system()));
}

void TForm1::AppDeactivate()
{
    if (stayOnTop()) {
        if (QWindow *window = windowHandle())
            window->setFlags(window->flags() | Qt::WindowStaysOnTopHint);
        return;
    }
    // Without a notification area a hidden window could only come back by the hotkey.
    if (shiftHeld() || locked() || !trayAvailable())
        return;
    clearDisplay();
    switchClockOn();
    typingFlag = 0;
    hide();
}

void TForm1::AppActivate()
{
    if (Timer1->isActive())
        ComboBox1Edit->selectAll();
}

void TForm1::restore()
{
    show();
    raise();
    activateWindow();
    Image1->clear();
    ComboBox1Edit->setFocus(Qt::ActiveWindowFocusReason);
    if (ComboBox1Edit->hasSelectedText())
        ComboBox1Edit->del();
}

void TForm1::TrayLeftClick()
{
    restore();
}

void TForm1::TrayRightClick()
{
    for (QAction *item : {N7, N14, N2, N10, N9})
        item->setVisible(false);
    PopupMenu1->popup(QCursor::pos());
}

void TForm1::PopupMenu1Popup()
{
    if (isActiveWindow())
        for (QAction *item : {N7, N14, N2, N10, N9})
            item->setVisible(true);
}

void TForm1::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu1->popup(event->globalPos());
}

void TForm1::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // The window manager moves the window where it can; otherwise it follows the mouse.
    if (QWindow *window = windowHandle(); window && window->startSystemMove())
        return;
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TForm1::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragOffset)
        move(event->globalPosition().toPoint() - *m_dragOffset);
}

void TForm1::mouseReleaseEvent(QMouseEvent *)
{
    m_dragOffset.reset();
}

void TForm1::ComboBox1Change()
{
    const SettingsFile settings(m_context.settingsFile);
    const QString dustBoxName = settings.read(SettingsKeys::DustBoxName, u"");
    const QString mydocName = settings.read(SettingsKeys::MydocName, u"");
    typingFlag = 1;
    Timer1->stop();
    Image1->setVisible(true);
    // Every equal row names the same entry file, and the last one's icon stands: reading
    // the entry once and taking the last row's icon shows what handling each in turn would.
    const QString text = ComboBox1Edit->text();
    const qsizetype row = m_store->findLast(text);
    if (row >= 0) {
        const Entry entry = m_store->readEntry(text);
        const IconRef icon =
            EntryIcon::iconForEntry(m_store->keywords()[row], entry.target, dustBoxName, mydocName);
        Image1->setPixmap(m_context.icons.extract(icon.file, icon.index, devicePixelRatioF()));
        Label1->setText(entry.description);
    }
    idleTicks = 0;
}

void TForm1::ComboBox1KeyDown(int key)
{
    if (key == VirtualKeys::Down)
        ComboBox1->showPopup();
    if (key == VirtualKeys::Escape)
        clearDisplay();
    if (key == VirtualKeys::OemSlash) {
        // Accept a proposed completion whole, so that the "/" typed next follows it.
        ComboBox1Edit->deselect();
        ComboBox1Edit->end(false);
    }
}

void TForm1::ComboBox1KeyPress(QChar key)
{
    if (key != QChar(u'\r')) {
        typingFlag = 0;
        switchClockOn();
        return;
    }
    dispatchEnter();
}

void TForm1::dispatchEnter()
{
    using K = EnterCommand::Kind;
    const EnterCommand command =
        EnterCommand::classify(ComboBox1Edit->text(), shutdownName(), rebootName());
    switch (command.kind) {
    case K::PowerOff:
        ExitWin1->PowerOff();
        break;
    case K::Reboot:
        ExitWin1->Reboot();
        break;
    case K::Address:
        m_context.shell.open(command.text, QString());
        break;
    case K::NewEntry:
        N8->trigger();
        break;
    case K::Maintenance:
        N16->trigger();
        break;
    case K::Help:
        N6->trigger();
        break;
    case K::Exit:
        N12->trigger();
        break;
    case K::OpenFolder:
        setInputText(command.text);
        N2->trigger();
        break;
    case K::Delete:
        setInputText(command.text);
        N9->trigger();
        break;
    case K::Lock:
        N14Click();
        setInputText(command.text);
        return;
    case K::Edit:
        setInputText(command.text);
        N8->trigger();
        break;
    case K::Calculate:
        calculate(command.text);
        finish();
        return;
    case K::Keyword: {
        // One look-up: a keyword typed in another case may cost a scan of the folder.
        const QString file = m_store->findEntryFile(command.text);
        if (file.isEmpty()) {
            clearDisplay();
            releaseLock();
            return;
        }
        launch(file);
        break;
    }
    }
    clearDisplay();
    finish();
}

void TForm1::calculate(const QString &text)
{
    Keisan->setExpression(text);
    const QString result = formatGeneral(Keisan->value(), QLocale().decimalPoint().at(0));
    setInputText(result);
    QGuiApplication::clipboard()->setText(result);
}

void TForm1::launch(const QString &entryFile)
{
    const Entry entry = KeywordStore::readEntryFile(entryFile);
    m_context.shell.open(entry.target, entry.parameters);
}

void TForm1::N14Click()
{
    const bool lock = !N14->isChecked();
    N14->setChecked(lock);
    N14->setText(lock ? kLockedCaption : kUnlockedCaption);
}

void TForm1::N8Click()
{
    const SettingsFile settings(m_context.settingsFile);
    const QString myComName = settings.read(SettingsKeys::MyComName, u"");
    const QString mydocName = settings.read(SettingsKeys::MydocName, u"");
    const QString dustBoxName = settings.read(SettingsKeys::DustBoxName, u"");
    TForm2 &form2 = *m_context.form2;
    const QString text = ComboBox1Edit->text();
    if (text.isEmpty() || KeywordText::equal(text, u"/new")) {
        form2.setEntryFieldsEnabled(true);
        m_context.interaction.execModal(form2);
        return;
    }
    const qsizetype found = m_store->find(text);
    if (found < 0)
        return;
    const QString row = m_store->keywords()[found];
    const Entry entry = m_store->readEntry(text);
    form2.setIcon(EntryIcon::iconForEntry(row, entry.target, dustBoxName, mydocName));
    form2.Edit2->setText(entry.description);
    form2.Memo1->setPlainText(entry.target);
    form2.Edit1->setText(row);
    form2.Memo2->setPlainText(entry.parameters);
    const bool special = row == myComName || row == mydocName || row == dustBoxName;
    form2.setEntryFieldsEnabled(!special);
    if (special)
        m_context.interaction.notice(
            QStringLiteral("特殊項目の登録内容は『簡単な説明』以外、ここでは変更できません"));
    m_context.interaction.execModal(form2);
}

void TForm1::N1Click()
{
    m_context.interaction.execModal(*m_context.form4);
}

void TForm1::N16Click()
{
}

void TForm1::N6Click()
{
    m_context.shell.open(QStringLiteral("tblaunch.chm"), QString());
}

void TForm1::N2Click()
{
}

void TForm1::N9Click()
{
}

void TForm1::N12Click()
{
    const SettingsFile settings(m_context.settingsFile);
    settings.write(SettingsKeys::Hotkey, hotkey(), m_context.keyNames);
    settings.write(SettingsKeys::DefaultSkin, default1->isChecked());
    settings.write(SettingsKeys::SelectedSkinName, selectedSkinName);
    close();
    QApplication::quit();
}
