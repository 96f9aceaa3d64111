#pragma once

#include <optional>

#include "dataset.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement. Parameters are bound by 1-based position; values never become
// part of the SQL text.
class SqliteStatement
{
public:
    SqliteStatement(sqlite3 *db, const char *sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    SqliteStatement &bind(int pos, int value);
    SqliteStatement &bind(int pos, qint64 value);
    SqliteStatement &bind(int pos, double value);
    SqliteStatement &bind(int pos, const QString &value);
    SqliteStatement &bind(int pos, const QByteArray &blob);
    SqliteStatement &bindUtf8(int pos, const QByteArray &utf8);  // text already in UTF-8
    SqliteStatement &bind(int pos, const QVariant &value);
    SqliteStatement &bindNull(int pos);

    // Steps to the first row and reads it with `read` (which reads this statement), or gives
    // nothing; the statement is reset either way.
    template <typename Read> auto first(Read &&read) -> std::optional<decltype(read())>
    {
        std::optional<decltype(read())> out;
        if (step())
            out = read();
        reset();
        return out;
    }

    bool step();   // true while a row is available
    void exec();   // runs to completion
    void reset();  // ready to run again with new bindings

    int columnCount() const;
    QString columnName(int col) const;
    bool isNull(int col) const;
    qint64 intValue(int col) const;
    double doubleValue(int col) const;
    QString textValue(int col) const;
    QByteArray blobValue(int col) const;

    // Reads every remaining row into a dataset with exactly these fields. Result columns are
    // matched by name; a field the query does not deliver is filled with 0 or empty text,
    // and nulls never reach the answer.
    void readInto(Dataset &out, const QVector<FieldDef> &defs, int rowCountHint = 0);
    // The same for a dataset already loading these fields (between BeginLoad and EndLoad);
    // the rows go after those it holds. `rowCountHint` is the whole load's size.
    void appendRows(Dataset &out, const QVector<FieldDef> &defs, int rowCountHint = 0);

    // First column of the first row, or the fallback when there is no row.
    qint64 scalarInt(qint64 fallback = 0);
    double scalarDouble(double fallback = 0);
    QString scalarText(const QString &fallback = QString());

private:
    [[noreturn]] void fail(int rc) const;

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};
