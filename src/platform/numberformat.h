#pragma once

#include <QLocale>
#include <QString>

// Formats a number with a picture such as "#,###,##0.00" the way the distributor's
// displays have always shown amounts: '0' is a digit that always shows, '#' one that shows
// only when significant, a ',' in the integer part groups thousands, the first '.' is the
// decimal point; separators come from the locale. The value is taken with 15 significant
// digits and rounded half away from zero. Text before the first and after the last
// placeholder (quoted or not) is kept; ';' separates positive;negative;zero sections.
QString FormatFloat(const QString &format, double value, const QLocale &locale = QLocale());

// The amount display format of every plain float field.
inline const QString kAmountFormat = QStringLiteral("#,###,##0.00");
