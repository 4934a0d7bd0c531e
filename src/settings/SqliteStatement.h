#pragma once

#include <QString>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

// One prepared statement, finalised on destruction. Errors stay in the connection (sqlite3_errmsg).
class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, const char* sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool isValid() const { return m_stmt != nullptr; }

    SqliteStatement& bind(int index, qint64 value);
    SqliteStatement& bind(int index, const QString& value);
    SqliteStatement& bindNull(int index);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    // Runs to completion; true when it finished without error.
    bool run();
    // Ready to run again with new bindings.
    void reset();

    qint64 integer(int column) const;
    QString text(int column) const;
    bool isNull(int column) const;

private:
    sqlite3_stmt* m_stmt = nullptr;
};
