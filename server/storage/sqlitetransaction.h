#pragma once

#include "sqlitedatabase.h"

// BEGIN IMMEDIATE on construction, ROLLBACK unless commit() was reached. Taking the write
// lock up front means a busy database waits at the start, never half way through.
class SqliteTransaction
{
public:
    explicit SqliteTransaction(SqliteDatabase &db) : m_db(db)
    {
        m_db.execScript("BEGIN IMMEDIATE");
    }
    ~SqliteTransaction()
    {
        if (!m_done) {
            try {
                m_db.execScript("ROLLBACK");
            } catch (...) {
            }
        }
    }
    SqliteTransaction(const SqliteTransaction &) = delete;
    SqliteTransaction &operator=(const SqliteTransaction &) = delete;

    void commit()
    {
        m_db.execScript("COMMIT");
        m_done = true;
    }

private:
    SqliteDatabase &m_db;
    bool m_done = false;
};
