#include "KeywordOrderDialog.h"

#include "DialogMessages.h"
#include "KeywordOrderModel.h"
#include "KeywordOrderView.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "keywords/KeywordReadings.h"
#include "keywords/KeywordStore.h"
#include "keywords/KeywordText.h"
#include "keywords/TargetCheck.h"
#include "settings/Settings.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"
#include "ui/ScreenFit.h"

#include <QHeaderView>
#include <QLabel>
#include <QWindow>

#include <algorithm>

namespace {

const QSize kOuterSize(249, 508);
constexpr int kPanelHeight = 41;
constexpr int kSummaryHeight = 18;
// The cancel button keeps its distance from the right edge, as designed in a framed window.
constexpr int kCancelRightMargin = 8;
const QRect kOkGeometry(8, 8, 89, 25);
const QRect kCancelGeometry(144, 8, 89, 25);

bool sameFirstCharacter(const QString &a, const QString &b)
{
    return KeywordText::equal(KeywordText::firstCharacter(a), KeywordText::firstCharacter(b));
}

} // namespace

KeywordOrderDialog::KeywordOrderDialog(AppContext &context, KeywordStore &store,
                                       const KeywordReadings &readings, const Settings &settings,
                                       QWidget *parent)
    : ReleasingDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_context(context)
    , m_store(store)
    , m_readings(readings)
    , m_settings(settings)
{
    setObjectName(QStringLiteral("keywordOrderDialog"));
    setModal(true);
}

KeywordOrderDialog::~KeywordOrderDialog() = default;

void KeywordOrderDialog::build()
{
    setWindowTitle(QStringLiteral("登録キーワード保守"));
    setFont(FormDesign::font());

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    // A word on a refused move is longer than the window is wide: it takes a second line.
    m_summary->setWordWrap(true);
    Interaction &interaction = m_context.interaction;
    m_ok = FormDesign::button(this, interaction, "ok", QStringLiteral("OK"), kOkGeometry,
                              &KeywordOrderDialog::confirm);
    m_cancel = FormDesign::button(this, interaction, "cancel", QStringLiteral("キャンセル"),
                                  kCancelGeometry, &QDialog::reject);

    m_check = new TargetCheck(m_store.dataFolder(), this);
    connect(m_check, &TargetCheck::found, this, [this](const QList<qsizetype> &numbers) {
        if (!m_model)
            return;
        m_model->markMissing(numbers);
        showSummary();
    });
    connect(m_check, &TargetCheck::finished, this, [this] {
        showSummary();
        emit targetsChecked();
    });

    setMinimumSize(kCancelGeometry.width() * 2 + 3 * kOkGeometry.left(), 120);
    // The client area until the window manager's frame is known.
    resize(kOuterSize);
}

void KeywordOrderDialog::makeList()
{
    m_model = new KeywordOrderModel(this);
    m_model->useReadings(m_settings.readings() ? &m_readings : nullptr);
    // Readings made while the window is open (it opened before they were ready) show then.
    connect(&m_readings, &KeywordReadings::readingsReady, m_model, [this] {
        if (!isVisible())
            return;
        m_model->readingsChanged();
        showSummary();
    });
    m_list = new KeywordOrderView(this);
    connect(m_list, &KeywordOrderView::droppedOnto, this, &KeywordOrderDialog::moveSelectedOnto);
    connect(m_list, &KeywordOrderView::stepRequested, this, &KeywordOrderDialog::stepSelected);
    m_list->setObjectName(QStringLiteral("keywords"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDragDropOverwriteMode(true); // a row is dropped on a row, never between two
    m_list->setDefaultDropAction(Qt::MoveAction);
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setMinimumSectionSize(120);
    header->resizeSection(0, 236);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        m_moveRefused = false;
        showSummary();
    });
    setTabOrder(m_list, m_ok);
    setTabOrder(m_ok, m_cancel);
    m_list->setFocus();
    layOutSummary();
}

void KeywordOrderDialog::openAt(QPoint position)
{
    guarded(m_context.interaction, [&] {
        const QStringList keywords = m_store.readListFile();
        if (!m_check)
            build();
        if (!m_list)
            makeList();
        fill(keywords);
        ScreenFit::of(*this).openAt(position);
        m_context.interaction.execModal(*this);
    });
}

void KeywordOrderDialog::fill(const QStringList &keywords)
{
    m_moveRefused = false;
    m_model->reset(keywords);
    if (!keywords.isEmpty())
        m_list->setCurrentIndex(m_model->index(0));
    m_list->scrollToTop();
    m_check->start(keywords);
    showSummary();
}

bool KeywordOrderDialog::moveSelectedOnto(int target)
{
    if (!m_list || !m_list->selectionModel()->hasSelection())
        return false;
    const int selected = m_list->selectionModel()->selectedRows().value(0).row();
    const QStringList &rows = m_model->keywords();
    if (target < 0 || target >= rows.size())
        return false;
    if (!sameFirstCharacter(rows[selected], rows[target])) {
        refuseMove();
        return false;
    }
    if (!m_model->move(selected, target))
        return false;
    const QModelIndex moved = m_model->index(target > selected ? target - 1 : target);
    m_list->setCurrentIndex(moved);
    m_list->scrollTo(moved);
    m_moveRefused = false;
    showSummary();
    return true;
}

bool KeywordOrderDialog::stepSelected(int step)
{
    if (!m_list || !m_list->selectionModel()->hasSelection())
        return false;
    const int selected = m_list->selectionModel()->selectedRows().value(0).row();
    if (step < 0)
        return moveSelectedOnto(selected - 1);
    // Down: as if the next row were dropped on this one.
    const QStringList &rows = m_model->keywords();
    const int next = selected + 1;
    if (next >= rows.size())
        return false;
    if (!sameFirstCharacter(rows[selected], rows[next])) {
        refuseMove();
        return false;
    }
    m_model->move(selected, next + 1);
    m_list->setCurrentIndex(m_model->index(next));
    m_list->scrollTo(m_model->index(next));
    m_moveRefused = false;
    showSummary();
    return true;
}

void KeywordOrderDialog::confirm()
{
    m_store.rewriteOrder(m_model ? m_model->keywords() : QStringList());
    accept();
}

void KeywordOrderDialog::refuseMove()
{
    m_moveRefused = true;
    showSummary();
}

void KeywordOrderDialog::showSummary()
{
    if (!m_model)
        return;
    if (m_moveRefused) {
        m_summary->setText(DialogMessages::otherFirstCharacter());
    } else {
        const QString missing = m_check->isRunning() ? DialogMessages::checking()
                                                     : QString::number(m_model->missingCount());
        m_summary->setText(DialogMessages::orderSummary(m_model->unreachableCount(), missing));
    }
    layOutSummary();
}

void KeywordOrderDialog::done(int result)
{
    // Whatever the check finds after closing belongs to rows that are gone.
    if (m_check)
        m_check->cancel();
    QDialog::done(result);
    // The list and its rows are made again at each opening: nothing is kept meanwhile (at
    // 100,000 keywords, tens of megabytes). Later, as this may run inside their own handlers.
    if (m_list) {
        m_list->deleteLater();
        m_model->deleteLater();
        m_list = nullptr;
        m_model = nullptr;
    }
}

void KeywordOrderDialog::layOutSummary()
{
    if (!m_list || !m_summary)
        return;
    const int panelTop = height() - kPanelHeight;
    const int summaryHeight = std::max(kSummaryHeight, m_summary->heightForWidth(width() - 8));
    m_list->setGeometry(0, 0, width(), panelTop - summaryHeight);
    m_summary->setGeometry(4, panelTop - summaryHeight, width() - 8, summaryHeight);
}

void KeywordOrderDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (!m_ok)
        return;
    layOutSummary();
    const int panelTop = height() - kPanelHeight;
    m_ok->move(kOkGeometry.topLeft() + QPoint(0, panelTop));
    m_cancel->move(width() - kCancelRightMargin - kCancelGeometry.width(),
                   panelTop + kCancelGeometry.top());
}

void KeywordOrderDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    fitOuterSize();
}

void KeywordOrderDialog::moveEvent(QMoveEvent *event)
{
    QDialog::moveEvent(event);
    fitOuterSize();
}

void KeywordOrderDialog::fitOuterSize()
{
    // The frame is known once the window manager has framed the window, which it reports by
    // moving it; from then on the size is the user's.
    const QWindow *handle = windowHandle();
    const QMargins frame = handle ? ScreenFit::knownFrame(*handle) : QMargins();
    if (m_outerSizeFitted || frame.isNull())
        return;
    m_outerSizeFitted = true;
    resize(kOuterSize.shrunkBy(frame));
}
