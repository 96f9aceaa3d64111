#include "gridrowindicator.h"

#include <QPainter>
#include <QPainterPath>

GridRowIndicator::GridRowIndicator(QWidget *parent) : QHeaderView(Qt::Vertical, parent)
{
    setObjectName(QStringLiteral("rowIndicator"));
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(1);
}

void GridRowIndicator::setFocusedRow(int row)
{
    if (row == m_row)
        return;
    m_row = row;
    viewport()->update();
}

QSize GridRowIndicator::sizeHint() const
{
    return QSize(14, QHeaderView::sizeHint().height());
}

void GridRowIndicator::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->fillRect(rect, palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    if (logicalIndex != m_row)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(rect).center();
    QPainterPath arrow;
    arrow.moveTo(c.x() - 2.5, c.y() - 4.5);
    arrow.lineTo(c.x() + 2.5, c.y());
    arrow.lineTo(c.x() - 2.5, c.y() + 4.5);
    arrow.closeSubpath();
    painter->fillPath(arrow, palette().color(QPalette::ButtonText));
    painter->restore();
}
