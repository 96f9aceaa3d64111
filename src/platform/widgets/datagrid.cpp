#include "datagrid.h"

#include "columnfitter.h"
#include "datasetmodel.h"
#include "griddelegate.h"
#include "gridfilterpopup.h"
#include "gridfooter.h"
#include "gridheaderview.h"
#include "gridproxymodel.h"
#include "gridrowindicator.h"
#include "gridtableview.h"
#include "gridxlsxexporter.h"

#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

DataGrid::DataGrid(QWidget *parent)
    : QWidget(parent),
      m_model(new DatasetModel(nullptr, this)),
      m_proxy(new GridProxyModel(&m_columns, this)),
      m_view(new GridTableView(&m_columns, m_proxy, this)),
      m_header(new GridHeaderView(m_view)),
      m_indicator(new GridRowIndicator(m_view)),
      m_delegate(new GridDelegate(&m_columns, m_proxy, &m_style, this)),
      m_footer(nullptr)
{
    m_proxy->setObjectName(QStringLiteral("rows"));
    m_proxy->setSourceModel(m_model);
    m_view->setHorizontalHeader(m_header);
    m_view->setVerticalHeader(m_indicator);
    m_view->setModel(m_proxy);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setCornerButtonEnabled(false);
    m_view->setWordWrap(true);
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    m_header->setSectionResizeMode(QHeaderView::Interactive);
    m_header->setStretchLastSection(false);
    m_indicator->setDefaultSectionSize(m_view->fontMetrics().height() + 8);
    m_header->setFilterState(
        [this](int c) { return c < m_columns.size() && m_columns[c]->isFilterable(); },
        [this](int c) {
            return c < m_columns.size() && m_proxy->filter().isFiltered(m_columns[c]->fieldName());
        });

    m_footer = new GridFooter(m_view, m_proxy, &m_style, this);
    m_footer->setVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);
    setFocusProxy(m_view);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataGrid::currentRowChanged);
    connect(m_proxy, &QAbstractItemModel::modelReset, this, &DataGrid::afterReset);
    connect(m_proxy, &QAbstractItemModel::layoutChanged, this, [this] {
        applySpans();
        currentRowChanged();
    });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        const int record = m_proxy->recordAt(index.row());
        if (record >= 0)
            emit recordDoubleClicked(record);
    });
    connect(m_view, &GridTableView::groupToggled, this, &DataGrid::toggleGroup);
    connect(m_header, &GridHeaderView::filterButtonClicked, this, [this](int c) {
        showFilterPopup(m_columns.value(c) ? m_columns[c]->fieldName() : QString());
    });
    connect(m_header, &QHeaderView::sectionClicked, this, &DataGrid::headerClicked);
    connect(m_header, &QHeaderView::sectionResized, this, [this](int c, int, int size) {
        if (!m_applying && c < m_columns.size() && size > 0)
            m_columns[c]->rememberWidth(size);
    });
    connect(m_header, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        QMenu *menu = createColumnChooserMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_header->mapToGlobal(pos));
    });
    connect(m_view, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const QModelIndex index = m_view->indexAt(pos);
        if (index.isValid())
            m_view->setCurrentIndex(index);
        if (m_popup)
            m_popup->popup(m_view->viewport()->mapToGlobal(pos));
    });
}

DataGrid::~DataGrid()
{
    // The view must not paint or query rows while the columns go away.
    m_view->setModel(nullptr);
    m_model->setDataset(nullptr);
}

// ------------------------------------------------------------------ columns

GridColumn &DataGrid::addColumn(const QString &fieldName, const QString &caption)
{
    m_owned.push_back(std::make_unique<GridColumn>(this, fieldName, caption));
    m_columns.append(m_owned.back().get());
    m_proxy->columnsChanged();
    return *m_owned.back();
}

void DataGrid::addColumns(std::initializer_list<GridColumnSpec> specs)
{
    for (const GridColumnSpec &c : specs) {
        GridColumn &col = addColumn(QLatin1String(c.field), QString::fromUtf8(c.caption))
                              .setTag(c.tag)
                              .setVisible(c.visible)
                              .setCustomizable(c.customizable);
        if (c.width > 0)
            col.setWidth(c.width);
    }
}

GridColumn *DataGrid::column(const QString &fieldName) const
{
    const int i = columnIndex(fieldName);
    return i >= 0 ? m_columns[i] : nullptr;
}

int DataGrid::columnIndex(const QString &fieldName) const
{
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i]->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QStringList DataGrid::visibleFields() const
{
    QStringList fields;
    for (int v = 0; v < m_header->count(); ++v) {
        const int c = m_header->logicalIndex(v);
        if (!m_header->isSectionHidden(c))
            fields << m_columns[c]->fieldName();
    }
    return fields;
}

void DataGrid::columnChanged(GridColumn *column, bool layout)
{
    const int index = m_columns.indexOf(column);
    if (index < 0)
        return;
    if (layout) {
        applyColumn(index);
        applySpans();
    } else {
        m_proxy->columnChanged(index);
    }
}

void DataGrid::applyColumn(int index)
{
    if (index >= m_header->count())
        return;
    const GridColumn &c = *m_columns[index];
    m_applying = true;
    m_header->setSectionHidden(index, !c.isVisible());
    if (c.width() > 0)
        m_header->resizeSection(index, c.width());
    m_applying = false;
}

void DataGrid::applyAllColumns()
{
    for (int i = 0; i < m_columns.size(); ++i)
        applyColumn(i);
}

void DataGrid::applySpans()
{
    m_view->clearSpans();
    if (m_proxy->groupColumn() < 0)
        return;
    int first = -1;
    for (int v = 0; v < m_header->count() && first < 0; ++v)
        if (!m_header->isSectionHidden(m_header->logicalIndex(v)))
            first = m_header->logicalIndex(v);
    if (first < 0)
        return;
    const int span = m_columns.size() - first;
    if (span <= 1)
        return;
    const int rows = m_proxy->rowCount();
    for (int r = 0; r < rows; ++r)
        if (m_proxy->kindAt(r) == GridProxyModel::RowKind::GroupHeader)
            m_view->setSpan(r, first, 1, span);
}

// ------------------------------------------------------------------ data

void DataGrid::setDataset(Dataset *dataset)
{
    if (dataset)
        m_boundDataset = dataset;
    m_model->setDataset(dataset);
}

Dataset *DataGrid::dataset() const
{
    return m_model->dataset();
}

void DataGrid::detach()
{
    m_model->setDataset(nullptr);
}

void DataGrid::attach()
{
    m_model->setDataset(m_boundDataset);
}

void DataGrid::beginUpdate()
{
    if (m_updateDepth++ == 0)
        setUpdatesEnabled(false);
}

void DataGrid::endUpdate()
{
    if (m_updateDepth > 0 && --m_updateDepth == 0)
        setUpdatesEnabled(true);
}

void DataGrid::afterReset()
{
    applyAllColumns();
    applySpans();
    // A new list starts on its first row, like after opening the dataset.
    if (m_proxy->rowCount() > 0 && !m_view->currentIndex().isValid()) {
        int column = 0;
        for (int v = 0; v < m_header->count(); ++v) {
            const int c = m_header->logicalIndex(v);
            if (!m_header->isSectionHidden(c) && m_columns[c]->isFocusable()) {
                column = c;
                break;
            }
        }
        m_view->setCurrentIndex(m_proxy->index(0, column));
    }
    currentRowChanged();
}

void DataGrid::currentRowChanged()
{
    const QModelIndex current = m_view->currentIndex();
    m_indicator->setFocusedRow(current.isValid() ? current.row() : -1);
    const int record = current.isValid() ? m_proxy->recordAt(current.row()) : -1;
    if (record == m_focusedRecord)
        return;
    m_focusedRecord = record;
    // The windows read the focused line through the dataset's cursor.
    Dataset *ds = dataset();
    if (record >= 0 && ds && ds->state() == Dataset::State::Browse)
        ds->SetRecNo(record);
    emit FocusedRecordChanged(record);
}

// ------------------------------------------------------------------ behaviour

void DataGrid::setSortingAllowed(bool allowed)
{
    m_sortingAllowed = allowed;
    m_header->setSortIndicatorShown(allowed);
    if (!allowed)
        m_proxy->setSortColumn(-1, Qt::AscendingOrder);
}

void DataGrid::sortBy(const QString &fieldName, Qt::SortOrder order)
{
    const int c = columnIndex(fieldName);
    if (!m_sortingAllowed)
        return;
    m_proxy->setSortColumn(c, order);
    if (c >= 0)
        m_header->setSortIndicator(c, order);
}

void DataGrid::headerClicked(int logical)
{
    if (!m_sortingAllowed || logical < 0 || logical >= m_columns.size())
        return;
    const Qt::SortOrder order = m_proxy->sortColumn() == logical
            && m_proxy->sortOrder() == Qt::AscendingOrder
        ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortBy(m_columns[logical]->fieldName(), order);
}

void DataGrid::setFilterButtonsVisible(bool visible)
{
    m_header->setFilterButtonsVisible(visible);
}

void DataGrid::setIncrementalSearch(bool enabled)
{
    m_view->setIncrementalSearch(enabled);
}

QString DataGrid::searchText() const
{
    return m_view->searchText();
}

void DataGrid::setMultiSelect(bool multi)
{
    m_view->setSelectionMode(multi ? QAbstractItemView::ExtendedSelection
                                   : QAbstractItemView::SingleSelection);
}

void DataGrid::setPopupMenu(QMenu *menu)
{
    m_popup = menu;
}

// ------------------------------------------------------------------ filters

void DataGrid::setColumnFilter(const QString &fieldName, const QStringList &texts)
{
    m_proxy->setFilterValues(fieldName, texts);
    m_header->viewport()->update();
    emit filterChanged();
}

void DataGrid::clearColumnFilter(const QString &fieldName)
{
    m_proxy->clearFilter(fieldName);
    m_header->viewport()->update();
    emit filterChanged();
}

void DataGrid::clearFilter()
{
    m_proxy->clearAllFilters();
    m_header->viewport()->update();
    emit filterChanged();
}

bool DataGrid::isFiltered() const
{
    return !m_proxy->filter().isEmpty();
}

QStringList DataGrid::filterValues(const QString &fieldName) const
{
    return m_proxy->filter().values(fieldName);
}

QStringList DataGrid::distinctValues(const QString &fieldName) const
{
    return m_proxy->distinctTexts(columnIndex(fieldName));
}

GridFilterPopup *DataGrid::showFilterPopup(const QString &fieldName)
{
    const int c = columnIndex(fieldName);
    if (c < 0)
        return nullptr;
    const bool filtered = m_proxy->filter().isFiltered(fieldName);
    auto *popup = new GridFilterPopup(distinctValues(fieldName), filterValues(fieldName),
                                      filtered, this);
    connect(popup, &GridFilterPopup::applied, this, [this, fieldName](const QStringList &v) {
        setColumnFilter(fieldName, v);
    });
    connect(popup, &GridFilterPopup::cleared, this,
            [this, fieldName] { clearColumnFilter(fieldName); });
    const QPoint below(m_header->sectionViewportPosition(c), m_header->height());
    popup->move(m_header->viewport()->mapToGlobal(below));
    popup->show();
    return popup;
}

QMenu *DataGrid::createColumnChooserMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("columnChooser"));
    for (GridColumn *c : m_columns) {
        if (!c->isCustomizable())
            continue;
        QAction *a = menu->addAction(c->displayCaption());
        a->setCheckable(true);
        a->setChecked(c->isVisible());
        a->setData(c->fieldName());
        connect(a, &QAction::toggled, this, [c](bool on) { c->setVisible(on); });
    }
    return menu;
}

// ------------------------------------------------------------------ summaries

int DataGrid::addSummary(SummaryKind kind, const QString &fieldName, const QString &format)
{
    m_summaries.append(GridSummary(kind, fieldName, fieldName, format));
    m_proxy->setSummaries(m_summaries);
    m_footer->setVisible(true);
    return m_summaries.size() - 1;
}

int DataGrid::addUnboundSummary(SummaryKind kind, const QString &fieldName,
                                const QString &format)
{
    m_summaries.append(GridSummary(kind, fieldName, QString(), format));
    m_proxy->setSummaries(m_summaries);
    return m_summaries.size() - 1;
}

double DataGrid::summaryValue(int index) const
{
    return m_proxy->summaryValue(index);
}

QString DataGrid::summaryText(int index) const
{
    return m_proxy->summaryText(index);
}

QString DataGrid::footerText(const QString &fieldName) const
{
    return m_proxy->footerText(columnIndex(fieldName));
}

void DataGrid::setFooterVisible(bool visible)
{
    m_footer->setVisible(visible);
}

// ------------------------------------------------------------------ grouping

void DataGrid::setGroupColumn(const QString &fieldName)
{
    m_proxy->setGroupColumn(fieldName.isEmpty() ? -1 : columnIndex(fieldName));
}

QString DataGrid::groupColumn() const
{
    const int c = m_proxy->groupColumn();
    return c >= 0 ? m_columns[c]->fieldName() : QString();
}

void DataGrid::addGroupSummary(SummaryKind kind, const QString &fieldName, const QString &format)
{
    m_groupSummaries.append(GridSummary(kind, fieldName, fieldName, format));
    m_proxy->setGroupSummaries(m_groupSummaries);
}

int DataGrid::groupCount() const
{
    return m_proxy->groupCount();
}

void DataGrid::expandAll()
{
    m_proxy->expandAll();
}

void DataGrid::collapseAll()
{
    m_proxy->collapseAll();
}

void DataGrid::toggleGroup(int row)
{
    const int g = m_proxy->groupOfRow(row);
    if (g >= 0)
        m_proxy->setGroupExpanded(g, !m_proxy->isGroupExpanded(g));
}

// ------------------------------------------------------------------ focus

int DataGrid::focusedRecord() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? m_proxy->recordAt(current.row()) : -1;
}

bool DataGrid::setFocusedRecord(int record)
{
    const int row = m_proxy->rowOfRecord(record);
    if (row < 0)
        return false;
    const int column = m_view->currentIndex().isValid() ? m_view->currentIndex().column() : 0;
    m_view->setCurrentIndex(m_proxy->index(row, column));
    m_view->scrollTo(m_view->currentIndex());
    return true;
}

QString DataGrid::focusedField() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? m_columns[current.column()]->fieldName() : QString();
}

void DataGrid::setFocusedField(const QString &fieldName)
{
    const int c = columnIndex(fieldName);
    if (c < 0)
        return;
    const int row = m_view->currentIndex().isValid() ? m_view->currentIndex().row() : 0;
    if (row < m_proxy->rowCount())
        m_view->setCurrentIndex(m_proxy->index(row, c));
}

int DataGrid::rowCount() const
{
    return m_proxy->rowCount();
}

int DataGrid::recordCount() const
{
    return m_proxy->recordCount();
}

QList<int> DataGrid::selectedRecords() const
{
    QList<int> records;
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    for (const QModelIndex &i : rows) {
        const int r = m_proxy->recordAt(i.row());
        if (r >= 0)
            records << r;
    }
    std::sort(records.begin(), records.end());
    return records;
}

// ------------------------------------------------------------------ look

void DataGrid::setRowHeight(int height)
{
    m_indicator->setDefaultSectionSize(height);
}

int DataGrid::rowHeight() const
{
    return m_indicator->defaultSectionSize();
}

void DataGrid::setHeaderHeight(int height)
{
    m_header->setFixedHeight(height);
}

void DataGrid::setRowIndicatorVisible(bool visible)
{
    m_indicator->setVisible(visible);
}

void DataGrid::setGridStyle(const GridStyle &style)
{
    m_style = style;
    m_view->viewport()->update();
    m_footer->update();
}

// ------------------------------------------------------------------ widths

int DataGrid::headerFitWidth(int column) const
{
    const GridColumn &c = *m_columns[column];
    int w = m_header->fontMetrics().horizontalAdvance(c.displayCaption()) + 14;
    if (m_header->filterButtonsVisible() && c.isFilterable())
        w += GridHeaderView::kButtonSize + 6;
    if (m_sortingAllowed)
        w += 14;
    return w;
}

void DataGrid::bestFit()
{
    const QFontMetrics fm(m_view->font());
    m_applying = true;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (m_header->isSectionHidden(c))
            continue;
        const int w = ColumnFitter::bestFitWidth(*m_columns[c], *m_proxy, c, fm,
                                                 headerFitWidth(c));
        if (w > 0) {
            m_columns[c]->rememberWidth(w);
            m_header->resizeSection(c, w);
        }
    }
    m_applying = false;
}

void DataGrid::fitColumnsByTag(int screenWidth)
{
    if (screenWidth <= 1152) {
        bestFit();
        return;
    }
    std::vector<int> weights;
    std::vector<bool> visible;
    for (int c = 0; c < m_columns.size(); ++c) {
        weights.push_back(m_columns[c]->tag());
        visible.push_back(!m_header->isSectionHidden(c));
    }
    const std::vector<int> widths = ColumnFitter::weightedWidths(weights, visible, width());
    beginUpdate();
    m_applying = true;
    for (int c = 0; c < m_columns.size(); ++c) {
        if (widths[size_t(c)] < 0)
            continue;
        m_columns[c]->rememberWidth(widths[size_t(c)]);
        m_header->resizeSection(c, widths[size_t(c)]);
    }
    m_applying = false;
    endUpdate();
}

void FitColumnsByTag(DataGrid &grid)
{
    const QScreen *screen = grid.screen();
    grid.fitColumnsByTag(screen ? screen->geometry().width() : 0);
}

// ------------------------------------------------------------------ export

void DataGrid::exportToXlsx(const QString &path) const
{
    std::vector<GridXlsxExporter::ColumnOut> shown;
    for (int v = 0; v < m_header->count(); ++v) {
        const int c = m_header->logicalIndex(v);
        if (!m_header->isSectionHidden(c))
            shown.push_back({c, m_header->sectionSize(c)});
    }
    GridXlsxExporter::write(*m_proxy, m_columns, shown, path);
}

QTableView *DataGrid::view() const
{
    return m_view;
}
