#pragma once
// A table: one SQLite file in the data folder holding one table and its indexes.

#include "engine/DataSet.h"

#include <QHash>
#include <functional>
#include <memory>

class DataSource;
class SqliteConnection;
class SqliteStatement;

// The SQL condition that finds the rows whose fields equal the numbered parameters
// ?first, ?first+1, ...: an exact comparison per field, with the terms that let the
// table file's indexes serve it (the case-insensitive index of a text field, the
// expression of a unique index that begins with the field).
QString KeyConditionSql(const TableDef& def, const QStringList& fields, int first = 1);

// The terms of an index as the table file holds it (and as an ORDER BY that the index
// serves must write them): a unique index counts an empty field as an empty text, and a
// secondary index compares text without regard to case.
QStringList IndexTerms(const TableDef& def, const IndexDef& index);

// The statement that creates an index as the table file holds it.
QString CreateIndexSql(const TableDef& def, const IndexDef& index);

// Told while a table file written under another order of text has its indexes rebuilt
// when it is opened: the table file's name, the indexes done and their number (0 of n
// before the first). At most one listener; an empty function removes it.
using TableUpgradeProgress = std::function<void(const QString& table, int done, int total)>;
void SetTableUpgradeProgress(TableUpgradeProgress progress);

class Table : public DataSet {
public:
    explicit Table(const TableDef& def, const QString& name = {});
    ~Table() override;

    QString DatabaseName; // a named database ("VTX2Database") or an alias ("Vestrix2")
    const TableDef& Def() const { return m_def; }
    const QString& TableName() const { return m_def.tableName; }
    QString FilePath() const; // in the data folder of DatabaseName
    bool Exists() const;
    // Creates the table file with its fields and indexes; raises when it exists.
    void CreateTable();
    // The small table inside each table file that keeps the largest row id ever
    // given, so that the id of a deleted row is never given again.
    static QString RowIdTableName() { return QStringLiteral("vtxLastRowId"); }

    // Damage found in the table file (by the integrity check): posts and deletes
    // are refused, naming it, until the table is opened again (after repair).
    void SetDamaged(const QString& detail) { m_damage = detail; }
    const QString& Damage() const { return m_damage; }

    // Index order. An empty name is the primary index (or the order of entry).
    QString IndexName() const { return m_indexName; }
    void SetIndexName(const QString& name);
    QString IndexFieldNames() const { return m_indexFields; }
    void SetIndexFieldNames(const QString& fields); // "LName;Suffix"

    // Master-detail link on one or two fields (separated by ';'); the detail
    // fields default to the same names.
    DataSource* MasterSource() const { return m_master; }
    void SetMasterSource(DataSource* source);
    QString MasterFields() const { return m_masterFields.join(';'); }
    void SetMasterFields(const QString& fields);
    void SetDetailFields(const QString& fields);

    // Filter: "Field = value" terms joined by "and"; values true, false, numbers
    // or quoted text. Raises for an expression it cannot read.
    QString Filter() const { return m_filter; }
    void SetFilter(const QString& expression);
    bool Filtered() const { return m_filtered; }
    void SetFiltered(bool on);

    // The table a lookup field reads from.
    void SetLookupTable(const QString& field, Table* table);
    // The result field of the first row whose key fields equal the values,
    // without moving the cursor; null when there is none.
    QVariant Lookup(const QString& keyFields, const QVariantList& keyValues,
                    const QString& resultField);
    // Incremental finder: moves to the first row whose field begins with the text
    // (case ignored, accents as MatchPrefix sets them aside), taken in the order of the
    // named index (the table's own order is kept) or else in the current order; only
    // rows of the current view (filter, link) are found. False (cursor kept) when none.
    bool FindPrefix(const QString& field, const QString& prefix, const QString& indexName = {});

    // Removes every row at once; works on a closed table too.
    void EmptyTable();
    // Number of rows in the file, ignoring filter and link.
    int StoredRowCount();
    // The largest value of a field over every row of the file, ignoring filter and
    // link; null for an empty table. Works on a closed table too.
    QVariant MaxValue(const QString& field);

    // Called by the master data source when its row may have changed.
    void MasterChanged();

protected:
    void DoOpen() override;
    void DoClose() override;
    QVector<qint64> LoadRowIds() override;
    bool ReadRow(qint64 rowId, QVector<QVariant>& values) override;
    qint64 StoreRow(qint64 rowId, const QVector<QVariant>& values,
                    const QVector<QVariant>* original) override;
    void RemoveRow(qint64 rowId, const QVector<QVariant>* original) override;
    void RowsStored() override;
    QString StorageName() const override { return m_def.tableName; }
    int InsertPosition(qint64 rowId, const QVector<QVariant>& values) override;
    bool RowSelected(const QVector<QVariant>& values) const override;
    void InitNewRow(QVector<QVariant>& values) override;
    qint64 FindRow(const QStringList& fields, const QVariantList& values,
                   LocateOptions options) override;
    void ComputeLookups(QVector<QVariant>& values) override;

private:
    friend class TableScan; // reads the view's rows in one statement
    struct OrderTerm {
        int field;
        bool noCase;
        bool nullAsText;
    };
    struct Condition {
        int field;
        QVariant value;
        bool never = false; // a value the field cannot hold: no row is selected
    };

    QString Label() const;
    // The first row of the view, in the given order, that matches as Locate does.
    qint64 FindFirst(const QStringList& fields, const QVariantList& values, LocateOptions options,
                     const QString& orderSql);
    void CheckStructure();
    // Refuses a change to a table that is damaged or whose file is read only.
    void CheckWritable();
    // Inside a write transaction: the id for a new row, one more than the largest
    // row id in the file or in the record; the record is kept before rows are
    // removed (only a removal can make an id free again).
    qint64 NextRowId();
    void RememberLastRowId(qint64 last);
    // Inside a write transaction: false when the row is no longer there; raises
    // ErrorKind::RowChanged when it no longer holds the values it was read with.
    bool StillAsRead(qint64 rowId, const QVector<QVariant>& original, const QString& changed);
    // Counts commits made to the file through other connections (other users).
    qint64 DataVersion();
    void UpgradeFile(); // rebuilds the indexes of a file written under another order
    void BuildOrder();
    QString OrderSql() const;
    QString WhereSql(QList<Condition>& conditions) const;
    void BindConditions(SqliteStatement& stmt, const QList<Condition>& conditions, int first);
    QList<Condition> Conditions() const;
    int CompareKeys(const QVector<QVariant>& a, qint64 ida, const QVector<QVariant>& b,
                    qint64 idb) const;
    int BinarySearch(qint64 rowId, const QVector<QVariant>& values);
    int IndexOfRow(qint64 rowId) override;
    QVariantList CurrentLinkValues() const;
    void PostBeforeSelectionChange();
    void ChangeSelection(); // index, filter or link changed: reload keeping the row
    SqliteConnection& Conn();
    SqliteStatement& Cached(const QString& sql);

    TableDef m_def;
    QString m_indexName;
    QString m_indexFields;
    QList<OrderTerm> m_order;
    DataSource* m_master = nullptr;
    QStringList m_masterFields;
    QStringList m_detailFields;
    QVariantList m_linkValues;
    QString m_filter;
    bool m_filtered = false;
    QList<Condition> m_filterTerms;
    QHash<QString, Table*> m_lookupTables;
    QList<Table*> m_lookupUsers; // the tables whose lookup fields read this one
    void LookupSourceChanged();
    void TellLookupUsers();
    QList<int> m_storedFields; // field indexes written to the file, in column order
    QString m_path;
    qint64 m_listedVersion = -1; // DataVersion() when the row list was read
    bool m_hasRowIdTable = false;
    QString m_nextIdSql, m_rememberIdSql;
    QString m_damage;
    bool m_writable = false; // the file was found writable since it was opened
    std::unique_ptr<SqliteConnection> m_conn;
    QHash<QString, std::shared_ptr<SqliteStatement>> m_statements;
    class Database* m_database = nullptr;
};
