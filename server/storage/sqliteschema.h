#pragma once

class SqliteDatabase;

// The schema as numbered migrations kept in code; PRAGMA user_version records how far a
// database has come.
class SqliteSchema
{
public:
    static int latestVersion();
    // Brings the database up to the latest version, each step in its own transaction.
    static void migrate(SqliteDatabase &db);
};
