#include "SkinChooser.h"

#include "skins/SkinFolders.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace {
constexpr int BandHeight = 33;
}

SkinChooser::SkinChooser(AppContext &context)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint)
    , m_context(context)
    , m_skins(SkinFolders::list(SkinFolders::root(context.dataFolder)))
{
    setObjectName(QStringLiteral("skinChooser"));
    setWindowTitle(QStringLiteral("skin.iniの編集"));
    setModal(true);
    resize(158, 197);
}

void SkinChooser::setVisible(bool visible)
{
    if (visible)
        list();
    QDialog::setVisible(visible);
}

QListWidget *SkinChooser::list()
{
    if (!m_list)
        buildControls();
    return m_list;
}

void SkinChooser::buildControls()
{
    setFont(FormDesign::font());
    FormDesign::keepOuterSize(this, {158, 197});
    auto *band = FormDesign::place(new QFrame(this), "band", {0, 0, width(), BandHeight});
    band->setFrameShape(QFrame::Panel);
    band->setFrameShadow(QFrame::Sunken);
    FormDesign::label(band, "caption", QStringLiteral("編集するスキンを選択"), {8, 10});
    m_list = FormDesign::place(new QListWidget(this), "skins",
                               {0, BandHeight, width(), height() - BandHeight});
    m_list->addItems(m_skins);
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this] { guarded(m_context.interaction, [&] { openSelected(); }); });
}

void SkinChooser::resizeEvent(QResizeEvent *event)
{
    if (m_list) {
        findChild<QFrame *>(QStringLiteral("band"))->resize(width(), BandHeight);
        m_list->setGeometry(0, BandHeight, width(), height() - BandHeight);
    }
    QDialog::resizeEvent(event);
}

void SkinChooser::openAt(QPoint mainCorner)
{
    m_mainCorner = mainCorner;
    move(mainCorner + QPoint(52, 52));
    m_context.interaction.execModal(*this);
}

void SkinChooser::openSelected()
{
    const QListWidgetItem *item = list()->currentItem();
    if (!item || !item->isSelected())
        return;
    if (opener)
        opener(item->text(), m_mainCorner);
    accept();
}
