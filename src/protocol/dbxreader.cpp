#include "dbxreader.h"

#include "wireerror.h"
#include "wiretable.h"

DbxReader::DbxReader(std::shared_ptr<const WireTable> table)
    : m_table(std::move(table))
{
}

DbxReader::~DbxReader() = default;

void DbxReader::load()
{
    if (!m_loaded) {
        m_table->loadInto(m_rows);
        m_loaded = true;
    }
}

bool DbxReader::Next()
{
    load();
    if (m_row + 1 >= m_rows.RecordCount()) {
        m_row = m_rows.RecordCount();
        return false;
    }
    ++m_row;
    return true;
}

int DbxReader::ColumnCount()
{
    load();
    return m_rows.FieldCount();
}

QString DbxReader::ColumnName(int column)
{
    load();
    return m_rows.Fields(column).FieldName();
}

FieldType DbxReader::ColumnType(int column)
{
    load();
    return m_rows.Fields(column).DataType();
}

bool DbxReader::IsNull(int column)
{
    load();
    if (m_row < 0 || m_row >= m_rows.RecordCount())
        throw InvalidOperation(QStringLiteral("The reader has no current row"));
    return m_rows.Fields(column).isNullAt(m_row);
}

QVariant DbxReader::Value(int column)
{
    load();
    if (m_row < 0 || m_row >= m_rows.RecordCount())
        throw InvalidOperation(QStringLiteral("The reader has no current row"));
    return m_rows.Fields(column).valueAt(m_row);
}

void DbxReader::CopyTo(Dataset &target)
{
    if (!m_loaded) {
        m_table->loadInto(target);
        m_loaded = true; // nothing is left to read
        return;
    }
    const int first = qMax(0, m_row + 1);
    const int count = qMax(0, m_rows.RecordCount() - first);
    target.BeginLoad(m_rows.FieldDefs(), count);
    for (int c = 0; c < m_rows.FieldCount(); ++c) {
        const Field &from = m_rows.Fields(c);
        Field &to = target.Fields(c);
        for (int r = first; r < first + count; ++r) {
            if (from.isNullAt(r))
                to.appendNull();
            else
                to.appendVariant(from.valueAt(r));
        }
    }
    target.EndLoad();
    m_row = m_rows.RecordCount();
}
