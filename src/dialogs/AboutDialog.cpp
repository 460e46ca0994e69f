#include "AboutDialog.h"

#include "VersionInfo.h"

#include "base/Interaction.h"
#include "ui/FormDesign.h"
#include "ui/ProgramIcon.h"
#include "ui/ScreenFit.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTextDocument>
#include <QToolButton>

AboutDialog::AboutDialog(Interaction &interaction, QWidget *parent)
    : ReleasingDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                  | Qt::WindowCloseButtonHint)
    , m_interaction(interaction)
    , m_version(VersionInfo::fileVersion(QCoreApplication::applicationFilePath()))
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setModal(true);
    setFixedSize(172, 82);
    ScreenFit::of(*this).openAt({302, 246});
}

void AboutDialog::setDataLocation(bool portable, const QString &folder)
{
    m_locationKind = portable ? QStringLiteral("データ: ポータブル版")
                              : QStringLiteral("データ: インストール版");
    m_locationFolder = folder;
    setFixedSize(172, 114);
}

void AboutDialog::openModal()
{
    m_interaction.execModal(*this);
}

void AboutDialog::setVisible(bool visible)
{
    // Made before the box first shows, the controls appear with it.
    if (visible && !m_built)
        buildControls();
    QDialog::setVisible(visible);
}

void AboutDialog::buildControls()
{
    m_built = true;
    setFont(FormDesign::font());
    auto *picture = FormDesign::place(new QToolButton(this), "picture", {8, 8, 34, 34});
    picture->setAutoRaise(true);
    picture->setIconSize({32, 32});
    picture->setIcon(programIcon());
    connect(picture, &QToolButton::clicked, this, &QDialog::close);
    FormDesign::label(this, "name", QStringLiteral("tobio's launcher"), {48, 8});
    FormDesign::label(this, "versionCaption", QStringLiteral("version"), {56, 24});
    // Where the design puts it; a little indented, for "version" is wider in our font.
    QLabel *version = FormDesign::label(this, "version", m_version, {96, 24});
    version->setIndent(3);
    version->adjustSize();
    FormDesign::label(this, "webAddress", QStringLiteral("https://tobio.example/"), {8, 48});
    FormDesign::label(this, "mailAddress", QStringLiteral("launcher@tobio.example"), {8, 64});
    if (m_locationKind.isEmpty())
        return;
    FormDesign::label(this, "locationKind", m_locationKind, {8, 82});
    // A long folder is cut in its middle; the whole path is its tooltip.
    // A folder's name is no markup, in the line or in its tooltip.
    QLabel *folder = FormDesign::label(this, "locationFolder", m_locationFolder, {8, 96});
    folder->setTextFormat(Qt::PlainText);
    folder->setToolTip(Qt::convertFromPlainText(m_locationFolder, Qt::WhiteSpaceNoWrap));
    folder->setText(folder->fontMetrics().elidedText(m_locationFolder, Qt::ElideMiddle, 156));
    folder->adjustSize();
}
