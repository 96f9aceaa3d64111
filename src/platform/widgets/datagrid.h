#pragma once

#include "gridcolumn.h"
#include "gridstyle.h"
#include "gridsummary.h"

#include <QPointer>
#include <QVector>
#include <QWidget>

#include <initializer_list>
#include <memory>

class Dataset;
class DatasetModel;
class GridDelegate;
class GridFilterPopup;
class GridFooter;
class GridHeaderView;
class GridProxyModel;
class GridRowIndicator;
class GridTableView;
class QMenu;
class QTableView;

// The read-only list over a Dataset that every window uses. A window declares its columns
// (addColumn), its footer summaries and its handlers; the grid does focus, incremental
// search, header filters, the column chooser, sorting where allowed, grouping, widths and
// the export to .xlsx. Detach it (setDataset(nullptr) or detach()) before a worker fills
// the dataset; while detached it holds no reference to the data.
// One line of a window's column table: the usual declarations of a column in one row.
struct GridColumnSpec
{
    const char *field;
    const char *caption;  // UTF-8; blank shows the field name
    int tag;              // weight for FitColumnsByTag
    bool visible;
    bool customizable;    // offered in the column chooser
    int width = 0;        // 0 keeps the grid's default
};

class DataGrid final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DataGrid)

public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // Columns, in display order. The caption may be blank: the header then shows the field.
    GridColumn &addColumn(const QString &fieldName, const QString &caption = QString());
    void addColumns(std::initializer_list<GridColumnSpec> specs);
    GridColumn *column(const QString &fieldName) const;  // null when not declared
    int columnIndex(const QString &fieldName) const;      // -1 when not declared
    const QVector<GridColumn *> &columns() const { return m_columns; }
    QStringList visibleFields() const;  // in display order

    // Data
    void setDataset(Dataset *dataset);
    Dataset *dataset() const;
    void detach();  // forgets the data until attach(); keeps which dataset it was
    void attach();
    void beginUpdate();
    void endUpdate();

    // Behaviour
    void setSortingAllowed(bool allowed);
    bool sortingAllowed() const { return m_sortingAllowed; }
    void sortBy(const QString &fieldName, Qt::SortOrder order = Qt::AscendingOrder);
    void setFilterButtonsVisible(bool visible);
    void setIncrementalSearch(bool enabled);
    QString searchText() const;
    void setMultiSelect(bool multi);
    void setPopupMenu(QMenu *menu);

    // Header filters: keep the rows whose cell text in the column is one of `texts`.
    void setColumnFilter(const QString &fieldName, const QStringList &texts);
    void clearColumnFilter(const QString &fieldName);
    void clearFilter();
    bool isFiltered() const;
    QStringList filterValues(const QString &fieldName) const;
    QStringList distinctValues(const QString &fieldName) const;
    GridFilterPopup *showFilterPopup(const QString &fieldName);

    // The chooser of the customizable columns, as a menu of check items.
    QMenu *createColumnChooserMenu(QWidget *parent = nullptr);

    // Footer summaries. addSummary shows the summary under the column of `fieldName`;
    // addUnboundSummary computes it without showing it. Returns the summary's index.
    int addSummary(SummaryKind kind, const QString &fieldName, const QString &format = {});
    int addUnboundSummary(SummaryKind kind, const QString &fieldName,
                          const QString &format = {});
    double summaryValue(int index) const;
    QString summaryText(int index) const;
    QString footerText(const QString &fieldName) const;
    void setFooterVisible(bool visible);

    // Grouping by one column, with group footers under the summarized columns.
    void setGroupColumn(const QString &fieldName);  // empty: no grouping
    QString groupColumn() const;
    void addGroupSummary(SummaryKind kind, const QString &fieldName, const QString &format = {});
    int groupCount() const;
    void expandAll();
    void collapseAll();

    // Focus and selection
    int focusedRecord() const;  // dataset row of the focused row, -1 on none or a group row
    bool setFocusedRecord(int record);
    QString focusedField() const;
    void setFocusedField(const QString &fieldName);
    int rowCount() const;     // rows shown, group rows included
    int recordCount() const;  // records that pass the filters
    QList<int> selectedRecords() const;

    // Look
    void setRowHeight(int height);
    int rowHeight() const;
    void setHeaderHeight(int height);
    void setRowIndicatorVisible(bool visible);
    void setGridStyle(const GridStyle &style);
    const GridStyle &gridStyle() const { return m_style; }

    // Widths
    void bestFit();
    // Screen wider than 1152: widths by weight (see ColumnFitter); otherwise best fit.
    void fitColumnsByTag(int screenWidth);

    // Writes the shown columns and all filtered rows to an .xlsx file; throws
    // std::runtime_error with a message for the user when it cannot.
    void exportToXlsx(const QString &path) const;

    QTableView *view() const;
    GridProxyModel *proxyModel() const { return m_proxy; }

    // Called by GridColumn when a declaration changes.
    void columnChanged(GridColumn *column, bool layout);

signals:
    void FocusedRecordChanged(int record);
    void recordDoubleClicked(int record);
    void filterChanged();

private:
    void applyColumn(int index);
    void applyAllColumns();
    void applySpans();
    void currentRowChanged();
    void afterReset();
    void headerClicked(int logical);
    void toggleGroup(int row);
    int headerFitWidth(int column) const;

    QVector<GridColumn *> m_columns;
    std::vector<std::unique_ptr<GridColumn>> m_owned;
    GridStyle m_style;
    DatasetModel *m_model;
    GridProxyModel *m_proxy;
    GridTableView *m_view;
    GridHeaderView *m_header;
    GridRowIndicator *m_indicator;
    GridDelegate *m_delegate;
    GridFooter *m_footer;
    QPointer<QMenu> m_popup;
    Dataset *m_boundDataset = nullptr;
    QVector<GridSummary> m_summaries;
    QVector<GridSummary> m_groupSummaries;
    bool m_sortingAllowed = false;
    int m_focusedRecord = -1;
    int m_updateDepth = 0;
    bool m_applying = false;
};

// Sets the grid's column widths by the weights in the columns' tags on screens wider than
// 1152 pixels, and fits them to their content on smaller screens.
void FitColumnsByTag(DataGrid &grid);
