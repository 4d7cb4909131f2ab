#pragma once
// One pass over the rows of a table's view.
//
// A walk with the cursor reads its rows one statement each and tells every control and
// rule of every move. A report over a million rows needs neither: TableScan reads the
// rows the table lists (its index order, filter and master link, as the cursor would
// meet them), each with its calculated and lookup fields, with a single statement, and
// leaves the cursor, the row list and the controls alone.
//
//   TableScan scan(*DataMod->EnvelopeOfferingT);
//   while (scan.Next())
//       total += VariantToCurrency(scan.Value(amount));
//
// The scan reads what the table file holds: a row being inserted or edited is not in it
// until it is posted (post it first with CheckBrowseMode). The table must stay open
// while the scan lives; rows stored during the scan may or may not be met.

#include <QVariant>
#include <QVector>
#include <memory>

class Field;
class SqliteStatement;
class Table;

class TableScan {
public:
    // Ready before the first row. Raises when the table is closed.
    explicit TableScan(Table& table);
    ~TableScan();
    TableScan(const TableScan&) = delete;
    TableScan& operator=(const TableScan&) = delete;

    // Moves to the next row (the first row on the first call); false after the last.
    bool Next();
    // The row id of the current row (a bookmark of the table); 0 before the first row
    // and after the last.
    qint64 RowId() const { return m_rowId; }
    // The values of the current row by field index, in the storage form of DataSet.
    const QVector<QVariant>& Values() const { return m_values; }
    QVariant Value(const Field* field) const;
    // The rows met so far.
    int RowsRead() const { return m_rowsRead; }

private:
    Table& m_table;
    std::unique_ptr<SqliteStatement> m_statement;
    QList<int> m_columns; // the field index of each column after the row id
    QVector<QVariant> m_values;
    qint64 m_rowId = 0;
    int m_rowsRead = 0;
    bool m_done = false;
};
