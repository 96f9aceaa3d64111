#include "searchtext.h"

#include <QRegularExpression>

QString SearchText::fold(const QString &text)
{
    // Decompose so accents become separate marks, then drop the marks; the dotless i has
    // no decomposition and is mapped by hand.
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c == QChar(0x0131))
            out.append(QLatin1Char('I'));
        else
            out.append(c.toUpper());
    }
    return out;
}

QString SearchText::compact(const QString &text)
{
    const QString folded = fold(text);
    QString out;
    out.reserve(folded.size());
    for (const QChar c : folded)
        if (c.isLetterOrNumber())
            out.append(c);
    return out;
}

QString SearchText::keyOf(const QStringList &texts)
{
    QString key;
    for (const QString &t : texts) {
        const QString c = compact(t);
        if (c.isEmpty())
            continue;
        if (!key.isEmpty())
            key.append(QLatin1Char('|'));
        key.append(c);
    }
    return key;
}

QStringList SearchText::words(const QString &typed)
{
    QStringList out;
    const QStringList parts = typed.split(QRegularExpression(QStringLiteral("\\s+")),
                                          Qt::SkipEmptyParts);
    for (const QString &p : parts) {
        const QString w = compact(p);
        if (!w.isEmpty() && !out.contains(w))
            out.append(w);
    }
    return out;
}
