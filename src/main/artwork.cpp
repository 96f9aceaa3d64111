#include "artwork.h"

#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap badge(int size, const QColor &fill, const QString &mark)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(fill.darker(140), 1));
    p.setBrush(fill);
    p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(qMax(6, size * 2 / 3));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, mark);
    return pm;
}

}  // namespace

namespace Artwork {

QPixmap statusPicture(int durum, int size)
{
    switch (durum) {
    case 1: return badge(size, QColor(0x2e, 0x9d, 0x3a), QStringLiteral("✓"));
    case 2: return badge(size, QColor(0xf0, 0x8c, 0x00), QStringLiteral("T"));
    case 3: return badge(size, QColor(0x1e, 0x6f, 0xd0), QStringLiteral("→"));
    case 4: return badge(size, QColor(0x8e, 0x44, 0xad), QStringLiteral("Ö"));
    case 5: return badge(size, QColor(0x00, 0x96, 0x88), QStringLiteral("S"));
    default: return badge(size, QColor(0xd0, 0x2b, 0x2b), QStringLiteral("✕"));
    }
}

QPixmap picturePicture(int size)
{
    return badge(size, QColor(0x60, 0x7d, 0x8b), QStringLiteral("R"));
}

QPixmap newPicture(int size)
{
    return badge(size, QColor(0x1e, 0x88, 0xe5), QStringLiteral("Y"));
}

QPixmap campaignPicture(int size)
{
    return badge(size, QColor(0xe5, 0x39, 0x35), QStringLiteral("%"));
}

QIcon tabIcon(int index)
{
    static const QColor colors[] = {QColor(0x1e, 0x6f, 0xd0), QColor(0xf0, 0x8c, 0x00),
                                    QColor(0x2e, 0x9d, 0x3a), QColor(0x43, 0x4c, 0x58),
                                    QColor(0x8e, 0x44, 0xad), QColor(0xd0, 0x2b, 0x2b),
                                    QColor(0x00, 0x96, 0x88), QColor(0x79, 0x55, 0x48),
                                    QColor(0x60, 0x7d, 0x8b)};
    static const char *marks[] = {"S", "₺", "Ö", "E", "Y", "K", "D", "B", "P"};
    const int i = qBound(0, index, 8);
    return QIcon(badge(24, colors[i], QString::fromUtf8(marks[i])));
}

QPixmap logo(int height)
{
    QPixmap pm(height * 3, height);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0xc6, 0x28, 0x28));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0, 0, height, height), 8, 8);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(height * 2 / 3);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, height, height), Qt::AlignCenter, QStringLiteral("T"));
    p.setPen(QColor(0x43, 0x4c, 0x58));
    f.setPixelSize(height / 3);
    p.setFont(f);
    p.drawText(QRect(height + 6, 0, height * 2, height), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("TELVİN\nOTOMOTİV"));
    return pm;
}

QIcon menuIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x43, 0x4c, 0x58), 3, Qt::SolidLine, Qt::RoundCap));
    for (int y : {6, 12, 18})
        p.drawLine(4, y, 20, y);
    return QIcon(pm);
}

QIcon searchIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x43, 0x4c, 0x58), 2.5));
    p.drawEllipse(QRectF(3, 3, 12, 12));
    p.drawLine(QPointF(13.5, 13.5), QPointF(21, 21));
    return QIcon(pm);
}

QIcon clearIcon()
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xd0, 0x2b, 0x2b), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(6, 6, 18, 18);
    p.drawLine(18, 6, 6, 18);
    return QIcon(pm);
}

}  // namespace Artwork
