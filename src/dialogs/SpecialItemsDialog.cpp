#include "SpecialItemsDialog.h"

#include "base/Interaction.h"
#include "keywords/KeywordMessages.h"
#include "settings/Settings.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using FormDesign::place;

namespace {

// Each item's row as designed, in the order the rows are made (and tabbed through).
struct RowDesign
{
    SpecialItem item;
    const char *name;
    QString caption;
    QRect tick;
    int nameTop;
};

} // namespace

SpecialItemsDialog::SpecialItemsDialog(AppContext &context, KeywordStore &store, Settings &settings,
                                       QWidget *parent)
    : ReleasingDialog(parent)
    , m_context(context)
    , m_items(store, settings)
{
    setObjectName(QStringLiteral("specialItemsDialog"));
    setWindowTitle(QStringLiteral("特殊項目の登録"));
    setModal(true);
    setFont(FormDesign::font());
    FormDesign::keepOuterSize(this, {353, 203});

    const RowDesign designs[] = {
        {SpecialItem::MyComputer,
         "myComputer",
         QStringLiteral("マイコンピュータ"),
         {8, 8, 129, 17},
         32},
        {SpecialItem::RecycleBin, "recycleBin", QStringLiteral("ごみ箱"), {8, 64, 129, 17}, 88},
        {SpecialItem::MyDocuments,
         "myDocuments",
         QStringLiteral("マイドキュメント"),
         {8, 120, 113, 17},
         144},
        {SpecialItem::Shutdown,
         "shutdown",
         QStringLiteral("シャットダウン"),
         {192, 8, 145, 17},
         32},
        {SpecialItem::Reboot, "reboot", QStringLiteral("再起動"), {192, 64, 145, 17}, 88},
    };
    for (const RowDesign &design : designs) {
        const QByteArray name(design.name);
        const int left = design.tick.left();
        Row &row = m_rows[std::size_t(design.item)];
        row.tick =
            place(new QCheckBox(design.caption, this), (name + "Tick").constData(), design.tick);
        FormDesign::label(this, (name + "Label").constData(), QStringLiteral("登録名"),
                          {left, design.nameTop + 8});
        row.name = place(new QLineEdit(this), (name + "Name").constData(),
                         {left + 48, design.nameTop, 97, 20});
    }
    for (std::size_t i = 0; i < SpecialItemCount; ++i) {
        m_rows[i].tick->setChecked(settings.specialTicked(SpecialItem(i)));
        m_rows[i].name->setText(settings.specialName(SpecialItem(i)));
    }

    FormDesign::button(this, context.interaction, "cancel", QStringLiteral("キャンセル"),
                       {168, 144, 81, 20}, &QDialog::reject);
    QPushButton *registerButton =
        FormDesign::button(this, context.interaction, "register", QStringLiteral("登　録"),
                           {256, 144, 81, 20}, &SpecialItemsDialog::registerItems);
    QFont bold = registerButton->font();
    bold.setBold(true);
    registerButton->setFont(bold);
}

SpecialItemsDialog::~SpecialItemsDialog() = default;

void SpecialItemsDialog::openItems()
{
    m_context.interaction.execModal(*this);
}

void SpecialItemsDialog::registerItems()
{
    SpecialItems::Choices choices;
    for (std::size_t i = 0; i < SpecialItemCount; ++i)
        choices[i] = {m_rows[i].tick->isChecked(), m_rows[i].name->text()};
    const std::optional<SpecialItem> declined = m_items.save(choices, [this](const QString &) {
        return m_context.interaction.warning(KeywordMessages::overwriteQuestion(),
                                             {Interaction::Button::Yes, Interaction::Button::No})
               == Interaction::Button::Yes;
    });
    if (declined) {
        // The keyword stays the user's; the item waits for another name (or キャンセル).
        QLineEdit *name = m_rows[std::size_t(*declined)].name;
        name->setFocus(Qt::OtherFocusReason);
        name->selectAll();
        return;
    }
    accept();
}
