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

// A consistent view for several reads: BEGIN (deferred, so no write lock) unless the
// connection is already inside a transaction, and its end on destruction.
class SqliteReadSnapshot
{
public:
    explicit SqliteReadSnapshot(SqliteDatabase &db) : m_db(db), m_owns(!db.inTransaction())
    {
        if (m_owns)
            m_db.execScript("BEGIN");
    }
    ~SqliteReadSnapshot()
    {
        if (m_owns) {
            try {
                m_db.execScript("COMMIT");
            } catch (...) {
            }
        }
    }
    SqliteReadSnapshot(const SqliteReadSnapshot &) = delete;
    SqliteReadSnapshot &operator=(const SqliteReadSnapshot &) = delete;

private:
    SqliteDatabase &m_db;
    bool m_owns;
};
