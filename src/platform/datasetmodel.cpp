#include "datasetmodel.h"

DatasetModel::DatasetModel(Dataset *dataset, QObject *parent) : QAbstractTableModel(parent)
{
    setDataset(dataset);
}

DatasetModel::~DatasetModel()
{
    if (m_dataset)
        m_dataset->removeObserver(this);
}

void DatasetModel::setDataset(Dataset *dataset)
{
    if (dataset == m_dataset)
        return;
    beginResetModel();
    if (m_dataset)
        m_dataset->removeObserver(this);
    m_dataset = dataset;
    if (m_dataset)
        m_dataset->addObserver(this);
    endResetModel();
}

int DatasetModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->RecordCount();
}

int DatasetModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->FieldCount();
}

QVariant DatasetModel::data(const QModelIndex &index, int role) const
{
    if (!m_dataset || !index.isValid() || index.row() >= m_dataset->RecordCount()
        || index.column() >= m_dataset->FieldCount())
        return QVariant();
    const Field &f = m_dataset->Fields(index.column());
    switch (role) {
    case Qt::DisplayRole: return f.displayTextAt(index.row());
    case Qt::EditRole:
    case RawValueRole: return f.valueAt(index.row());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(f.isNumeric() ? Qt::AlignRight | Qt::AlignVCenter
                                                 : Qt::AlignLeft | Qt::AlignVCenter);
    default: return QVariant();
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !m_dataset || section < 0
        || section >= m_dataset->FieldCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole || role == FieldNameRole)
        return m_dataset->Fields(section).FieldName();
    return QVariant();
}

void DatasetModel::datasetReset()
{
    beginResetModel();
    endResetModel();
}

void DatasetModel::datasetRowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DatasetModel::datasetRowsAboutToBeInserted(int first, int last)
{
    beginInsertRows(QModelIndex(), first, last);
}

void DatasetModel::datasetRowsInserted(int, int)
{
    endInsertRows();
}

void DatasetModel::datasetRowAboutToBeRemoved(int row)
{
    beginRemoveRows(QModelIndex(), row, row);
}

void DatasetModel::datasetRowRemoved(int)
{
    endRemoveRows();
}
