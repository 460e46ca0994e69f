#include "RegistrationDialog.h"

#include "DialogMessages.h"
#include "OneLineBox.h"

#include "base/Interaction.h"
#include "base/TextFile.h"
#include "keywords/Entry.h"
#include "keywords/EntryIcon.h"
#include "keywords/EntryRegistration.h"
#include "keywords/KeywordMessages.h"
#include "platform/Icons.h"
#include "ui/AppContext.h"
#include "ui/FolderChooser.h"
#include "ui/FormDesign.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using FormDesign::place;

namespace {

QString firstLine(const QString &text)
{
    return TextFile::splitLines(text).value(0);
}

} // namespace

RegistrationDialog::RegistrationDialog(AppContext &context, KeywordStore &store, QWidget *parent)
    : ReleasingDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_context(context)
    , m_store(store)
{
    setObjectName(QStringLiteral("registrationDialog"));
    setWindowTitle(QStringLiteral("登録画面"));
    setModal(true);
    setFont(FormDesign::font());
    FormDesign::keepOuterSize(this, {257, 284});

    Interaction &interaction = context.interaction;
    FormDesign::label(this, "nameLabel", QStringLiteral("登録名"), {8, 8});
    m_name = place(new QLineEdit(this), "name", {8, 24, 185, 20});
    m_icon = place(new QLabel(this), "icon", {208, 24, 32, 32});
    FormDesign::label(this, "targetLabel", QStringLiteral("パス"), {8, 48});
    m_target = place(new OneLineBox(this), "target", {8, 64, 185, 20});
    QPushButton *browseFile =
        FormDesign::button(this, interaction, "browseFile", QStringLiteral("ファイルの参照"),
                           {8, 88, 97, 20}, &RegistrationDialog::browseFile);
    QPushButton *browseFolder =
        FormDesign::button(this, interaction, "browseFolder", QStringLiteral("フォルダの参照"),
                           {120, 88, 97, 20}, &RegistrationDialog::browseFolder);
    FormDesign::label(this, "parametersLabel", QStringLiteral("パラメータ"), {8, 120});
    m_parameters = place(new OneLineBox(this), "parameters", {8, 136, 185, 20});
    // Where the words typed after the keyword ("g ラーメン") go.
    FormDesign::label(this, "wordsHint", QStringLiteral("%s にはキーワードの後の語が入ります"),
                      {8, 160});
    QPushButton *cancel =
        FormDesign::button(this, interaction, "cancel", QStringLiteral("キャンセル"),
                           {136, 200, 105, 20}, &QDialog::reject);
    FormDesign::label(this, "descriptionLabel", QStringLiteral("簡単な説明"), {8, 214});
    m_description = place(new QLineEdit(this), "description", {8, 229, 121, 20});
    QPushButton *registerButton =
        FormDesign::button(this, interaction, "register", QStringLiteral("登　録"),
                           {136, 228, 105, 20}, &RegistrationDialog::registerEntry);
    QFont bold = registerButton->font();
    bold.setBold(true);
    registerButton->setFont(bold);
    // Enter in any one-line field registers, as the bold caption promises.
    registerButton->setDefault(true);

    // Down the form, the way out last.
    QWidget *const tabOrder[] = {m_name,       m_target,      browseFile,     browseFolder,
                                 m_parameters, m_description, registerButton, cancel};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    m_folderChooser = new FolderChooser(this, interaction);
    m_folderChooser->setObjectName(QStringLiteral("folderChooser"));
}

RegistrationDialog::~RegistrationDialog() = default;

void RegistrationDialog::openNew()
{
    // Nothing of an earlier registration, or of one given up, is registered unseen.
    fillAndOpen({}, {}, {}, true);
}

void RegistrationDialog::openEntry(const QString &keyword, const Entry &entry, const IconRef &icon,
                                   bool descriptionOnly)
{
    if (descriptionOnly)
        m_context.interaction.notice(DialogMessages::descriptionOnly());
    fillAndOpen(keyword, entry, icon, !descriptionOnly);
}

void RegistrationDialog::openPath(const QString &keyword, const QString &path, const IconRef &icon)
{
    fillAndOpen(keyword, {path, {}, {}}, icon, true);
}

void RegistrationDialog::fillAndOpen(const QString &keyword, const Entry &entry,
                                     const IconRef &icon, bool entryFieldsEnabled)
{
    m_name->setText(keyword);
    m_target->setPlainText(entry.target);
    m_parameters->setPlainText(entry.parameters);
    m_description->setText(entry.description);
    setIcon(icon);
    setEntryFieldsEnabled(entryFieldsEnabled);
    if (entryFieldsEnabled)
        m_name->setFocus();
    else
        m_description->setFocus();
    m_context.interaction.execModal(*this);
}

void RegistrationDialog::setEntryFieldsEnabled(bool enabled)
{
    m_name->setEnabled(enabled);
    m_target->setEnabled(enabled);
    m_parameters->setEnabled(enabled);
}

void RegistrationDialog::setIcon(const IconRef &icon)
{
    const QPixmap pixmap =
        icon.file.isEmpty() ? QPixmap()
                            : m_context.icons.extract(icon.file, icon.index, devicePixelRatioF());
    if (pixmap.isNull())
        m_icon->clear();
    else
        m_icon->setPixmap(pixmap);
}

Entry RegistrationDialog::entry() const
{
    return {m_target->toPlainText(), m_description->text(), m_parameters->toPlainText()};
}

void RegistrationDialog::registerEntry()
{
    const QString name = m_name->text();
    const Entry entry = this->entry();
    EntryRegistration::check(name, entry);

    EntryRegistration registration(m_store);
    // The question is asked for every equal row; the last answer stands.
    const qsizetype equalRows = registration.equalRows(name);
    bool overwrite = false;
    for (qsizetype i = 0; i < equalRows; ++i)
        overwrite =
            m_context.interaction.warning(KeywordMessages::overwriteQuestion(),
                                          {Interaction::Button::Yes, Interaction::Button::No})
            == Interaction::Button::Yes;

    if (equalRows == 0) {
        registration.add(name, entry);
        m_context.interaction.notice(DialogMessages::added());
    } else if (overwrite) {
        registration.overwrite(name, entry);
        m_context.interaction.notice(DialogMessages::overwritten());
    } else {
        m_context.interaction.notice(DialogMessages::abandoned());
    }
    finish();
}

void RegistrationDialog::finish()
{
    m_name->clear();
    m_description->clear();
    m_target->clear();
    accept();
    emit registered();
}

void RegistrationDialog::browseFile()
{
    // Made when first needed: a file chooser is costly to build, and start-up needs none.
    if (!m_fileChooser) {
        m_fileChooser = new QFileDialog(this);
        m_fileChooser->setObjectName(QStringLiteral("fileChooser"));
    }
    if (m_context.interaction.execModal(*m_fileChooser) == QDialog::Accepted) {
        const QString file = m_fileChooser->selectedFiles().value(0);
        if (!file.isEmpty()) {
            m_name->setText(QFileInfo(file).completeBaseName());
            m_target->setPlainText(file);
        }
    }
    setIcon(EntryIcon::fileIcon(firstLine(m_target->toPlainText())));
}

void RegistrationDialog::browseFolder()
{
    // Cancelling keeps the path, and with it the icon that belongs to it.
    if (!m_folderChooser->choose())
        return;
    m_name->clear();
    m_target->setPlainText(m_folderChooser->folderName());
    setIcon(EntryIcon::folderIcon(m_folderChooser->folderName()));
}
