#include "gridsummary.h"

#include "dataset.h"
#include "numberformat.h"

#include <QLocale>

GridSummary::GridSummary(SummaryKind kind, const QString &fieldName, const QString &columnName,
                         const QString &format)
    : m_kind(kind), m_fieldName(fieldName), m_columnName(columnName), m_format(format)
{
}

double GridSummary::compute(const Field *field, const int *rows, int count) const
{
    if (m_kind == SummaryKind::Count || !field)
        return m_kind == SummaryKind::Count ? count : 0.0;
    double sum = 0;
    if (rows) {
        for (int i = 0; i < count; ++i)
            sum += field->floatAt(rows[i]);
    } else {
        for (int i = 0; i < count; ++i)
            sum += field->floatAt(i);
    }
    if (m_kind == SummaryKind::Average)
        return count > 0 ? sum / count : 0.0;
    return sum;
}

QString GridSummary::text(double value, int count, const Field *field) const
{
    if (m_kind == SummaryKind::Average && count == 0)
        return QString();
    if (!m_format.isEmpty())
        return FormatFloat(m_format, value);
    if (m_kind == SummaryKind::Count)
        return QLocale().toString(qint64(value));
    if (field && !field->DisplayFormat().isEmpty() && field->isNumeric())
        return FormatFloat(field->DisplayFormat(), value);
    return QLocale().toString(value, 'g', 15);
}
