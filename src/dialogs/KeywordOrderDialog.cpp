#include "KeywordOrderDialog.h"

#include "base/Guard.h"
#include "base/Interaction.h"
#include "launcher/KeywordReach.h"
#include "launcher/KeywordStore.h"
#include "launcher/KeywordText.h"
#include "launcher/TargetCheck.h"
#include "ui/AppContext.h"
#include "ui/FormDesign.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMimeData>
#include <QStyle>
#include <QTreeView>
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

const QString kRowFormat = QStringLiteral("application/x-tblaunch-keyword-row");
const QString kMissingTarget = QStringLiteral("リンク先が見つかりません");
const QColor kWarningColour(176, 64, 0);

bool sameFirstCharacter(const QString &a, const QString &b)
{
    return KeywordText::equal(KeywordText::firstCharacter(a), KeywordText::firstCharacter(b));
}

} // namespace

// The rows: each keyword with how far it must be typed, and whether its target is gone.
// A row keeps the number it had when the rows were filled, which names it to the target
// check however it has moved since.
class KeywordOrderModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    const QStringList &keywords() const { return m_keywords; }
    qsizetype unreachableCount() const
    {
        return std::count_if(m_reach.begin(), m_reach.end(),
                             [](const KeywordReach::Row &row) { return row.unreachable(); });
    }
    qsizetype missingCount() const { return std::count(m_missing.begin(), m_missing.end(), true); }

    void reset(QStringList keywords)
    {
        beginResetModel();
        m_keywords = std::move(keywords);
        m_numbers.resize(size_t(m_keywords.size()));
        for (size_t i = 0; i < m_numbers.size(); ++i)
            m_numbers[i] = qsizetype(i);
        m_missing.assign(m_numbers.size(), false);
        m_reach = KeywordReach::compute(m_keywords);
        endResetModel();
    }

    // Moves a row in front of another (numbered as before the move).
    bool move(int from, int before)
    {
        if (from == before || from + 1 == before)
            return false;
        beginMoveRows({}, from, from, {}, before);
        const int to = before > from ? before - 1 : before;
        m_keywords.move(from, to);
        const auto first = m_numbers.begin();
        if (to < from)
            std::rotate(first + to, first + from, first + from + 1);
        else
            std::rotate(first + from, first + from + 1, first + to + 1);
        endMoveRows();
        m_reach = KeywordReach::compute(m_keywords);
        rowsChanged();
        return true;
    }

    void markMissing(const QList<qsizetype> &numbers)
    {
        for (qsizetype number : numbers)
            if (number >= 0 && size_t(number) < m_missing.size())
                m_missing[size_t(number)] = true;
        rowsChanged();
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_keywords.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_keywords.size())
            return {};
        const auto row = size_t(index.row());
        const bool marked = m_reach[row].unreachable() || m_missing[size_t(m_numbers[row])];
        switch (role) {
        case Qt::DisplayRole:
            return m_keywords[index.row()];
        case Qt::ToolTipRole:
        case Qt::AccessibleDescriptionRole:
            return description(row);
        case Qt::DecorationRole:
            if (!marked)
                return {};
            if (m_warningIcon.isNull())
                m_warningIcon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
            return m_warningIcon;
        case Qt::ForegroundRole:
            return marked ? QVariant(kWarningColour) : QVariant();
        default:
            return {};
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return QStringLiteral("登録キーワード");
        return {};
    }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled
               | Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
    }

    QStringList mimeTypes() const override { return {kRowFormat}; }
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QMimeData *mimeData(const QModelIndexList &indexes) const override
    {
        auto *data = new QMimeData;
        data->setData(kRowFormat, QByteArray::number(indexes.value(0).row()));
        return data;
    }

private:
    QString description(size_t row) const
    {
        const KeywordReach::Row &reach = m_reach[row];
        const QString &keyword = m_keywords[qsizetype(row)];
        QStringList lines;
        if (reach.unreachable())
            lines.append(QStringLiteral("届きません: 「%1」と打っても「%2」が補完されます")
                             .arg(keyword, m_keywords[reach.takenBy]));
        else if (reach.typed > 0)
            lines.append(QStringLiteral("「%1」で補完されます").arg(keyword.left(reach.typed)));
        if (m_missing[size_t(m_numbers[row])])
            lines.append(kMissingTarget);
        return lines.join(u'\n');
    }

    void rowsChanged()
    {
        if (!m_keywords.isEmpty())
            emit dataChanged(index(0), index(int(m_keywords.size()) - 1),
                             {Qt::ToolTipRole, Qt::AccessibleDescriptionRole, Qt::DecorationRole,
                              Qt::ForegroundRole});
    }

    QStringList m_keywords;
    std::vector<qsizetype> m_numbers;       // by row: the row's number at filling
    std::vector<KeywordReach::Row> m_reach; // by row
    std::vector<bool> m_missing;            // by number
    mutable QIcon m_warningIcon;
};

// The list: rows are dragged within it and dropped on a row; Ctrl+Up and Ctrl+Down move the
// selected row without the mouse.
class KeywordOrderView : public QTreeView
{
public:
    KeywordOrderView(KeywordOrderDialog &dialog, QWidget *parent)
        : QTreeView(parent)
        , m_dialog(dialog)
    {
    }

protected:
    // The view's own drag would remove the dragged row after a move dropped on itself.
    void startDrag(Qt::DropActions) override
    {
        const QModelIndex dragged = currentIndex();
        if (!dragged.isValid() || !selectionModel()->isSelected(dragged))
            return;
        auto *drag = new QDrag(this);
        drag->setMimeData(model()->mimeData({dragged}));
        const QRect row = visualRect(dragged);
        drag->setPixmap(viewport()->grab(row));
        drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - row.topLeft());
        drag->exec(Qt::MoveAction, Qt::MoveAction);
    }

    void dragMoveEvent(QDragMoveEvent *event) override
    {
        // The view scrolls near its edges and shows where the row would land.
        QTreeView::dragMoveEvent(event);
        event->setAccepted(m_dialog.acceptsDrop(event->source(), event->position().toPoint()));
    }

    void dropEvent(QDropEvent *event) override
    {
        const QPoint position = event->position().toPoint();
        if (m_dialog.acceptsDrop(event->source(), position)) {
            m_dialog.moveSelectedOnto(indexAt(position).row());
            event->acceptProposedAction();
        } else {
            event->ignore();
        }
        stopAutoScroll();
        setState(NoState);
        viewport()->update();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const bool control = (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
        if (control && (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
            m_dialog.stepSelected(event->key() == Qt::Key_Up ? -1 : 1);
            event->accept();
            return;
        }
        QTreeView::keyPressEvent(event);
    }

private:
    KeywordOrderDialog &m_dialog;
};

KeywordOrderDialog::KeywordOrderDialog(AppContext &context, KeywordStore &store, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
    , m_context(context)
    , m_store(store)
{
    setObjectName(QStringLiteral("keywordOrderDialog"));
    setModal(true);
}

KeywordOrderDialog::~KeywordOrderDialog() = default;

void KeywordOrderDialog::build()
{
    setWindowTitle(QStringLiteral("登録キーワード保守"));
    setFont(FormDesign::font());

    m_model = new KeywordOrderModel(this);
    m_list = new KeywordOrderView(*this, this);
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

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("summary"));
    Interaction &interaction = m_context.interaction;
    m_ok = FormDesign::button(this, interaction, "ok", QStringLiteral("OK"), kOkGeometry,
                              &KeywordOrderDialog::confirm);
    m_cancel = FormDesign::button(this, interaction, "cancel", QStringLiteral("キャンセル"),
                                  kCancelGeometry, &QDialog::reject);

    m_check = new TargetCheck(m_store.dataFolder(), this);
    connect(m_check, &TargetCheck::found, this, [this](const QList<qsizetype> &numbers) {
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

void KeywordOrderDialog::openAt(QPoint position)
{
    guarded(m_context.interaction, [&] {
        const QStringList keywords = m_store.readListFile();
        if (!m_list)
            build();
        fill(keywords);
        move(position);
        m_context.interaction.execModal(*this);
    });
}

void KeywordOrderDialog::fill(const QStringList &keywords)
{
    m_model->reset(keywords);
    if (!keywords.isEmpty())
        m_list->setCurrentIndex(m_model->index(0));
    m_list->scrollToTop();
    m_check->start(keywords);
    showSummary();
}

bool KeywordOrderDialog::acceptsDrop(const QObject *source, QPoint position) const
{
    return m_list && source == m_list && m_list->selectionModel()->hasSelection()
           && m_list->indexAt(position).isValid();
}

bool KeywordOrderDialog::moveSelectedOnto(int target)
{
    if (!m_list || !m_list->selectionModel()->hasSelection())
        return false;
    const int selected = m_list->selectionModel()->selectedRows().value(0).row();
    const QStringList &rows = m_model->keywords();
    if (target < 0 || target >= rows.size() || !sameFirstCharacter(rows[selected], rows[target])
        || !m_model->move(selected, target))
        return false;
    const QModelIndex moved = m_model->index(target > selected ? target - 1 : target);
    m_list->setCurrentIndex(moved);
    m_list->scrollTo(moved);
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
    if (next >= rows.size() || !sameFirstCharacter(rows[selected], rows[next]))
        return false;
    m_model->move(selected, next + 1);
    m_list->setCurrentIndex(m_model->index(next));
    m_list->scrollTo(m_model->index(next));
    showSummary();
    return true;
}

void KeywordOrderDialog::confirm()
{
    m_store.rewriteOrder(m_model ? m_model->keywords() : QStringList());
    accept();
}

void KeywordOrderDialog::showSummary()
{
    const QString missing =
        m_check->isRunning() ? QStringLiteral("確認中") : QString::number(m_model->missingCount());
    m_summary->setText(QStringLiteral("届かないキーワード: %1　リンク切れ: %2")
                           .arg(m_model->unreachableCount())
                           .arg(missing));
}

void KeywordOrderDialog::done(int result)
{
    // Whatever the check finds after closing belongs to rows that are gone.
    if (m_check)
        m_check->cancel();
    QDialog::done(result);
}

void KeywordOrderDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    if (!m_list)
        return;
    const int panelTop = height() - kPanelHeight;
    m_list->setGeometry(0, 0, width(), panelTop - kSummaryHeight);
    m_summary->setGeometry(4, panelTop - kSummaryHeight, width() - 8, kSummaryHeight);
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
    if (m_outerSizeFitted || !handle || handle->frameMargins().isNull())
        return;
    m_outerSizeFitted = true;
    resize(kOuterSize.shrunkBy(handle->frameMargins()));
}
