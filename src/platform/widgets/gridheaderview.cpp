#include "gridheaderview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

GridHeaderView::GridHeaderView(QWidget *parent) : QHeaderView(Qt::Horizontal, parent)
{
    setObjectName(QStringLiteral("header"));
    setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    setSectionsClickable(true);
    setHighlightSections(false);
    setTextElideMode(Qt::ElideNone);
    setMinimumSectionSize(8);
}

void GridHeaderView::setFilterButtonsVisible(bool visible)
{
    m_buttons = visible;
    viewport()->update();
}

void GridHeaderView::setFilterState(std::function<bool(int)> offered,
                                    std::function<bool(int)> filtered)
{
    m_offered = std::move(offered);
    m_filtered = std::move(filtered);
    viewport()->update();
}

QRect GridHeaderView::buttonRectIn(const QRect &section) const
{
    return QRect(section.right() - kButtonSize - 3, section.center().y() - kButtonSize / 2,
                 kButtonSize, kButtonSize);
}

QRect GridHeaderView::filterButtonRect(int logicalIndex) const
{
    if (!m_buttons || isSectionHidden(logicalIndex) || (m_offered && !m_offered(logicalIndex)))
        return QRect();
    const QRect section(sectionViewportPosition(logicalIndex), 0, sectionSize(logicalIndex),
                        viewport()->height());
    return buttonRectIn(section);
}

void GridHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    const bool button = m_buttons && (!m_offered || m_offered(logicalIndex));
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (!button || rect.width() < kButtonSize + 6)
        return;
    const QRect b = buttonRectIn(rect);
    const bool filtered = m_filtered && m_filtered(logicalIndex);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->fillRect(b, filtered ? QColor(0x3D, 0x7E, 0xC9) : palette().color(QPalette::Button));
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawRect(b.adjusted(0, 0, -1, -1));
    QPainterPath arrow;
    const QPointF c = QRectF(b).center();
    arrow.moveTo(c.x() - 3.5, c.y() - 1.5);
    arrow.lineTo(c.x() + 3.5, c.y() - 1.5);
    arrow.lineTo(c.x(), c.y() + 2.5);
    arrow.closeSubpath();
    painter->fillPath(arrow, filtered ? QColor(Qt::white) : palette().color(QPalette::ButtonText));
    painter->restore();
}

void GridHeaderView::mousePressEvent(QMouseEvent *event)
{
    const int logical = logicalIndexAt(event->position().toPoint());
    m_pressedOnButton = false;
    if (logical >= 0 && event->button() == Qt::LeftButton) {
        const QRect b = filterButtonRect(logical);
        if (b.isValid() && b.contains(event->position().toPoint())) {
            m_pressedOnButton = true;
            event->accept();
            emit filterButtonClicked(logical);
            return;
        }
    }
    QHeaderView::mousePressEvent(event);
}

void GridHeaderView::mouseReleaseEvent(QMouseEvent *event)
{
    // The press opened the filter popup; the release must not sort the column.
    if (m_pressedOnButton) {
        m_pressedOnButton = false;
        event->accept();
        return;
    }
    QHeaderView::mouseReleaseEvent(event);
}
