#include "Unit2.h"

#include "FormDesign.h"

#include "base/Error.h"
#include "base/Guard.h"
#include "base/Interaction.h"
#include "base/TextFile.h"
#include "launcher/Entry.h"
#include "launcher/EntryIcon.h"
#include "launcher/KeywordStore.h"
#include "launcher/KeywordText.h"
#include "launcher/Unit1.h"
#include "platform/Icons.h"
#include "settings/FolderDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <optional>

using FormDesign::place;

namespace {

const QString kDuplicateQuestion =
    QStringLiteral("おなじ名前はがすでに登録されています。更新しますか？");
const QString kAdded = QStringLiteral("追加しました");
const QString kOverwritten = QStringLiteral("上書きしました");
const QString kAbandoned = QStringLiteral("登録処理を中断しました");
const QString kLineBreak =
    QStringLiteral("登録名・パス・パラメータ・簡単な説明には改行を入れられません");

// A text box one line high: it neither wraps nor scrolls, like the path it holds.
QPlainTextEdit *oneLineBox(QWidget *parent)
{
    auto *box = new QPlainTextEdit(parent);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    return box;
}

QString firstLine(const QString &text)
{
    return TextFile::splitLines(text).value(0);
}

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// Everything that would make the files unsound is refused before anything is written: a
// name that cannot name a file in the store folder, a line break (which would shift the
// entry's lines or split a row of data.lst), text the code page cannot hold.
void checkRegistration(const QString &name, const Entry &entry)
{
    const QStringList lines = KeywordStore::entryLines(entry);
    if (hasLineBreak(name) || std::ranges::any_of(lines, hasLineBreak))
        throw Error(kLineBreak);
    KeywordText::checkFileName(name);
    TextFile::encodeLines(QStringList(lines) << name);
}

} // namespace

TForm2::TForm2(AppContext &context, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("登録画面"));
    setModal(true);
    setFont(FormDesign::font());
    FormDesign::keepOuterSize(this, {257, 284});

    Label1 = FormDesign::label(this, "Label1", QStringLiteral("登録名"), {8, 8});
    Edit1 = place(new QLineEdit(this), "Edit1", {8, 24, 185, 20});
    Image1 = place(new QLabel(this), "Image1", {208, 24, 32, 32});
    Label2 = FormDesign::label(this, "Label2", QStringLiteral("パス"), {8, 48});
    Memo1 = place(oneLineBox(this), "Memo1", {8, 64, 185, 20});
    Button2 =
        FormDesign::button(this, m_context.interaction, "Button2", QStringLiteral("ファイルの参照"),
                           {8, 88, 97, 20}, &TForm2::Button2Click);
    Button4 =
        FormDesign::button(this, m_context.interaction, "Button4", QStringLiteral("フォルダの参照"),
                           {120, 88, 97, 20}, &TForm2::Button4Click);
    Label4 = FormDesign::label(this, "Label4", QStringLiteral("パラメータ"), {8, 120});
    Memo2 = place(oneLineBox(this), "Memo2", {8, 136, 185, 20});
    Button5 =
        FormDesign::button(this, m_context.interaction, "Button5", QStringLiteral("キャンセル"),
                           {136, 200, 105, 20}, &TForm2::Button5Click);
    Label3 = FormDesign::label(this, "Label3", QStringLiteral("簡単な説明"), {8, 214});
    Edit2 = place(new QLineEdit(this), "Edit2", {8, 229, 121, 20});
    Button1 = FormDesign::button(this, m_context.interaction, "Button1", QStringLiteral("登　録"),
                                 {136, 228, 105, 20}, &TForm2::Button1Click);
    QFont bold = Button1->font();
    bold.setBold(true);
    Button1->setFont(bold);

    FolderDlg1 = new TFolderDlg(this, context.interaction);
    FolderDlg1->setObjectName(QStringLiteral("FolderDlg1"));
}

TForm2::~TForm2() = default;

void TForm2::setEntryFieldsEnabled(bool enabled)
{
    Edit1->setEnabled(enabled);
    Memo1->setEnabled(enabled);
    Memo2->setEnabled(enabled);
}

void TForm2::setIcon(const IconRef &icon)
{
    const QPixmap pixmap = m_context.icons.extract(icon.file, icon.index, devicePixelRatioF());
    if (pixmap.isNull())
        Image1->clear();
    else
        Image1->setPixmap(pixmap);
}

Entry TForm2::entry() const
{
    return {Memo1->toPlainText(), Edit2->text(), Memo2->toPlainText()};
}

void TForm2::Button1Click()
{
    const QString name = Edit1->text();
    const Entry entry = this->entry();
    checkRegistration(name, entry);

    KeywordStore &store = m_context.form1->store();
    // The question is asked for every equal row; the last answer stands. Unset: no row.
    std::optional<bool> overwrite;
    for (const QString &row : TextFile::readLines(store.listFile())) {
        if (KeywordText::equal(row, name)) {
            overwrite = m_context.interaction.warning(
                            kDuplicateQuestion, {Interaction::Button::Yes, Interaction::Button::No})
                        == Interaction::Button::Yes;
        }
    }

    if (!overwrite) {
        store.insertKeyword(name, entry);
        m_context.interaction.notice(kAdded);
    } else if (*overwrite) {
        // The entry keeps the spelling of its file, so a name typed in other letter case
        // rewrites it instead of leaving a second file beside it.
        const QString existing = store.findEntryFile(name);
        store.overwriteEntry(existing.isEmpty() ? name : QFileInfo(existing).fileName(), entry);
        m_context.interaction.notice(kOverwritten);
    } else {
        m_context.interaction.notice(kAbandoned);
    }
    finish();
}

void TForm2::finish()
{
    // The parameters stay for the next registration.
    Edit1->clear();
    Edit2->clear();
    Memo1->clear();
    accept();
    m_context.form1->clearDisplay();
}

void TForm2::Button2Click()
{
    // Made when first needed: a file chooser is costly to build, and start-up needs none.
    if (!OpenDialog1) {
        OpenDialog1 = new QFileDialog(this);
        OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    }
    if (m_context.interaction.execModal(*OpenDialog1) == QDialog::Accepted) {
        const QString file = OpenDialog1->selectedFiles().value(0);
        if (!file.isEmpty()) {
            Edit1->setText(QFileInfo(file).completeBaseName());
            Memo1->setPlainText(file);
        }
    }
    setIcon(EntryIcon::fileIcon(firstLine(Memo1->toPlainText())));
}

void TForm2::Button4Click()
{
    // Cancelling keeps the path, and with it the icon that belongs to it.
    if (!FolderDlg1->Execute())
        return;
    Edit1->clear();
    Memo1->setPlainText(FolderDlg1->FolderName);
    setIcon(EntryIcon::folderIcon(FolderDlg1->FolderName));
}

void TForm2::Button5Click()
{
    reject();
}
