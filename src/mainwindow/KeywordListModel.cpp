#include "KeywordListModel.h"

#include "keywords/KeywordStore.h"

KeywordListModel::KeywordListModel(const KeywordStore &store, QObject *parent)
    : QAbstractListModel(parent)
    , m_store(store)
{
    connect(&m_store, &KeywordStore::listAboutToChange, this, &KeywordListModel::beginResetModel);
    connect(&m_store, &KeywordStore::listChanged, this, &KeywordListModel::endResetModel);
}

int KeywordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_store.keywords().size());
}

QVariant KeywordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_store.keywords().value(index.row());
}
