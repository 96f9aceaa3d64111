#pragma once

#include <QTableView>
#include <QVector>

class GridColumn;
class GridProxyModel;

// The table part of a DataGrid. Typing searches the focused column incrementally: the typed
// text grows while a row further down starts with it, Backspace shortens it, Esc or moving
// the focus clears it. Group rows open and close by click on their button, double click,
// or the + and - keys.
class GridTableView final : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridTableView)

public:
    GridTableView(const QVector<GridColumn *> *columns, GridProxyModel *model,
                  QWidget *parent = nullptr);

    void setIncrementalSearch(bool enabled) { m_searchEnabled = enabled; }
    bool incrementalSearch() const { return m_searchEnabled; }
    QString searchText() const { return m_search; }
    void clearSearch();
    void keyboardSearch(const QString &search) override;

signals:
    void searchTextChanged(const QString &text);
    void groupToggled(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    bool searchFrom(int startRow, const QString &text);

    const QVector<GridColumn *> *m_columns;
    GridProxyModel *m_model;
    bool m_searchEnabled = true;
    bool m_searching = false;
    QString m_search;
};
