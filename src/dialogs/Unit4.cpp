#include "Unit4.h"

#include "FormDesign.h"

#include "base/Error.h"
#include "base/Guard.h"
#include "base/TextFile.h"
#include "launcher/Entry.h"
#include "launcher/KeywordStore.h"
#include "launcher/KeywordText.h"
#include "launcher/Unit1.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsKeys.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <tuple>

using FormDesign::place;

namespace {

const QString kLineBreak = QStringLiteral("特殊項目の登録名には改行を入れられません");

// The entry file of each item, in the order of SettingsKeys::SpecialItems. The three
// folders open through the file manager with the shell folder's class id; shutdown and
// reboot are recognised by name, so their files are empty and only list them.
QByteArray entryBytes(std::size_t item)
{
    static const std::array<QString, 3> folders{
        QStringLiteral("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"),
        QStringLiteral("::{450D8FBA-AD25-11D0-98A8-0800361B1103}"),
        QStringLiteral("::{645FF040-5081-101B-9F08-00AA002F954E}"),
    };
    if (item >= folders.size())
        return {};
    return TextFile::encodeLines(
        KeywordStore::entryLines({QStringLiteral("explorer.exe"), QString(), folders[item]}));
}

// The first row equal to the name, preferring one spelled exactly like it.
qsizetype rowOf(const QStringList &rows, const QString &name)
{
    const qsizetype exact = rows.indexOf(name);
    if (exact >= 0)
        return exact;
    for (qsizetype i = 0; i < rows.size(); ++i)
        if (KeywordText::equal(rows[i], name))
            return i;
    return -1;
}

// One item as the user left it, with the name the settings record it as registered under
// (none when it is not registered).
struct ItemState
{
    QString name;
    bool ticked = false;
    std::optional<QString> registeredAs;
};

struct Changes
{
    QStringList rows;    // the new keyword list
    QStringList removed; // entry files to delete
};

// Names that would break data.lst, an entry file or the settings file are refused before
// anything is written.
void checkNames(const std::array<ItemState, 5> &items)
{
    for (const ItemState &item : items) {
        if (item.name.contains(u'\r') || item.name.contains(u'\n'))
            throw Error(kLineBreak);
        if (item.ticked)
            KeywordText::checkFileName(item.name);
        TextFile::encodeLines({item.name});
    }
}

// A ticked item is appended unless an equal row exists. An unticked one is removed only if
// this dialog registered it, and under the name it was registered with: a keyword the
// user made, even one bearing an item's name, stays. A name a ticked item now bears stays
// too.
Changes plan(QStringList rows, const std::array<ItemState, 5> &items)
{
    const auto ticked = [&](const QString &name) {
        return std::ranges::any_of(items, [&](const ItemState &item) {
            return item.ticked && KeywordText::equal(item.name, name);
        });
    };
    QStringList removed;
    for (const ItemState &item : items) {
        if (item.ticked) {
            if (rowOf(rows, item.name) < 0)
                rows.append(item.name);
        } else if (item.registeredAs && !ticked(*item.registeredAs)) {
            const qsizetype row = rowOf(rows, *item.registeredAs);
            if (row >= 0)
                rows.removeAt(row);
            removed.append(*item.registeredAs);
        }
    }
    return {rows, removed};
}

} // namespace

TForm4::TForm4(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("特殊項目の登録"));
    setModal(true);
    setFont(FormDesign::font());
    FormDesign::keepOuterSize(this, {353, 203});

    const QString nameLabel = QStringLiteral("登録名");
    const auto item = [&](const char *box, const QString &caption, const QRect &boxGeometry,
                          const char *label, const char *edit, int top) {
        const int left = boxGeometry.left();
        QCheckBox *check = place(new QCheckBox(caption, this), box, boxGeometry);
        QLabel *text = FormDesign::label(this, label, nameLabel, {left, top + 8});
        QLineEdit *name = place(new QLineEdit(this), edit, {left + 48, top, 97, 20});
        return std::tuple{check, text, name};
    };
    std::tie(CheckBox1, Label1, Edit1) = item("CheckBox1", QStringLiteral("マイコンピュータ"),
                                              {8, 8, 129, 17}, "Label1", "Edit1", 32);
    std::tie(CheckBox5, Label5, Edit5) =
        item("CheckBox5", QStringLiteral("ごみ箱"), {8, 64, 129, 17}, "Label5", "Edit5", 88);
    std::tie(CheckBox4, Label4, Edit4) = item("CheckBox4", QStringLiteral("マイドキュメント"),
                                              {8, 120, 113, 17}, "Label4", "Edit4", 144);
    std::tie(CheckBox2, Label2, Edit2) = item("CheckBox2", QStringLiteral("シャットダウン"),
                                              {192, 8, 145, 17}, "Label2", "Edit2", 32);
    std::tie(CheckBox3, Label3, Edit3) =
        item("CheckBox3", QStringLiteral("再起動"), {192, 64, 145, 17}, "Label3", "Edit3", 88);
    // The names are those of the settings keys' defaults until FormCreate reads the file.
    for (std::size_t i = 0; i < SettingsKeys::SpecialItems.size(); ++i)
        items()[i].name->setText(SettingsKeys::SpecialItems[i].name.defaultValue.toString());

    Button2 =
        FormDesign::button(this, m_context.interaction, "Button2", QStringLiteral("キャンセル"),
                           {168, 144, 81, 20}, &TForm4::Button2Click);
    Button1 = FormDesign::button(this, m_context.interaction, "Button1", QStringLiteral("登　録"),
                                 {256, 144, 81, 20}, &TForm4::Button1Click);
    QFont bold = Button1->font();
    bold.setBold(true);
    Button1->setFont(bold);
}

TForm4::~TForm4() = default;

std::array<TForm4::ItemControls, 5> TForm4::items() const
{
    return {{{CheckBox1, Edit1},
             {CheckBox4, Edit4},
             {CheckBox5, Edit5},
             {CheckBox2, Edit2},
             {CheckBox3, Edit3}}};
}

void TForm4::FormCreate()
{
    const SettingsFile settings(m_context.settingsFile);
    const auto controls = items();
    for (std::size_t i = 0; i < controls.size(); ++i)
        controls[i].box->setChecked(settings.read(SettingsKeys::SpecialItems[i].registered));
    for (std::size_t i = 0; i < controls.size(); ++i)
        controls[i].name->setText(settings.read(SettingsKeys::SpecialItems[i].name));
}

void TForm4::Button1Click()
{
    const SettingsFile settings(m_context.settingsFile);
    KeywordStore &store = m_context.form1->store();
    const auto controls = items();

    std::array<ItemState, 5> state;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const SettingsKeys::SpecialItem &keys = SettingsKeys::SpecialItems[i];
        state[i] = {controls[i].name->text(), controls[i].box->isChecked(),
                    settings.read(keys.registered) ? std::optional(settings.read(keys.name))
                                                   : std::nullopt};
    }
    checkNames(state);
    const Changes changes = plan(store.keywords(), state);

    // Entries first, then data.lst, then the deletions: a failure on the way never leaves
    // data.lst naming a keyword without its entry file.
    for (std::size_t i = 0; i < state.size(); ++i)
        if (state[i].ticked)
            TextFile::writeBytes(store.entryPath(state[i].name), entryBytes(i));
    store.rewriteOrder(changes.rows);
    for (const QString &name : changes.removed) {
        const QString path = store.entryPath(name);
        // A file already gone, or one that cannot be deleted, is passed over in silence.
        if (KeywordText::isFileName(name) && QFileInfo(path).isFile())
            QFile::remove(path);
    }

    for (std::size_t i = 0; i < controls.size(); ++i)
        settings.write(SettingsKeys::SpecialItems[i].registered, state[i].ticked);
    for (std::size_t i = 0; i < controls.size(); ++i)
        settings.write(SettingsKeys::SpecialItems[i].name, state[i].name);
    accept();
}

void TForm4::Button2Click()
{
    reject();
}
