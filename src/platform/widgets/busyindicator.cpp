#include "busyindicator.h"

#include <QPainter>

namespace {
constexpr int kSpokes = 12;
}

BusyIndicator::BusyIndicator(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("busy"));
    m_timer.setInterval(80);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % kSpokes;
        update();
    });
}

void BusyIndicator::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void BusyIndicator::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height());
    p.translate(width() / 2.0, height() / 2.0);
    p.scale(side / 24.0, side / 24.0);
    const QColor base = m_color.isValid() ? m_color : palette().color(QPalette::Highlight);
    for (int i = 0; i < kSpokes; ++i) {
        QColor c = base;
        c.setAlphaF(0.15 + 0.85 * ((i + kSpokes - m_step) % kSpokes) / double(kSpokes - 1));
        p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -5.5), QPointF(0, -10.5));
        p.rotate(360.0 / kSpokes);
    }
}

void BusyIndicator::showEvent(QShowEvent *event)
{
    m_timer.start();
    QWidget::showEvent(event);
}

void BusyIndicator::hideEvent(QHideEvent *event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}
