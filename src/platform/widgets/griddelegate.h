#pragma once

#include "gridstyle.h"

#include <QStyledItemDelegate>
#include <QVector>

class GridColumn;
class GridProxyModel;

// Draws the cells of a DataGrid by column kind (text, check box, picture by value, custom)
// and the group header and footer rows, in the grid's odd/even/selection colours.
class GridDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridDelegate)

public:
    GridDelegate(const QVector<GridColumn *> *columns, const GridProxyModel *model,
                 const GridStyle *style, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

    static constexpr int kTextMargin = 4;

private:
    void paintGroupHeader(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const;
    void paintCheckBox(QPainter *painter, const QStyleOptionViewItem &option,
                       Qt::CheckState state, Qt::Alignment alignment) const;

    const QVector<GridColumn *> *m_columns;
    const GridProxyModel *m_model;
    const GridStyle *m_style;
};
