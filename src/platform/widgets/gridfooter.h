#pragma once

#include "gridstyle.h"

#include <QWidget>

class GridProxyModel;
class QTableView;

// The footer strip under a DataGrid's rows: each column's summaries in a cell aligned with
// the column, following its width and the horizontal scroll.
class GridFooter final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GridFooter)

public:
    GridFooter(QTableView *view, const GridProxyModel *model, const GridStyle *style,
               QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    QRect cellRect(int column) const;  // where the column's summaries are drawn

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint viewportOrigin() const;

    QTableView *m_view;
    const GridProxyModel *m_model;
    const GridStyle *m_style;
};
