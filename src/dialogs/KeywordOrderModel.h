#pragma once

#include "keywords/KeywordReach.h"
#include "keywords/ReadingReach.h"

#include <QAbstractListModel>
#include <QIcon>
#include <QStringList>

#include <vector>

class KeywordReadings;

// The keyword order window's rows: each keyword with how far it must be typed, and whether
// its target is gone. A row keeps the number it had when the rows were filled, which names
// it to the target check however it has moved since.
class KeywordOrderModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    // Where a keyword completion never offers may still be reached by its reading: the
    // readings made for the store's list (null: readings are not used).
    void useReadings(const KeywordReadings *readings) { m_source = readings; }
    // The readings were made again: the rows take them.
    void readingsChanged();

    const QStringList &keywords() const { return m_keywords; }
    qsizetype unreachableCount() const;
    qsizetype missingCount() const;

    void reset(QStringList keywords);
    // Moves a row in front of another (numbered as before the move).
    bool move(int from, int before);
    // The targets of the rows with these numbers are gone.
    void markMissing(const QList<qsizetype> &numbers);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;

private:
    QString description(size_t row) const;
    void rowsChanged();
    // How far each row must be typed, and how the rows completion never offers are reached
    // by their readings.
    void computeReach();
    bool unreachable(size_t row) const;

    QStringList m_keywords;
    std::vector<qsizetype> m_numbers;              // by row: the row's number at filling
    std::vector<KeywordReach::Row> m_reach;        // by row
    std::vector<ReadingReach::Row> m_readingReach; // by row
    std::vector<bool> m_missing;                   // by number
    const KeywordReadings *m_source = nullptr;
    // The keywords' readings by row, taken when a row completion never offers first needs
    // them (most lists have none), and moved with their rows; empty until they are made.
    QStringList m_readings;
    // A row completion never offers, and one whose target is gone, each shown by its own
    // icon; the gone target wins, as nothing opens that row at all.
    mutable QIcon m_unreachableIcon;
    mutable QIcon m_missingIcon;
};
