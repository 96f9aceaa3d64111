#include "marquee.h"

#include <QEvent>
#include <QPainter>
#include <QTextDocument>

#include <cmath>

Marquee::Marquee(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("marquee"));
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, [this] { advance(m_step); });
}

void Marquee::render(Item &item) const
{
    const int h = std::max(1, height());
    const qreal dpr = devicePixelRatioF();
    if (item.draw) {
        QPixmap pixmap(QSize(std::max(1, item.width), h) * dpr);
        pixmap.setDevicePixelRatio(dpr);
        pixmap.fill(Qt::transparent);
        item.draw(pixmap);
        item.pixmap = pixmap;
        return;
    }
    QTextDocument doc;
    doc.setDocumentMargin(0);
    doc.setDefaultFont(font());
    doc.setHtml(item.html);
    doc.setTextWidth(-1);
    const QSizeF size = doc.size();
    QPixmap pixmap(QSize(std::max(1, int(std::ceil(size.width()))), h) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.translate(0, (h - size.height()) / 2);
    doc.drawContents(&p);
    item.pixmap = pixmap;
}

void Marquee::renderAll()
{
    for (Item &item : m_items)
        render(item);
    update();
}

int Marquee::addHtmlItem(const QString &html)
{
    Item item;
    item.html = html;
    render(item);
    m_items.append(item);
    update();
    return m_items.size() - 1;
}

int Marquee::addPictureItem(int width, DrawPicture draw)
{
    Item item;
    item.width = width;
    item.draw = std::move(draw);
    render(item);
    m_items.append(item);
    update();
    return m_items.size() - 1;
}

void Marquee::clear()
{
    m_items.clear();
    m_offset = 0;
    update();
}

QPixmap Marquee::itemPixmap(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index].pixmap : QPixmap();
}

int Marquee::itemWidth(int index) const
{
    if (index < 0 || index >= m_items.size())
        return 0;
    return int(m_items[index].pixmap.deviceIndependentSize().width());
}

int Marquee::contentWidth() const
{
    int w = 0;
    for (int i = 0; i < m_items.size(); ++i)
        w += itemWidth(i) + (i > 0 ? m_spacing : 0);
    return w;
}

QRect Marquee::itemRect(int index) const
{
    int x = width() - m_offset;
    for (int i = 0; i < index && i < m_items.size(); ++i)
        x += itemWidth(i) + m_spacing;
    return QRect(x, 0, itemWidth(index), height());
}

void Marquee::setSpacing(int pixels)
{
    m_spacing = std::max(0, pixels);
    update();
}

void Marquee::start()
{
    m_timer.start();
}

void Marquee::stop()
{
    m_timer.stop();
}

void Marquee::advance(int pixels)
{
    m_offset += pixels;
    // Once everything has scrolled out on the left, come in again from the right.
    const int cycle = width() + contentWidth();
    if (cycle > 0 && m_offset > cycle)
        m_offset %= cycle;
    update();
}

QSize Marquee::sizeHint() const
{
    return QSize(400, fontMetrics().height() + 8);
}

void Marquee::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    for (int i = 0; i < m_items.size(); ++i) {
        const QRect r = itemRect(i);
        if (r.right() < 0 || r.left() > width())
            continue;
        p.drawPixmap(r.topLeft(), m_items[i].pixmap);
    }
}

void Marquee::resizeEvent(QResizeEvent *)
{
    renderAll();
}

void Marquee::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        renderAll();
    QWidget::changeEvent(event);
}
