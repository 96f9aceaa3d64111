#include "pdfdocuments.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

QByteArray PdfDocuments::write(const QString &title, const QVector<QPair<QString, QString>> &info,
                               const Table &table)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Telvin Otomotiv"));
    QPainter p(&writer);
    const int width = writer.width();
    const int height = writer.height();
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    int y = 24;
    p.drawText(QRect(0, y, width, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Telvin Otomotiv"));
    y += 28;
    p.drawText(QRect(0, y, width, 24), Qt::AlignLeft | Qt::AlignVCenter, title);
    y += 36;
    font.setPixelSize(10);
    font.setBold(false);
    p.setFont(font);
    for (const auto &line : info) {
        p.drawText(QRect(0, y, 160, 16), Qt::AlignLeft | Qt::AlignVCenter, line.first);
        p.drawText(QRect(160, y, width - 160, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   line.second);
        y += 16;
    }
    if (!table.headers.isEmpty()) {
        y += 12;
        const int columns = int(table.headers.size());
        const int colWidth = width / columns;
        auto drawRow = [&](const QStringList &cells, bool bold) {
            font.setBold(bold);
            p.setFont(font);
            for (int c = 0; c < columns && c < cells.size(); ++c) {
                const Qt::Alignment align = table.rightAligned.contains(c) ? Qt::AlignRight
                                                                           : Qt::AlignLeft;
                p.drawText(QRect(c * colWidth + 2, y, colWidth - 4, 14),
                           align | Qt::AlignVCenter, cells[c]);
            }
            y += 15;
        };
        drawRow(table.headers, true);
        p.drawLine(0, y, width, y);
        y += 2;
        for (const QStringList &row : table.rows) {
            if (y > height - 30) {
                writer.newPage();
                y = 24;
                drawRow(table.headers, true);
            }
            drawRow(row, false);
        }
    }
    p.end();
    return bytes;
}
