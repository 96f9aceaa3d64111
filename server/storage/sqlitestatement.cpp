#include "sqlitestatement.h"

#include "storageerror.h"

#include <sqlite3.h>

#include <vector>

SqliteStatement::SqliteStatement(sqlite3 *db, const char *sql)
    : m_db(db)
{
    const int rc = sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        throw StorageError(QStringLiteral("SQL hazırlanamadı: %1 (%2)")
                               .arg(QString::fromUtf8(sqlite3_errmsg(db)),
                                    QString::fromUtf8(sql).left(120)));
}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::fail(int rc) const
{
    throw StorageError(QStringLiteral("Veritabanı hatası %1: %2")
                           .arg(rc)
                           .arg(QString::fromUtf8(sqlite3_errmsg(m_db))),
                       rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
}

SqliteStatement &SqliteStatement::bind(int pos, int value)
{
    return bind(pos, qint64(value));
}

SqliteStatement &SqliteStatement::bind(int pos, qint64 value)
{
    const int rc = sqlite3_bind_int64(m_stmt, pos, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int pos, double value)
{
    const int rc = sqlite3_bind_double(m_stmt, pos, value);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int pos, const QString &value)
{
    return bindUtf8(pos, value.toUtf8());
}

SqliteStatement &SqliteStatement::bindUtf8(int pos, const QByteArray &utf8)
{
    const int rc = sqlite3_bind_text(m_stmt, pos, utf8.constData(), int(utf8.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int pos, const QByteArray &blob)
{
    const int rc = sqlite3_bind_blob(m_stmt, pos, blob.constData(), int(blob.size()),
                                     SQLITE_TRANSIENT);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int pos, const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return bindNull(pos);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        return bind(pos, value.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return bind(pos, value.toDouble());
    case QMetaType::QByteArray:
        return bind(pos, value.toByteArray());
    default:
        return bind(pos, value.toString());
    }
}

SqliteStatement &SqliteStatement::bindNull(int pos)
{
    const int rc = sqlite3_bind_null(m_stmt, pos);
    if (rc != SQLITE_OK)
        fail(rc);
    return *this;
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    fail(rc);
}

void SqliteStatement::exec()
{
    while (step()) {
    }
    reset();
}

void SqliteStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int SqliteStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString SqliteStatement::columnName(int col) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, col));
}

bool SqliteStatement::isNull(int col) const
{
    return sqlite3_column_type(m_stmt, col) == SQLITE_NULL;
}

qint64 SqliteStatement::intValue(int col) const
{
    return sqlite3_column_int64(m_stmt, col);
}

double SqliteStatement::doubleValue(int col) const
{
    return sqlite3_column_double(m_stmt, col);
}

QString SqliteStatement::textValue(int col) const
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, col));
    return QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, col));
}

QByteArray SqliteStatement::blobValue(int col) const
{
    const void *data = sqlite3_column_blob(m_stmt, col);
    return QByteArray(static_cast<const char *>(data), sqlite3_column_bytes(m_stmt, col));
}

void SqliteStatement::readInto(Dataset &out, const QVector<FieldDef> &defs, int rowCountHint)
{
    out.BeginLoad(defs, rowCountHint);
    appendRows(out, defs, rowCountHint);
    out.EndLoad();
}

void SqliteStatement::appendRows(Dataset &out, const QVector<FieldDef> &defs, int rowCountHint)
{
    // How each field is filled, worked out once: from which result column (-1: none) and
    // through which kind of value.
    enum class Kind { Int, Float, Bytes, Text };
    struct Cell
    {
        Field *field;
        int column;
        Kind kind;
    };
    std::vector<int> source(size_t(defs.size()), -1);
    const int count = columnCount();
    for (int c = 0; c < count; ++c) {
        const QString name = columnName(c);
        for (int f = 0; f < defs.size(); ++f)
            if (defs[f].name == name)
                source[size_t(f)] = c;
    }
    std::vector<Cell> cells;
    for (int f = 0; f < defs.size(); ++f) {
        Kind kind = Kind::Text;
        switch (defs[f].type) {
        case FieldType::Integer:
        case FieldType::LargeInt:
        case FieldType::Boolean: kind = Kind::Int; break;
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::Date:
        case FieldType::DateTime: kind = Kind::Float; break;
        case FieldType::Blob: kind = Kind::Bytes; break;
        default: break;
        }
        cells.push_back({&out.Fields(f), source[size_t(f)], kind});
    }

    // Text sizes are known after a few rows; reserving by them saves the regrowth copies.
    constexpr int kSampleRows = 32;
    int rows = out.FieldCount() ? out.Fields(0).loadedCount() : 0;
    while (step()) {
        for (const Cell &cell : cells) {
            if (cell.column < 0) {
                // A field the query does not deliver: 0 or empty, never null.
                switch (cell.kind) {
                case Kind::Int: cell.field->appendInt(0); break;
                case Kind::Float: cell.field->appendFloat(0.0); break;
                case Kind::Bytes: cell.field->appendBytes(QByteArray()); break;
                case Kind::Text: cell.field->appendString(QStringView()); break;
                }
                continue;
            }
            switch (cell.kind) {
            case Kind::Int:
                cell.field->appendInt(sqlite3_column_int64(m_stmt, cell.column));
                break;
            case Kind::Float:
                cell.field->appendFloat(sqlite3_column_double(m_stmt, cell.column));
                break;
            case Kind::Bytes: cell.field->appendBytes(blobValue(cell.column)); break;
            case Kind::Text: {
                // Decoded from SQLite's own bytes into the column: no string per cell. The
                // blob form of a text is its UTF-8 without the copy that adds a terminator.
                sqlite3_value *value = sqlite3_column_value(m_stmt, cell.column);
                const auto *text = static_cast<const char *>(sqlite3_value_blob(value));
                cell.field->appendUtf8(text, text ? sqlite3_value_bytes(value) : 0);
                break;
            }
            }
        }
        if (++rows == kSampleRows && rowCountHint > 2 * kSampleRows)
            for (int f = 0; f < out.FieldCount(); ++f)
                out.Fields(f).reserveLikeLoaded(rowCountHint);
    }
    reset();
}

qint64 SqliteStatement::scalarInt(qint64 fallback)
{
    const qint64 v = step() && !isNull(0) ? intValue(0) : fallback;
    reset();
    return v;
}

double SqliteStatement::scalarDouble(double fallback)
{
    const double v = step() && !isNull(0) ? doubleValue(0) : fallback;
    reset();
    return v;
}

QString SqliteStatement::scalarText(const QString &fallback)
{
    const QString v = step() && !isNull(0) ? textValue(0) : fallback;
    reset();
    return v;
}
