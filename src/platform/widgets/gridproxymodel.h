#pragma once

#include "gridfilter.h"
#include "gridsummary.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QSet>
#include <QVector>

#include <vector>

class DatasetModel;
class Dataset;
class Field;
class GridColumn;

// The rows a DataGrid shows: the dataset's records through the header filters, in the sort
// order, optionally grouped by one column with a header row and a footer row per group.
// Columns are the grid's declared columns, bound to fields by name. Cells are read from the
// dataset's columns directly; the DatasetModel reports changes. Without filter, sort or
// grouping the rows are the records themselves and nothing is built.
class GridProxyModel final : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridProxyModel)

public:
    enum Roles {
        RecordRole = Qt::UserRole + 100,  // dataset row of a data row, -1 for group rows
        RowKindRole,                      // RowKind
        GroupExpandedRole,                // bool, group header rows
    };
    enum class RowKind { Data, GroupHeader, GroupFooter };

    GridProxyModel(const QVector<GridColumn *> *columns, QObject *parent = nullptr);

    void setSourceModel(DatasetModel *source);
    Dataset *dataset() const;
    void columnsChanged();    // columns added or removed
    void columnChanged(int column);

    // Filter
    const GridFilter &filter() const { return m_filter; }
    void setFilterValues(const QString &fieldName, const QStringList &texts);
    void clearFilter(const QString &fieldName);
    void clearAllFilters();
    QStringList distinctTexts(int column) const;  // over the rows other filters let through

    // Sort (-1: dataset order)
    void setSortColumn(int column, Qt::SortOrder order);
    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }

    // Grouping (-1: none)
    void setGroupColumn(int column);
    int groupColumn() const { return m_groupColumn; }
    void setGroupSummaries(const QVector<GridSummary> &summaries);
    int groupCount() const { return int(m_groups.size()); }
    QString groupText(int group) const;
    int groupRecordCount(int group) const;
    bool isGroupExpanded(int group) const;
    void setGroupExpanded(int group, bool expanded);
    void expandAll();
    void collapseAll();
    int groupOfRow(int row) const;  // -1 when not a group row
    QString groupSummaryText(int group, int column) const;

    // Footer summaries over the records that pass the filters.
    void setSummaries(const QVector<GridSummary> &summaries);
    const QVector<GridSummary> &summaries() const { return m_summaries; }
    double summaryValue(int index) const;
    QString summaryText(int index) const;
    QString footerText(int column) const;  // the summaries shown under a column

    // Rows
    RowKind kindAt(int row) const;
    int recordAt(int row) const;       // -1 for group rows
    int rowOfRecord(int record) const;  // -1 when not shown (filtered out or collapsed)
    int recordCount() const;           // records that pass the filters
    int recordAtIndex(int i) const;    // i-th of those, in grid order, groups expanded
    const Field *fieldOf(int column) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    void summariesChanged();
    void rowsRebuilt();

private:
    struct Group
    {
        QString text;
        int first = 0;  // index into m_records
        int count = 0;
        int headerRow = 0;
        std::vector<double> sums;  // per group summary
    };
    enum class Change { Reset, Layout };

    void rebuild(Change change);
    void compute();
    void computeSummaries();
    void resolveFields();
    bool isIdentity() const;
    void sortRecords(std::vector<int> &records, int column, Qt::SortOrder order) const;
    bool expandedByKey(const QString &key) const;
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    void beginSourceReset();
    void endSourceReset();

    const QVector<GridColumn *> *m_columns;
    QPointer<DatasetModel> m_source;
    std::vector<const Field *> m_fields;  // per column, null when the field is missing
    GridFilter m_filter;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    int m_groupColumn = -1;
    bool m_defaultExpanded = true;
    QSet<QString> m_toggled;  // group keys whose state differs from the default

    bool m_identity = true;
    int m_identityCount = 0;
    std::vector<int> m_records;       // filtered, sorted, grouped order (not identity)
    std::vector<qint32> m_entries;    // grouped rows: >= 0 index into m_records, else group
    std::vector<Group> m_groups;
    mutable std::vector<int> m_rowOfRecord;  // built on demand
    mutable bool m_rowOfRecordValid = false;

    QVector<GridSummary> m_summaries;
    std::vector<double> m_summaryValues;
    QVector<GridSummary> m_groupSummaries;
    bool m_inSourceReset = false;
};
