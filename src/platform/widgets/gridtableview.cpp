#include "gridtableview.h"

#include "dataset.h"
#include "gridcolumn.h"
#include "gridproxymodel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

GridTableView::GridTableView(const QVector<GridColumn *> *columns, GridProxyModel *model,
                             QWidget *parent)
    : QTableView(parent), m_columns(columns), m_model(model)
{
    setObjectName(QStringLiteral("view"));
}

void GridTableView::clearSearch()
{
    if (m_search.isEmpty())
        return;
    m_search.clear();
    emit searchTextChanged(m_search);
}

bool GridTableView::searchFrom(int startRow, const QString &text)
{
    const int column = currentIndex().isValid() ? currentIndex().column() : -1;
    if (column < 0 || column >= m_columns->size())
        return false;
    const GridColumn &col = *m_columns->at(column);
    const Field *field = m_model->fieldOf(column);
    if (!field)
        return false;
    const int rows = m_model->rowCount();
    for (int row = std::max(0, startRow); row < rows; ++row) {
        const int record = m_model->recordAt(row);
        if (record < 0)
            continue;
        if (col.textAt(*field, record).startsWith(text, Qt::CaseInsensitive)) {
            m_searching = true;
            setCurrentIndex(m_model->index(row, column));
            scrollTo(currentIndex());
            m_searching = false;
            return true;
        }
    }
    return false;
}

void GridTableView::keyboardSearch(const QString &search)
{
    if (!m_searchEnabled || search.isEmpty() || !search.at(0).isPrint())
        return;
    const QString candidate = m_search + search;
    const int start = currentIndex().isValid() ? currentIndex().row() : 0;
    if (searchFrom(start, candidate)) {
        m_search = candidate;
        emit searchTextChanged(m_search);
    }
}

void GridTableView::keyPressEvent(QKeyEvent *event)
{
    const int row = currentIndex().row();
    const int group = m_model->groupOfRow(row);
    if (group >= 0 && m_model->kindAt(row) == GridProxyModel::RowKind::GroupHeader) {
        if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus) {
            const bool expand = event->key() == Qt::Key_Plus;
            if (m_model->isGroupExpanded(group) != expand)
                emit groupToggled(row);
            return;
        }
    }
    if (m_searchEnabled && !m_search.isEmpty()) {
        if (event->key() == Qt::Key_Escape) {
            clearSearch();
            return;
        }
        if (event->key() == Qt::Key_Backspace) {
            m_search.chop(1);
            emit searchTextChanged(m_search);
            if (!m_search.isEmpty())
                searchFrom(0, m_search);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void GridTableView::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && m_model->kindAt(index.row()) == GridProxyModel::RowKind::GroupHeader
        && event->button() == Qt::LeftButton) {
        const QRect r = visualRect(index);
        if (event->position().x() < r.left() + 20) {
            setCurrentIndex(index);
            emit groupToggled(index.row());
            return;
        }
    }
    QTableView::mousePressEvent(event);
}

void GridTableView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()
        && m_model->kindAt(index.row()) == GridProxyModel::RowKind::GroupHeader) {
        emit groupToggled(index.row());
        return;
    }
    QTableView::mouseDoubleClickEvent(event);
}

QModelIndex GridTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    const QModelIndex current = currentIndex();
    if (!next.isValid() || !current.isValid() || next.column() == current.column()
        || m_columns->at(next.column())->isFocusable())
        return next;
    // Step over columns that take no focus, in the direction of the move.
    const QHeaderView *header = horizontalHeader();
    const int from = header->visualIndex(current.column());
    const int to = header->visualIndex(next.column());
    const int step = to > from ? 1 : -1;
    for (int v = to; v >= 0 && v < header->count(); v += step) {
        const int c = header->logicalIndex(v);
        if (!header->isSectionHidden(c) && m_columns->at(c)->isFocusable())
            return m_model->index(next.row(), c);
    }
    return m_model->index(next.row(), current.column());
}

void GridTableView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (!m_searching)
        clearSearch();
}
