#include "SkinNameDialog.h"

#include "skins/SkinFolders.h"
#include "skins/SkinMessages.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Interaction.h"
#include "base/Messages.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QLineEdit>
#include <QPushButton>

SkinNameDialog::SkinNameDialog(AppContext &context)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_context(context)
{
    setObjectName(QStringLiteral("skinNameDialog"));
    setWindowTitle(QStringLiteral("スキンフォルダ名の指定"));
    setModal(true);
    setFixedSize(305, 112);
}

void SkinNameDialog::setVisible(bool visible)
{
    if (visible)
        nameField();
    QDialog::setVisible(visible);
}

QLineEdit *SkinNameDialog::nameField()
{
    if (!m_name)
        buildControls();
    return m_name;
}

void SkinNameDialog::buildControls()
{
    setFont(FormDesign::font());
    FormDesign::label(this, "explanation",
                      QStringLiteral("入力した名前がスキン一覧に表示される名前になります。"),
                      {8, 8});
    FormDesign::label(this, "restartNote",
                      QStringLiteral("※アプリケーションの再起動後に有効になります"), {8, 26});
    m_name = FormDesign::place(new QLineEdit(this), "name", {8, 48, 289, 21});
    Interaction &interaction = m_context.interaction;
    // Enter in the name field confirms, as in any name dialog.
    FormDesign::button(this, interaction, "ok", QStringLiteral("OK"), {64, 80, 75, 25},
                       &SkinNameDialog::confirm)
        ->setDefault(true);
    FormDesign::button(this, interaction, "cancel", QStringLiteral("cancel"), {168, 80, 75, 25},
                       &SkinNameDialog::cancel);
}

void SkinNameDialog::openAt(QWidget &owner, QPoint corner, const QString &name)
{
    if (!name.isEmpty())
        nameField()->setText(name);
    // The owner's only while open: the editor goes before the dialog does.
    setParent(&owner, windowFlags());
    move(corner);
    m_context.interaction.execModal(*this);
    setParent(nullptr, windowFlags());
}

void SkinNameDialog::confirm()
{
    using Button = Interaction::Button;
    Interaction &interaction = m_context.interaction;
    const QString name = nameField()->text();
    if (name.isEmpty()) {
        interaction.warning(SkinMessages::emptyFolderName(), {Button::Ok});
        return;
    }
    // The folder is made in the skin root and nowhere else.
    if (!SkinFolders::isPlainName(name))
        throw Error(SkinMessages::unfitFolderName(name));
    const QString folder = SkinFolders::root(m_context.dataFolder) + u'/' + name;
    if (FileSystem::exists(folder)) {
        if (interaction.warning(SkinMessages::folderExistsOverwrite(), {Button::Yes, Button::No})
            == Button::No)
            return;
        if (!FileSystem::isFolder(folder))
            throw Error(SkinMessages::notAFolder(folder));
    } else if (const int error = FileSystem::makeFolder(folder)) {
        throw Error(SkinMessages::cannotCreateSkinFolder(folder, Messages::systemReason(error)));
    }
    if (writer)
        writer(folder);
    done(Accepted);
    m_name->clear();
}

void SkinNameDialog::cancel()
{
    done(Rejected);
}
