#include "gridfilter.h"

#include "dataset.h"
#include "gridcolumn.h"

#include <QCollator>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cstring>
#include <map>

namespace {

bool isTextField(const Field &f)
{
    return f.DataType() == FieldType::String || f.DataType() == FieldType::Memo
        || f.DataType() == FieldType::Blob;
}

// A key that identifies a non-text cell's value: nulls get a key no double produces.
quint64 valueKey(const Field &f, int row)
{
    if (f.isNullAt(row))
        return ~quint64(0);
    const double d = f.floatAt(row);
    quint64 bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

bool isNumberField(const Field &f)
{
    return f.DataType() == FieldType::Integer || f.DataType() == FieldType::LargeInt
        || f.DataType() == FieldType::Float || f.DataType() == FieldType::Currency;
}

const GridColumn *columnOf(const QVector<GridColumn *> &columns, const QString &fieldName)
{
    for (const GridColumn *c : columns)
        if (c->fieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

}  // namespace

bool GridFilter::isFiltered(const QString &fieldName) const
{
    for (const Condition &c : m_conditions)
        if (c.fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QStringList GridFilter::values(const QString &fieldName) const
{
    for (const Condition &c : m_conditions)
        if (c.fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return QStringList(c.texts.begin(), c.texts.end());
    return {};
}

QStringList GridFilter::fieldNames() const
{
    QStringList names;
    for (const Condition &c : m_conditions)
        names << c.fieldName;
    return names;
}

void GridFilter::setValues(const QString &fieldName, const QStringList &texts)
{
    clear(fieldName);
    m_conditions.append({fieldName, QSet<QString>(texts.begin(), texts.end())});
}

void GridFilter::clear(const QString &fieldName)
{
    m_conditions.erase(std::remove_if(m_conditions.begin(), m_conditions.end(),
                                      [&](const Condition &c) {
                                          return c.fieldName.compare(
                                                     fieldName, Qt::CaseInsensitive) == 0;
                                      }),
                       m_conditions.end());
}

std::vector<int> GridFilter::apply(const Dataset &dataset, const QVector<GridColumn *> &columns,
                                   const std::vector<int> *candidates) const
{
    std::vector<int> rows;
    if (candidates) {
        rows = *candidates;
    } else {
        rows.resize(size_t(dataset.RecordCount()));
        for (int i = 0; i < dataset.RecordCount(); ++i)
            rows[size_t(i)] = i;
    }
    for (const Condition &cond : m_conditions) {
        const Field *field = dataset.FindField(cond.fieldName);
        const GridColumn *column = columnOf(columns, cond.fieldName);
        if (!field) {
            // A filter on a field the data no longer has passes nothing but empty cells.
            if (!cond.texts.contains(QString()))
                rows.clear();
            continue;
        }
        std::vector<int> kept;
        kept.reserve(rows.size());
        if (isTextField(*field) && (!column || column->kind() != ColumnKind::ImageByValue)) {
            for (int row : rows)
                if (cond.texts.contains(field->stringAt(row)))
                    kept.push_back(row);
        } else {
            // Numbers: the texts parse back to values, and a cell can only show one of them
            // when its value lies within rounding of it; only those cells are formatted.
            std::vector<double> targets;
            bool parsed = isNumberField(*field)
                && (!column || column->kind() != ColumnKind::ImageByValue);
            const QLocale locale;
            for (auto it = cond.texts.cbegin(); parsed && it != cond.texts.cend(); ++it) {
                if (it->isEmpty())
                    continue;
                bool ok = false;
                QString plain = *it;
                targets.push_back(locale.toDouble(plain.remove(locale.groupSeparator()), &ok));
                parsed = ok;
            }
            std::sort(targets.begin(), targets.end());
            QHash<quint64, bool> passes;
            for (int row : rows) {
                if (parsed && !field->isNullAt(row)) {
                    const double v = field->floatAt(row);
                    const auto near = std::lower_bound(targets.begin(), targets.end(), v - 1.0);
                    if (near == targets.end() || *near > v + 1.0)
                        continue;
                }
                const quint64 key = valueKey(*field, row);
                auto it = passes.constFind(key);
                if (it == passes.constEnd()) {
                    const QString text = column ? column->textAt(*field, row)
                                                : field->displayTextAt(row);
                    it = passes.insert(key, cond.texts.contains(text));
                }
                if (*it)
                    kept.push_back(row);
            }
        }
        rows.swap(kept);
    }
    return rows;
}

QStringList GridFilter::distinctTexts(const Dataset &dataset, const GridColumn &column,
                                      const std::vector<int> *rows)
{
    const Field *field = dataset.FindField(column.fieldName());
    if (!field)
        return {};
    const int count = rows ? int(rows->size()) : dataset.RecordCount();
    auto rowAt = [&](int i) { return rows ? (*rows)[size_t(i)] : i; };
    if (isTextField(*field) && column.kind() != ColumnKind::ImageByValue) {
        QSet<QString> seen;
        for (int i = 0; i < count; ++i)
            seen.insert(field->stringAt(rowAt(i)));
        QStringList texts(seen.begin(), seen.end());
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(texts.begin(), texts.end(), collator);
        return texts;
    }
    // Numbers, dates and flags: one text per distinct value, in value order (nulls first).
    std::map<double, int> byValue;
    int nullRow = -1;
    for (int i = 0; i < count; ++i) {
        const int row = rowAt(i);
        if (field->isNullAt(row))
            nullRow = row;
        else
            byValue.emplace(field->floatAt(row), row);
    }
    QStringList texts;
    QSet<QString> seen;
    auto add = [&](int row) {
        const QString text = column.textAt(*field, row);
        if (!seen.contains(text)) {
            seen.insert(text);
            texts << text;
        }
    };
    if (nullRow >= 0)
        add(nullRow);
    for (const auto &entry : byValue)
        add(entry.second);
    return texts;
}
