#pragma once

#include <QString>

#include <vector>

class Field;

enum class SummaryKind { Count, Sum, Average };

// A footer or group-footer summary: what is computed over which field, and under which
// column it is shown (none: computed and readable, but not shown).
class GridSummary
{
public:
    GridSummary() = default;
    GridSummary(SummaryKind kind, const QString &fieldName, const QString &columnName,
                const QString &format);

    SummaryKind kind() const { return m_kind; }
    const QString &fieldName() const { return m_fieldName; }
    const QString &columnName() const { return m_columnName; }
    const QString &format() const { return m_format; }

    // Over the given dataset rows; with rows == nullptr over rows 0..count-1.
    double compute(const Field *field, const int *rows, int count) const;
    // The value as shown: the summary's own format, else the field's display format for sums
    // and averages, else a plain number.
    QString text(double value, int count, const Field *field) const;

private:
    SummaryKind m_kind = SummaryKind::Count;
    QString m_fieldName;
    QString m_columnName;
    QString m_format;
};
