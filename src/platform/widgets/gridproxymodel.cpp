#include "gridproxymodel.h"

#include "datasetmodel.h"
#include "gridcolumn.h"

#include <QCollator>
#include <QCollatorSortKey>

#include <algorithm>

namespace {

constexpr qint32 headerEntry(int group) { return -(2 * group + 1); }
constexpr qint32 footerEntry(int group) { return -(2 * group + 2); }

bool isText(const Field *f)
{
    return f->DataType() == FieldType::String || f->DataType() == FieldType::Memo
        || f->DataType() == FieldType::Blob;
}

}  // namespace

GridProxyModel::GridProxyModel(const QVector<GridColumn *> *columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns)
{
}

void GridProxyModel::setSourceModel(DatasetModel *source)
{
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &QAbstractItemModel::modelAboutToBeReset, this,
                &GridProxyModel::beginSourceReset);
        connect(m_source, &QAbstractItemModel::modelReset, this,
                &GridProxyModel::endSourceReset);
        connect(m_source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                &GridProxyModel::beginSourceReset);
        connect(m_source, &QAbstractItemModel::rowsInserted, this,
                &GridProxyModel::endSourceReset);
        connect(m_source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                &GridProxyModel::beginSourceReset);
        connect(m_source, &QAbstractItemModel::rowsRemoved, this,
                &GridProxyModel::endSourceReset);
        connect(m_source, &QAbstractItemModel::dataChanged, this,
                &GridProxyModel::sourceDataChanged);
    }
    rebuild(Change::Reset);
}

Dataset *GridProxyModel::dataset() const
{
    return m_source ? m_source->dataset() : nullptr;
}

void GridProxyModel::columnsChanged()
{
    rebuild(Change::Reset);
}

void GridProxyModel::columnChanged(int column)
{
    emit headerDataChanged(Qt::Horizontal, column, column);
    if (rowCount() > 0)
        emit dataChanged(index(0, column), index(rowCount() - 1, column));
}

// ------------------------------------------------------------------ filter, sort, group

void GridProxyModel::setFilterValues(const QString &fieldName, const QStringList &texts)
{
    m_filter.setValues(fieldName, texts);
    rebuild(Change::Layout);
}

void GridProxyModel::clearFilter(const QString &fieldName)
{
    if (!m_filter.isFiltered(fieldName))
        return;
    m_filter.clear(fieldName);
    rebuild(Change::Layout);
}

void GridProxyModel::clearAllFilters()
{
    if (m_filter.isEmpty())
        return;
    m_filter.clearAll();
    rebuild(Change::Layout);
}

QStringList GridProxyModel::distinctTexts(int column) const
{
    const Dataset *ds = dataset();
    if (!ds || column < 0 || column >= m_columns->size())
        return {};
    const GridColumn &col = *m_columns->at(column);
    // Like a spreadsheet: the values offered are those the other columns' filters pass.
    GridFilter others = m_filter;
    others.clear(col.fieldName());
    if (others.isEmpty())
        return GridFilter::distinctTexts(*ds, col, nullptr);
    const std::vector<int> rows = others.apply(*ds, *m_columns, nullptr);
    return GridFilter::distinctTexts(*ds, col, &rows);
}

void GridProxyModel::setSortColumn(int column, Qt::SortOrder order)
{
    if (column == m_sortColumn && order == m_sortOrder)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    rebuild(Change::Layout);
}

void GridProxyModel::setGroupColumn(int column)
{
    if (column == m_groupColumn)
        return;
    m_groupColumn = column;
    m_toggled.clear();
    rebuild(Change::Reset);
}

void GridProxyModel::setGroupSummaries(const QVector<GridSummary> &summaries)
{
    m_groupSummaries = summaries;
    rebuild(Change::Reset);
}

QString GridProxyModel::groupText(int group) const
{
    return group >= 0 && group < groupCount() ? m_groups[size_t(group)].text : QString();
}

int GridProxyModel::groupRecordCount(int group) const
{
    return group >= 0 && group < groupCount() ? m_groups[size_t(group)].count : 0;
}

bool GridProxyModel::expandedByKey(const QString &key) const
{
    return m_toggled.contains(key) ? !m_defaultExpanded : m_defaultExpanded;
}

bool GridProxyModel::isGroupExpanded(int group) const
{
    return group >= 0 && group < groupCount() && expandedByKey(m_groups[size_t(group)].text);
}

void GridProxyModel::setGroupExpanded(int group, bool expanded)
{
    if (group < 0 || group >= groupCount() || isGroupExpanded(group) == expanded)
        return;
    const QString &key = m_groups[size_t(group)].text;
    if (expanded == m_defaultExpanded)
        m_toggled.remove(key);
    else
        m_toggled.insert(key);
    rebuild(Change::Layout);
}

void GridProxyModel::expandAll()
{
    m_defaultExpanded = true;
    m_toggled.clear();
    if (m_groupColumn >= 0)
        rebuild(Change::Layout);
}

void GridProxyModel::collapseAll()
{
    m_defaultExpanded = false;
    m_toggled.clear();
    if (m_groupColumn >= 0)
        rebuild(Change::Layout);
}

int GridProxyModel::groupOfRow(int row) const
{
    if (m_groupColumn < 0 || row < 0 || row >= int(m_entries.size()))
        return -1;
    const qint32 e = m_entries[size_t(row)];
    return e >= 0 ? -1 : (-e - 1) / 2;
}

QString GridProxyModel::groupSummaryText(int group, int column) const
{
    if (group < 0 || group >= groupCount() || column < 0 || column >= m_columns->size())
        return QString();
    const Group &g = m_groups[size_t(group)];
    const QString &name = m_columns->at(column)->fieldName();
    QStringList parts;
    for (int i = 0; i < m_groupSummaries.size(); ++i) {
        const GridSummary &s = m_groupSummaries[i];
        if (s.columnName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        const Dataset *ds = dataset();
        const Field *f = ds ? ds->FindField(s.fieldName()) : nullptr;
        parts << s.text(g.sums[size_t(i)], g.count, f);
    }
    return parts.join(QStringLiteral("  "));
}

// ------------------------------------------------------------------ summaries

void GridProxyModel::setSummaries(const QVector<GridSummary> &summaries)
{
    m_summaries = summaries;
    computeSummaries();
    emit summariesChanged();
}

double GridProxyModel::summaryValue(int index) const
{
    return index >= 0 && index < int(m_summaryValues.size()) ? m_summaryValues[size_t(index)]
                                                             : 0.0;
}

QString GridProxyModel::summaryText(int index) const
{
    if (index < 0 || index >= m_summaries.size())
        return QString();
    const Dataset *ds = dataset();
    const Field *f = ds ? ds->FindField(m_summaries[index].fieldName()) : nullptr;
    return m_summaries[index].text(summaryValue(index), recordCount(), f);
}

QString GridProxyModel::footerText(int column) const
{
    if (column < 0 || column >= m_columns->size())
        return QString();
    const QString &name = m_columns->at(column)->fieldName();
    QStringList parts;
    for (int i = 0; i < m_summaries.size(); ++i)
        if (!m_summaries[i].columnName().isEmpty()
            && m_summaries[i].columnName().compare(name, Qt::CaseInsensitive) == 0)
            parts << summaryText(i);
    return parts.join(QStringLiteral("  "));
}

void GridProxyModel::computeSummaries()
{
    m_summaryValues.assign(size_t(m_summaries.size()), 0.0);
    const Dataset *ds = dataset();
    if (!ds)
        return;
    const int *rows = m_identity ? nullptr : m_records.data();
    const int count = recordCount();
    for (int i = 0; i < m_summaries.size(); ++i) {
        const GridSummary &s = m_summaries[i];
        m_summaryValues[size_t(i)] = s.compute(ds->FindField(s.fieldName()), rows, count);
    }
}

// ------------------------------------------------------------------ rows

bool GridProxyModel::isIdentity() const
{
    return m_filter.isEmpty() && m_sortColumn < 0 && m_groupColumn < 0;
}

void GridProxyModel::resolveFields()
{
    m_fields.assign(size_t(m_columns->size()), nullptr);
    const Dataset *ds = dataset();
    if (!ds)
        return;
    for (int c = 0; c < m_columns->size(); ++c)
        m_fields[size_t(c)] = ds->FindField(m_columns->at(c)->fieldName());
}

void GridProxyModel::sortRecords(std::vector<int> &records, int column,
                                 Qt::SortOrder order) const
{
    const Field *f = column >= 0 && column < int(m_fields.size()) ? m_fields[size_t(column)]
                                                                   : nullptr;
    if (!f)
        return;
    const bool desc = order == Qt::DescendingOrder;
    if (isText(f)) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<QCollatorSortKey> keys;
        const int n = dataset()->RecordCount();
        std::vector<int> slot(size_t(n), -1);
        keys.reserve(records.size());
        for (int r : records) {
            slot[size_t(r)] = int(keys.size());
            keys.push_back(collator.sortKey(f->stringAt(r)));
        }
        std::stable_sort(records.begin(), records.end(), [&](int a, int b) {
            const int cmp = keys[size_t(slot[size_t(a)])].compare(keys[size_t(slot[size_t(b)])]);
            return desc ? cmp > 0 : cmp < 0;
        });
        return;
    }
    std::stable_sort(records.begin(), records.end(), [&](int a, int b) {
        const bool na = f->isNullAt(a);
        const bool nb = f->isNullAt(b);
        if (na || nb)
            return desc ? (nb && !na) : (na && !nb);
        const double x = f->floatAt(a);
        const double y = f->floatAt(b);
        return desc ? x > y : x < y;
    });
}

void GridProxyModel::compute()
{
    resolveFields();
    m_records.clear();
    m_entries.clear();
    m_groups.clear();
    m_rowOfRecordValid = false;
    const Dataset *ds = dataset();
    m_identity = !ds || isIdentity();
    m_identityCount = ds ? ds->RecordCount() : 0;
    if (!m_identity) {
        m_records = m_filter.isEmpty() ? std::vector<int>() : m_filter.apply(*ds, *m_columns,
                                                                             nullptr);
        if (m_filter.isEmpty()) {
            m_records.resize(size_t(ds->RecordCount()));
            for (int i = 0; i < ds->RecordCount(); ++i)
                m_records[size_t(i)] = i;
        }
        if (m_sortColumn >= 0)
            sortRecords(m_records, m_sortColumn, m_sortOrder);
        const Field *gf = m_groupColumn >= 0 && m_groupColumn < int(m_fields.size())
            ? m_fields[size_t(m_groupColumn)] : nullptr;
        if (m_groupColumn >= 0) {
            sortRecords(m_records, m_groupColumn, Qt::AscendingOrder);
            const GridColumn &gc = *m_columns->at(m_groupColumn);
            for (size_t i = 0; i < m_records.size(); ++i) {
                const QString key = gf ? gc.textAt(*gf, m_records[i]) : QString();
                if (m_groups.empty() || m_groups.back().text != key) {
                    Group g;
                    g.text = key;
                    g.first = int(i);
                    m_groups.push_back(std::move(g));
                }
                ++m_groups.back().count;
            }
            for (size_t gi = 0; gi < m_groups.size(); ++gi) {
                Group &g = m_groups[gi];
                g.headerRow = int(m_entries.size());
                m_entries.push_back(headerEntry(int(gi)));
                for (int k = 0; k < m_groupSummaries.size(); ++k) {
                    const GridSummary &s = m_groupSummaries[k];
                    g.sums.push_back(s.compute(ds->FindField(s.fieldName()),
                                               m_records.data() + g.first, g.count));
                }
                if (!expandedByKey(g.text))
                    continue;
                for (int k = 0; k < g.count; ++k)
                    m_entries.push_back(g.first + k);
                if (!m_groupSummaries.isEmpty())
                    m_entries.push_back(footerEntry(int(gi)));
            }
        }
    }
    computeSummaries();
}

void GridProxyModel::rebuild(Change change)
{
    if (m_inSourceReset)
        return;
    if (change == Change::Reset) {
        beginResetModel();
        compute();
        endResetModel();
        emit summariesChanged();
        emit rowsRebuilt();
        return;
    }
    // Keep selection and focus on the same records (or group rows) across the change.
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    struct Anchor { int record; QString group; int column; };
    QVector<Anchor> anchors;
    anchors.reserve(before.size());
    for (const QModelIndex &i : before) {
        const int g = groupOfRow(i.row());
        anchors.append({recordAt(i.row()), g >= 0 ? groupText(g) : QString(), i.column()});
    }
    compute();
    QModelIndexList after;
    after.reserve(before.size());
    for (const Anchor &a : anchors) {
        int row = -1;
        QString group = a.group;
        if (a.record >= 0) {
            row = rowOfRecord(a.record);
            // A record folded into a collapsed group leaves the focus on its group row.
            const Field *gf = fieldOf(m_groupColumn);
            if (row < 0 && gf && a.record < dataset()->RecordCount())
                group = m_columns->at(m_groupColumn)->textAt(*gf, a.record);
        }
        if (row < 0 && !group.isNull()) {
            for (const Group &g : m_groups)
                if (g.text == group)
                    row = g.headerRow;
        }
        after.append(row >= 0 ? index(row, a.column) : QModelIndex());
    }
    changePersistentIndexList(before, after);
    emit layoutChanged();
    emit summariesChanged();
    emit rowsRebuilt();
}

void GridProxyModel::beginSourceReset()
{
    if (m_inSourceReset)
        return;
    beginResetModel();
    m_inSourceReset = true;
    // Nothing may be read from the dataset until the source has finished its change.
    m_identity = true;
    m_identityCount = 0;
    m_records.clear();
    m_entries.clear();
    m_groups.clear();
    m_rowOfRecordValid = false;
}

void GridProxyModel::endSourceReset()
{
    if (!m_inSourceReset) {
        rebuild(Change::Reset);
        return;
    }
    m_inSourceReset = false;
    compute();
    endResetModel();
    emit summariesChanged();
    emit rowsRebuilt();
}

void GridProxyModel::sourceDataChanged(const QModelIndex &topLeft,
                                       const QModelIndex &bottomRight)
{
    if (!m_identity) {
        rebuild(Change::Layout);
        return;
    }
    if (topLeft.isValid() && bottomRight.isValid() && columnCount() > 0)
        emit dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), columnCount() - 1));
    computeSummaries();
    emit summariesChanged();
}

GridProxyModel::RowKind GridProxyModel::kindAt(int row) const
{
    if (m_groupColumn < 0 || m_identity)
        return RowKind::Data;
    if (row < 0 || row >= int(m_entries.size()))
        return RowKind::Data;
    const qint32 e = m_entries[size_t(row)];
    if (e >= 0)
        return RowKind::Data;
    return (-e) % 2 == 1 ? RowKind::GroupHeader : RowKind::GroupFooter;
}

int GridProxyModel::recordAt(int row) const
{
    if (row < 0 || row >= rowCount())
        return -1;
    if (m_identity)
        return row;
    if (m_groupColumn < 0)
        return m_records[size_t(row)];
    const qint32 e = m_entries[size_t(row)];
    return e >= 0 ? m_records[size_t(e)] : -1;
}

int GridProxyModel::rowOfRecord(int record) const
{
    if (m_identity)
        return record >= 0 && record < m_identityCount ? record : -1;
    if (!m_rowOfRecordValid) {
        const Dataset *ds = dataset();
        m_rowOfRecord.assign(size_t(ds ? ds->RecordCount() : 0), -1);
        const int rows = rowCount();
        for (int r = 0; r < rows; ++r) {
            const int rec = recordAt(r);
            if (rec >= 0 && rec < int(m_rowOfRecord.size()))
                m_rowOfRecord[size_t(rec)] = r;
        }
        m_rowOfRecordValid = true;
    }
    return record >= 0 && record < int(m_rowOfRecord.size()) ? m_rowOfRecord[size_t(record)]
                                                             : -1;
}

int GridProxyModel::recordCount() const
{
    return m_identity ? m_identityCount : int(m_records.size());
}

int GridProxyModel::recordAtIndex(int i) const
{
    if (i < 0 || i >= recordCount())
        return -1;
    return m_identity ? i : m_records[size_t(i)];
}

const Field *GridProxyModel::fieldOf(int column) const
{
    return column >= 0 && column < int(m_fields.size()) ? m_fields[size_t(column)] : nullptr;
}

int GridProxyModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    if (m_identity)
        return m_identityCount;
    return m_groupColumn >= 0 ? int(m_entries.size()) : int(m_records.size());
}

int GridProxyModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_columns->size();
}

QVariant GridProxyModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return QVariant();
    const int column = index.column();
    const GridColumn &col = *m_columns->at(column);
    const RowKind kind = kindAt(index.row());
    if (role == RowKindRole)
        return int(kind);
    if (kind != RowKind::Data) {
        const int g = groupOfRow(index.row());
        if (role == GroupExpandedRole)
            return isGroupExpanded(g);
        if (role == RecordRole)
            return -1;
        if (role != Qt::DisplayRole)
            return QVariant();
        if (kind == RowKind::GroupHeader) {
            const GridColumn &gc = *m_columns->at(m_groupColumn);
            return gc.displayCaption() + QStringLiteral(" : ") + groupText(g);
        }
        return groupSummaryText(g, column);
    }
    const int record = recordAt(index.row());
    if (role == RecordRole)
        return record;
    const Field *f = fieldOf(column);
    switch (role) {
    case Qt::DisplayRole: return f ? col.textAt(*f, record) : QString();
    case Qt::EditRole:
    case DatasetModel::RawValueRole: return f ? f->valueAt(record) : QVariant();
    case Qt::TextAlignmentRole:
        if (col.hasAlignment() || !f)
            return QVariant::fromValue(col.alignment());
        return QVariant::fromValue(f->isNumeric() ? Qt::AlignRight | Qt::AlignVCenter
                                                  : Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::CheckStateRole:
        if (col.kind() == ColumnKind::CheckBox && f)
            return col.checkStateOf(f->valueAt(record));
        return QVariant();
    default: return QVariant();
    }
}

QVariant GridProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns->size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn &col = *m_columns->at(section);
    if (role == Qt::DisplayRole)
        return col.displayCaption();
    if (role == DatasetModel::FieldNameRole)
        return col.fieldName();
    return QVariant();
}

Qt::ItemFlags GridProxyModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
