#include "KeywordOrderModel.h"

#include "DialogMessages.h"

#include "keywords/KeywordReadings.h"

#include <QApplication>
#include <QColor>
#include <QMimeData>
#include <QStyle>

#include <algorithm>

namespace {

const QString kRowFormat = QStringLiteral("application/x-tblaunch-keyword-row");
const QColor kWarningColour(176, 64, 0);

// The style's icon, made when first shown: most lists mark nothing.
const QIcon &standardIcon(QIcon &made, QStyle::StandardPixmap which)
{
    if (made.isNull())
        made = QApplication::style()->standardIcon(which);
    return made;
}

} // namespace

qsizetype KeywordOrderModel::missingCount() const
{
    return std::count(m_missing.begin(), m_missing.end(), true);
}

qsizetype KeywordOrderModel::unreachableCount() const
{
    qsizetype count = 0;
    for (size_t row = 0; row < m_reach.size(); ++row)
        count += unreachable(row);
    return count;
}

void KeywordOrderModel::reset(QStringList keywords)
{
    beginResetModel();
    m_keywords = std::move(keywords);
    m_numbers.resize(size_t(m_keywords.size()));
    for (size_t i = 0; i < m_numbers.size(); ++i)
        m_numbers[i] = qsizetype(i);
    m_missing.assign(m_numbers.size(), false);
    m_readings.clear();
    computeReach();
    endResetModel();
}

bool KeywordOrderModel::move(int from, int before)
{
    if (from == before || from + 1 == before)
        return false;
    beginMoveRows({}, from, from, {}, before);
    const int to = before > from ? before - 1 : before;
    m_keywords.move(from, to);
    if (!m_readings.isEmpty())
        m_readings.move(from, to);
    const auto first = m_numbers.begin();
    if (to < from)
        std::rotate(first + to, first + from, first + from + 1);
    else
        std::rotate(first + from, first + from + 1, first + to + 1);
    endMoveRows();
    computeReach();
    rowsChanged();
    return true;
}

void KeywordOrderModel::computeReach()
{
    m_reach = KeywordReach::compute(m_keywords);
    const bool hidden = std::any_of(m_reach.begin(), m_reach.end(),
                                    [](const KeywordReach::Row &row) { return row.unreachable(); });
    if (m_source && hidden && m_readings.isEmpty())
        m_readings = m_source->readingsOf(m_keywords);
    if (m_readings.isEmpty()) {
        m_readingReach.assign(m_reach.size(), {});
        return;
    }
    m_readingReach = ReadingReach::compute(m_keywords, m_readings, m_reach);
}

void KeywordOrderModel::readingsChanged()
{
    m_readings.clear();
    computeReach();
    rowsChanged();
}

bool KeywordOrderModel::unreachable(size_t row) const
{
    return m_reach[row].unreachable() && m_readingReach[row].typed.isEmpty();
}

void KeywordOrderModel::markMissing(const QList<qsizetype> &numbers)
{
    for (qsizetype number : numbers)
        if (number >= 0 && size_t(number) < m_missing.size())
            m_missing[size_t(number)] = true;
    rowsChanged();
}

int KeywordOrderModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_keywords.size());
}

QVariant KeywordOrderModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_keywords.size())
        return {};
    const auto row = size_t(index.row());
    const bool unreachable = this->unreachable(row);
    const bool missing = m_missing[size_t(m_numbers[row])];
    const bool marked = unreachable || missing;
    switch (role) {
    case Qt::DisplayRole:
        return m_keywords[index.row()];
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return description(row);
    case Qt::DecorationRole:
        if (missing)
            return standardIcon(m_missingIcon, QStyle::SP_MessageBoxCritical);
        if (unreachable)
            return standardIcon(m_unreachableIcon, QStyle::SP_MessageBoxWarning);
        return {};
    case Qt::ForegroundRole:
        return marked ? QVariant(kWarningColour) : QVariant();
    default:
        return {};
    }
}

QVariant KeywordOrderModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return QStringLiteral("登録キーワード");
    return {};
}

Qt::ItemFlags KeywordOrderModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled
           | Qt::ItemNeverHasChildren;
}

QMimeData *KeywordOrderModel::mimeData(const QModelIndexList &indexes) const
{
    auto *data = new QMimeData;
    data->setData(kRowFormat, QByteArray::number(indexes.value(0).row()));
    return data;
}

QString KeywordOrderModel::description(size_t row) const
{
    const KeywordReach::Row &reach = m_reach[row];
    const ReadingReach::Row &byReading = m_readingReach[row];
    const QString &keyword = m_keywords[qsizetype(row)];
    QStringList lines;
    if (!byReading.typed.isEmpty()) {
        lines.append(DialogMessages::reachedByReading(byReading.typed));
    } else if (reach.unreachable()) {
        lines.append(DialogMessages::unreachable(keyword, m_keywords[reach.takenBy]));
        if (byReading.takenBy >= 0 && byReading.takenBy != reach.takenBy)
            lines.append(DialogMessages::readingTakenBy(m_keywords[byReading.takenBy]));
    } else if (reach.typed > 0)
        lines.append(DialogMessages::completedBy(keyword.left(reach.typed)));
    if (m_missing[size_t(m_numbers[row])])
        lines.append(DialogMessages::missingTarget());
    return lines.join(u'\n');
}

void KeywordOrderModel::rowsChanged()
{
    if (!m_keywords.isEmpty())
        emit dataChanged(index(0), index(int(m_keywords.size()) - 1),
                         {Qt::ToolTipRole, Qt::AccessibleDescriptionRole, Qt::DecorationRole,
                          Qt::ForegroundRole});
}

QStringList KeywordOrderModel::mimeTypes() const
{
    return {kRowFormat};
}

Qt::DropActions KeywordOrderModel::supportedDropActions() const
{
    return Qt::MoveAction;
}
