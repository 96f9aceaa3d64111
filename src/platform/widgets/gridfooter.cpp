#include "gridfooter.h"

#include "gridproxymodel.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>

GridFooter::GridFooter(QTableView *view, const GridProxyModel *model, const GridStyle *style,
                       QWidget *parent)
    : QWidget(parent), m_view(view), m_model(model), m_style(style)
{
    setObjectName(QStringLiteral("footer"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto refresh = [this] { update(); };
    connect(view->horizontalHeader(), &QHeaderView::sectionResized, this, refresh);
    connect(view->horizontalHeader(), &QHeaderView::sectionMoved, this, refresh);
    connect(view->horizontalHeader(), &QHeaderView::geometriesChanged, this, refresh);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, refresh);
    connect(model, &GridProxyModel::summariesChanged, this, refresh);
}

QSize GridFooter::sizeHint() const
{
    return QSize(100, fontMetrics().height() + 10);
}

QPoint GridFooter::viewportOrigin() const
{
    // The footer and the view are siblings in the grid.
    QWidget *parent = parentWidget();
    if (!parent)
        return QPoint();
    return m_view->viewport()->mapTo(parent, QPoint(0, 0)) - pos();
}

QRect GridFooter::cellRect(int column) const
{
    const QHeaderView *header = m_view->horizontalHeader();
    if (header->isSectionHidden(column))
        return QRect();
    const QPoint origin = viewportOrigin();
    const int x = origin.x() + header->sectionViewportPosition(column);
    return QRect(x, 2, header->sectionSize(column), height() - 4);
}

void GridFooter::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_style->footer.isValid() ? m_style->footer
                                                 : palette().color(QPalette::Window));
    const QPoint origin = viewportOrigin();
    p.setClipRect(QRect(origin.x(), 0, m_view->viewport()->width(), height()));
    for (int c = 0; c < m_model->columnCount(); ++c) {
        const QString text = m_model->footerText(c);
        if (text.isEmpty())
            continue;
        const QRect cell = cellRect(c);
        if (!cell.isValid() || cell.width() <= 0)
            continue;
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(cell.adjusted(0, 0, -1, -1));
        p.setPen(m_style->text.isValid() ? m_style->text : palette().color(QPalette::Text));
        p.drawText(cell.adjusted(3, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, text);
    }
}
