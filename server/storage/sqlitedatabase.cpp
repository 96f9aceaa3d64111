#include "sqlitedatabase.h"

#include "storageerror.h"

#include <sqlite3.h>

SqliteDatabase::SqliteDatabase(const QString &path, int busyTimeoutMs)
{
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_close(m_db);
        m_db = nullptr;
        throw StorageError(QStringLiteral("Veritabanı açılamadı: %1 (%2)").arg(path, message));
    }
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
    sqlite3_extended_result_codes(m_db, 1);
    execScript("PRAGMA journal_mode=WAL;"
               "PRAGMA synchronous=FULL;"
               "PRAGMA foreign_keys=ON;"
               "PRAGMA temp_store=MEMORY;"
               // Searches touch much of the stock table; reading it through a mapping
               // saves a system call and a copy per page.
               "PRAGMA mmap_size=1073741824;");
}

SqliteDatabase::~SqliteDatabase()
{
    m_statements.clear();
    sqlite3_close(m_db);
}

void SqliteDatabase::execScript(const char *sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
        sqlite3_free(error);
        throw StorageError(QStringLiteral("Veritabanı hatası: %1").arg(message),
                           (rc & 0xff) == SQLITE_BUSY);
    }
}

SqliteStatement &SqliteDatabase::prepare(const char *sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, std::make_unique<SqliteStatement>(m_db, sql)).first;
    it->second->reset();
    return *it->second;
}

qint64 SqliteDatabase::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int SqliteDatabase::changes() const
{
    return sqlite3_changes(m_db);
}

bool SqliteDatabase::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}
