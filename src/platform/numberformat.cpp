#include "numberformat.h"

#include <algorithm>
#include <cmath>

namespace {

struct Section
{
    QString prefix;
    QString suffix;
    int minInt = 0;
    int minDec = 0;
    int maxDec = 0;
    bool grouping = false;
};

QStringList splitSections(const QString &format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            current += c;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
            current += c;
        } else if (c == u';') {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

Section parseSection(const QString &s)
{
    Section sec;
    int first = -1, last = -1;
    QChar quote;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
            continue;
        }
        if (c == u'0' || c == u'#' || c == u'.' || c == u',') {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    auto literal = [](QStringView text) {
        QString out;
        QChar q;
        for (QChar c : text) {
            if (!q.isNull()) {
                if (c == q)
                    q = QChar();
                else
                    out += c;
            } else if (c == u'"' || c == u'\'') {
                q = c;
            } else {
                out += c;
            }
        }
        return out;
    };
    if (first < 0) {
        sec.prefix = literal(s);
        return sec;
    }
    sec.prefix = literal(QStringView(s).left(first));
    sec.suffix = literal(QStringView(s).mid(last + 1));
    const QStringView body = QStringView(s).mid(first, last - first + 1);
    const qsizetype point = body.indexOf(u'.');
    const QStringView intPart = point < 0 ? body : body.left(point);
    const QStringView decPart = point < 0 ? QStringView() : body.mid(point + 1);
    // Every digit place from the first '0' to the point always shows.
    const qsizetype firstZero = intPart.indexOf(u'0');
    if (firstZero >= 0)
        for (qsizetype i = firstZero; i < intPart.size(); ++i)
            if (intPart[i] == u'0' || intPart[i] == u'#')
                ++sec.minInt;
    sec.grouping = intPart.contains(u',');
    int place = 0;
    for (QChar c : decPart) {
        if (c == u'0' || c == u'#') {
            ++place;
            if (c == u'0')
                sec.minDec = place;
        }
    }
    sec.maxDec = place;
    return sec;
}

// |value| rounded half away from zero to `decimals` places, from its 15 significant digits.
void decimalDigits(double value, int decimals, QString &intDigits, QString &decDigits)
{
    intDigits.clear();
    decDigits.clear();
    const QString e = QString::number(std::fabs(value), 'e', 14);  // d.dddddddddddddde±xx
    QString digits = e.left(1) + e.mid(2, 14);
    int exp = e.mid(e.indexOf(u'e') + 1).toInt();
    int pointPos = exp + 1;  // digits before the decimal point
    int keep = pointPos + decimals;
    if (keep < 0) {
        digits.clear();
        pointPos = 0;
    } else if (keep < digits.size()) {
        const bool up = digits[keep] >= u'5';
        digits.truncate(keep);
        if (up) {
            int i = keep - 1;
            while (i >= 0 && digits[i] == u'9') {
                digits[i] = u'0';
                --i;
            }
            if (i >= 0) {
                digits[i] = QChar(digits[i].unicode() + 1);
            } else {
                digits.prepend(u'1');
                ++pointPos;
            }
        }
    }
    // Lay the digits out around the point.
    if (pointPos <= 0) {
        decDigits = QString(-pointPos, u'0') + digits;
    } else if (pointPos >= digits.size()) {
        intDigits = digits + QString(pointPos - digits.size(), u'0');
    } else {
        intDigits = digits.left(pointPos);
        decDigits = digits.mid(pointPos);
    }
    if (decDigits.size() > decimals)
        decDigits.truncate(decimals);
    decDigits = decDigits.leftJustified(decimals, u'0');
    while (!intDigits.isEmpty() && intDigits[0] == u'0')
        intDigits.remove(0, 1);
}

}  // namespace

QString FormatFloat(const QString &format, double value, const QLocale &locale)
{
    if (std::isnan(value) || std::isinf(value))
        return locale.toString(value);
    const QStringList sections = splitSections(format);
    Section sec = parseSection(sections.value(0));
    bool negativeSign = false;

    QString intDigits, decDigits;
    decimalDigits(value, sec.maxDec, intDigits, decDigits);
    const bool isZero = intDigits.isEmpty()
        && std::all_of(decDigits.cbegin(), decDigits.cend(), [](QChar c) { return c == u'0'; });
    if (isZero && sections.size() >= 3 && !sections[2].isEmpty()) {
        sec = parseSection(sections[2]);
        decimalDigits(0.0, sec.maxDec, intDigits, decDigits);
    } else if (value < 0 && !isZero) {
        if (sections.size() >= 2 && !sections[1].isEmpty()) {
            sec = parseSection(sections[1]);
            decimalDigits(value, sec.maxDec, intDigits, decDigits);
        } else {
            negativeSign = true;
        }
    }
    if (format.isEmpty())
        return locale.toString(value, 'g', 15);

    while (intDigits.size() < sec.minInt)
        intDigits.prepend(u'0');
    while (decDigits.size() > sec.minDec && decDigits.endsWith(u'0'))
        decDigits.chop(1);

    QString out;
    if (sec.grouping && intDigits.size() > 3) {
        const QString group = locale.groupSeparator();
        const int lead = int(intDigits.size() % 3);
        if (lead)
            out += QStringView(intDigits).left(lead);
        for (int i = lead; i < intDigits.size(); i += 3) {
            if (!out.isEmpty())
                out += group;
            out += QStringView(intDigits).mid(i, 3);
        }
    } else {
        out = intDigits;
    }
    if (!decDigits.isEmpty())
        out += locale.decimalPoint() + decDigits;
    return sec.prefix + (negativeSign ? locale.negativeSign() : QString()) + out + sec.suffix;
}
