#pragma once
// Fast filling of a table file: rows are written straight into the SQLite file
// of a table inside one transaction, with the columns and types of the table's
// own definition. Used to make large sample data folders; the program itself
// always goes through the tables.

#include "engine/Definitions.h"

#include <QString>
#include <QVariant>
#include <QVector>
#include <memory>

class SqliteConnection;
class SqliteStatement;
class SqliteTransaction;

class TableFileWriter {
public:
    // Opens the existing table file in the folder and begins a transaction.
    TableFileWriter(const QString& folder, const TableDef& def);
    ~TableFileWriter(); // rolls back what was not committed
    TableFileWriter(const TableFileWriter&) = delete;
    TableFileWriter& operator=(const TableFileWriter&) = delete;

    // The position of a field in a row; raises EDatabaseError for an unknown name.
    int Column(const QString& field) const;
    // An empty row: one null value per field of the definition.
    QVector<QVariant> NewRow() const { return QVector<QVariant>(int(m_def.fields.size())); }
    // Writes a row given in field order (integers, bool, double, Currency, QString,
    // QDate, QTime). Text is cut to its width. Raises EDatabaseError when a required
    // field is empty or a unique index refuses the row.
    void Add(const QVector<QVariant>& row);
    // Removes every row.
    void Clear();
    void Commit();
    qint64 Count() const { return m_count; }

private:
    TableDef m_def;
    QList<int> m_columns; // stored fields in column order
    std::unique_ptr<SqliteConnection> m_conn;
    std::unique_ptr<SqliteTransaction> m_tx;
    std::unique_ptr<SqliteStatement> m_insert;
    qint64 m_count = 0;
};
