#pragma once

#include "dataset.h"

#include <QString>
#include <QVariant>

#include <memory>

class WireTable;

// A table result: a forward-only reader over named, typed columns. Walk it with Next()
// or copy it into a Dataset; a fresh reader copies by decoding straight into the target.
class DbxReader
{
public:
    explicit DbxReader(std::shared_ptr<const WireTable> table);
    ~DbxReader();
    DbxReader(const DbxReader &) = delete;
    DbxReader &operator=(const DbxReader &) = delete;

    bool Next();
    int ColumnCount();
    QString ColumnName(int column);
    FieldType ColumnType(int column);
    bool IsNull(int column);
    QVariant Value(int column); // of the current row

    // Defines target's fields from the columns and appends every row not yet read.
    void CopyTo(Dataset &target);

private:
    void load();

    std::shared_ptr<const WireTable> m_table;
    Dataset m_rows;
    bool m_loaded = false;
    int m_row = -1;
};
