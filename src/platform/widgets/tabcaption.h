#pragma once

#include <QString>

// A tab caption "count=title", e.g. "25=Stok Listesi": the title is drawn with the count as a
// badge. No "=" makes the whole caption the title. A count that is not a whole number
// (an amount such as "12,5") or not above zero shows no badge.
struct TabCaption
{
    int count = 0;
    QString title;

    static TabCaption parse(const QString &caption);
    QString badge() const;  // "(25)", or empty
};
