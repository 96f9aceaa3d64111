#pragma once

#include "dataset.h"

#include <QAbstractTableModel>

// Adapts a Dataset to Qt's views. The model observes the dataset while attached; detach it
// (setDataset(nullptr)) before a worker fills the dataset and attach it again afterwards.
class DatasetModel final : public QAbstractTableModel, private DatasetObserver
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DatasetModel)

public:
    enum Roles {
        RawValueRole = Qt::UserRole + 1,  // the stored value (QVariant)
        FieldNameRole,                    // header: the field's name
    };

    explicit DatasetModel(Dataset *dataset = nullptr, QObject *parent = nullptr);
    ~DatasetModel() override;

    Dataset *dataset() const { return m_dataset; }
    void setDataset(Dataset *dataset);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void datasetReset() override;
    void datasetRowChanged(int row) override;
    void datasetRowsAboutToBeInserted(int first, int last) override;
    void datasetRowsInserted(int first, int last) override;
    void datasetRowAboutToBeRemoved(int row) override;
    void datasetRowRemoved(int row) override;

    Dataset *m_dataset = nullptr;
};
