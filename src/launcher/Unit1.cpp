#include "Unit1.h"

#include "EnterCommand.h"
#include "KeywordLineEdit.h"
#include "KeywordListModel.h"
#include "KeywordStore.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "calc/MathsParser.h"
#include "calc/NumberFormat.h"
#include "platform/Shell.h"
#include "settings/ExitWin32.h"
#include "platform/VirtualKeys.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMenu>
#include <QTimer>

namespace {

const QString kUnlockedCaption = QStringLiteral("ロック");
const QString kLockedCaption = QStringLiteral("ロックを解除");

} // namespace

TForm1::TForm1(AppContext &context)
    : QWidget(nullptr)
    , m_context(context)
    , m_store(std::make_unique<KeywordStore>(context.executableFolder))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("tobio's launcher"));
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")});
    font.setPixelSize(12);
    setFont(font);

    m_model = new KeywordListModel(*m_store, this);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1Edit = new KeywordLineEdit(ComboBox1);
    ComboBox1Edit->setObjectName(QStringLiteral("ComboBox1Edit"));
    ComboBox1->setLineEdit(ComboBox1Edit);
    ComboBox1->setCompleter(nullptr);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    // A long keyword list must not be measured item by item for the box's size.
    ComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto *listView = new QListView(ComboBox1);
    listView->setUniformItemSizes(true);
    ComboBox1->setView(listView);
    ComboBox1->setModel(m_model);
    ComboBox1->setCurrentIndex(-1);
    // A reloaded list keeps whatever the input line shows; the combo box would put its
    // first item there.
    connect(m_store.get(), &KeywordStore::listAboutToChange, this,
            [this] { m_textBeforeReload = ComboBox1Edit->text(); });
    connect(m_store.get(), &KeywordStore::listChanged, this, [this] {
        ComboBox1->setCurrentIndex(-1);
        setInputText(m_textBeforeReload);
    });

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAttribute(Qt::WA_TranslucentBackground);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    Keisan = new TMathsParser(this);
    Keisan->setObjectName(QStringLiteral("Keisan"));
    Keisan->setLanguage(1);
    ExitWin1 = new TExitWin(context.power, this);
    ExitWin1->setObjectName(QStringLiteral("ExitWin1"));

    buildMenu();
    applyDefaultLayout();

    connect(ComboBox1Edit, &KeywordLineEdit::keyDown, this,
            [this](int key) { guarded(m_context.interaction, [&] { ComboBox1KeyDown(key); }); });
    connect(ComboBox1Edit, &KeywordLineEdit::keyPress, this,
            [this](QChar key) { guarded(m_context.interaction, [&] { ComboBox1KeyPress(key); }); });
}

TForm1::~TForm1() = default;

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
    N14 = addItem("N14", kUnlockedCaption, nullptr);
    N14->setCheckable(true);
    // The menu flips the check before it reports the click; the handler flips it itself.
    connect(N14, &QAction::triggered, this, [this] {
        N14->setChecked(!N14->isChecked());
        N14Click();
    });
    N7 = addSeparator("N7");
    N8 = addItem("N8", QStringLiteral("登録画面をひらく"), &TForm1::N8Click);
    N1 = addItem("N1", QStringLiteral("特殊項目を登録する"), nullptr);
    N2 = addItem("N2", QStringLiteral("選択したファイル（フォルダ）のリンク先をひらく"), &TForm1::N2Click);
    N3 = addSeparator("N3");
    N9 = addItem("N9", QStringLiteral("選択したのを消す"), &TForm1::N9Click);
    N10 = addSeparator("N10");
    N13 = addItem("N13", QStringLiteral("環境設定"), nullptr);
    N16 = addItem("N16", QStringLiteral("登録キーワードの保守"), &TForm1::N16Click);
    N4 = addItem("N4", QStringLiteral("スキンの設定"), nullptr);
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

void TForm1::contextMenuEvent(QContextMenuEvent *event)
{
    PopupMenu1->popup(event->globalPos());
}

void TForm1::FormCreate()
{
    guarded(m_context.interaction, [&] {
        typingFlag = 0;
        m_store->load();
    });
}

void TForm1::setInputText(const QString &text)
{
    // Text the program sets never counts as the user's edit.
    ComboBox1Edit->setText(text);
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
    Timer1->start();
}

QString TForm1::shutdownName() const
{
    return QStringLiteral("shutdown");
}

QString TForm1::rebootName() const
{
    return QStringLiteral("reboot");
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
        Timer1->start();
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
    case K::Keyword:
        if (!m_store->entryExists(command.text)) {
            clearDisplay();
            releaseLock();
            return;
        }
        launch(command.text);
        break;
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

void TForm1::launch(const QString &keyword)
{
    const Entry entry = m_store->readEntry(keyword);
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
    close();
    QApplication::quit();
}
