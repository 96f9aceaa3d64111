#pragma once

#include <QString>
#include <QStringList>

// The search key form of texts. The client turns Turkish letters into plain Latin ones and
// upper-cases its search box, so stored texts are folded the same way before they are
// compared; codes lose their separators so "044650D010" finds "04465-0D010".
class SearchText
{
public:
    // "Fren Diski Ön" -> "FREN DISKI ON": Latin base letters, upper case.
    static QString fold(const QString &text);
    // Folded, then only letters and digits kept: "04465-0d010" -> "044650D010".
    static QString compact(const QString &text);
    // The stored key of one item: each text compacted, joined by '|' so a word never
    // matches across two fields.
    static QString keyOf(const QStringList &texts);
    // The search words of a typed text: split on blanks, compacted, empty words dropped.
    static QStringList words(const QString &typed);
};
