#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <vector>

class Dataset;
class GridColumn;

// The header filters of a grid: for each filtered column the set of cell texts that pass,
// like a spreadsheet's value filter. Rows are tested on raw values where the text depends
// only on the value, so a column of numbers is formatted once per distinct value.
class GridFilter
{
public:
    bool isEmpty() const { return m_conditions.isEmpty(); }
    bool isFiltered(const QString &fieldName) const;
    QStringList values(const QString &fieldName) const;
    QStringList fieldNames() const;

    void setValues(const QString &fieldName, const QStringList &texts);
    void clear(const QString &fieldName);
    void clearAll() { m_conditions.clear(); }

    // The rows of `candidates` (all rows when null) that pass every condition, in order.
    std::vector<int> apply(const Dataset &dataset, const QVector<GridColumn *> &columns,
                           const std::vector<int> *candidates) const;

    // The distinct cell texts of a column over the given rows (all rows when null), ordered
    // by value for numbers and dates and alphabetically for text.
    static QStringList distinctTexts(const Dataset &dataset, const GridColumn &column,
                                     const std::vector<int> *rows);

private:
    struct Condition
    {
        QString fieldName;
        QSet<QString> texts;
    };
    QVector<Condition> m_conditions;
};
