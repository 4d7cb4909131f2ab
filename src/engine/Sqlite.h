#pragma once
// A thin RAII layer over the SQLite C API: one connection per table file,
// prepared statements with bound values (no text is ever spliced into SQL).

#include "engine/Definitions.h"

#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

class SqliteStatement;

class SqliteConnection {
public:
    // Opens an existing file (create = false) or creates it. Raises EDatabaseError
    // naming `label` when the file cannot be opened.
    SqliteConnection(const QString& path, bool create, const QString& label);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* Handle() const { return m_db; }
    const QString& Label() const { return m_label; }
    void Exec(const QString& sql); // statements without results
    std::unique_ptr<SqliteStatement> Prepare(const QString& sql);
    // Raises the EDatabaseError for the connection's last error code, naming the table.
    [[noreturn]] void Fail(int code, const QString& doing) const;

private:
    sqlite3* m_db = nullptr;
    QString m_label;
};

class SqliteStatement {
public:
    SqliteStatement(SqliteConnection& connection, sqlite3_stmt* stmt)
        : m_conn(connection), m_stmt(stmt) {}
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    void Reset(); // ready to run again, bindings cleared
    // Binds a value held in the engine's storage form for the given field type.
    void Bind(int index, const QVariant& value, FieldType type);
    void BindInt64(int index, qint64 value);
    void BindText(int index, const QString& value);
    // Binds bytes as text as they are (range bounds of the collation are no valid UTF-8).
    void BindUtf8(int index, const QByteArray& bytes);
    void BindNull(int index);
    int ParameterIndex(const QString& name) const; // 0 when absent
    int ParameterCount() const;
    QString ParameterName(int index) const;
    bool Step(); // true while a row is ready; raises on an error
    int ColumnCount() const;
    QString ColumnName(int column) const;
    bool ColumnIsNull(int column) const;
    qint64 ColumnInt64(int column) const;
    double ColumnDouble(int column) const;
    QString ColumnText(int column) const;
    // Reads a column into the engine's storage form for the field type.
    QVariant Column(int column, FieldType type) const;
    // Reads a column as it is stored (integer, real, text or null).
    QVariant ColumnRaw(int column) const;
    sqlite3_stmt* Handle() const { return m_stmt; }

private:
    SqliteConnection& m_conn;
    sqlite3_stmt* m_stmt;
};

// Quotes an identifier for SQL ("Phone 1" -> "\"Phone 1\"").
QString QuoteName(const QString& name);
// The SQL column type for a field type.
QString SqlColumnType(FieldType type);
// Storage form <-> SQLite: dates as YYYY-MM-DD, times as HH:MM:SS, money as REAL.
QVariant ToStorage(const QVariant& value, FieldType type);

// Begins a transaction and rolls it back unless committed.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection& connection);
    ~SqliteTransaction();
    void Commit();

private:
    SqliteConnection& m_conn;
    bool m_done = false;
};
