#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Simple PDF documents written with QPdfWriter: a title block, label/value lines and an
// optional table. Needs a QGuiApplication (fonts).
class PdfDocuments
{
public:
    struct Table
    {
        QStringList headers;
        QVector<QStringList> rows;
        QVector<int> rightAligned;  // column indexes
    };

    static QByteArray write(const QString &title, const QVector<QPair<QString, QString>> &info,
                            const Table &table = Table());
};
