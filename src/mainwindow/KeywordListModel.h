#pragma once

#include <QAbstractListModel>

class KeywordStore;

// The keyword list as the input line's item list, read straight from the store so that
// a long list is never copied into the combo box item by item.
class KeywordListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit KeywordListModel(const KeywordStore &store, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    const KeywordStore &m_store;
};
