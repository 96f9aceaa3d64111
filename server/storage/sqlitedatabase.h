#pragma once

#include "sqlitestatement.h"

#include <QString>

#include <memory>
#include <unordered_map>

struct sqlite3;

// One SQLite connection: WAL, synchronous=FULL, a busy time-out and a cache of prepared
// statements keyed by their SQL text.
class SqliteDatabase
{
public:
    explicit SqliteDatabase(const QString &path, int busyTimeoutMs = 10000);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    // Fixed SQL without parameters (schema, pragmas). Never pass text built from input.
    void execScript(const char *sql);

    // A cached statement, reset and ready for new bindings. The SQL must be a literal.
    SqliteStatement &prepare(const char *sql);

    qint64 lastInsertId() const;
    int changes() const;
    bool inTransaction() const;
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
    std::unordered_map<const char *, std::unique_ptr<SqliteStatement>> m_statements;
};
