#pragma once
// Table definitions as data: fields, indexes and the table file. One list of
// these creates the files, opens the tables and drives verify and rebuild.

#include <QList>
#include <QString>
#include <QStringList>

enum class FieldType { Integer, Short, Logical, Number, Money, Text, Memo, Date, Time };
enum class FieldKind { Data, Calculated, Lookup };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // width of a text field
    bool required = false;
    FieldKind kind = FieldKind::Data;
    // A calculated field whose value is also written to its own column on every post.
    bool stored = false;
    // Lookup fields: this table's key fields, the other table's key fields and the
    // field read from there (the other table is set on the open table).
    QString keyFields;
    QString lookupKeyFields;
    QString lookupResultField;

    bool IsStoredColumn() const { return kind == FieldKind::Data || stored; }
};

struct IndexDef {
    QString name;
    QStringList fields;
    bool primary = false; // the primary index: unique, compares text exactly
    bool unique = false;
};

struct TableDef {
    QString tableName; // the table file name, "vtxRosterT.DB"
    QList<FieldDef> fields;
    QList<IndexDef> indexes;

    QString BaseName() const; // "vtxRosterT": the name of the table inside its file
    const IndexDef* PrimaryIndex() const;
    const IndexDef* FindIndex(const QString& name) const; // case-insensitive
    const FieldDef* FindField(const QString& name) const; // case-insensitive
};

// Field helpers used by definitions written as data.
FieldDef IntegerField(const QString& name, bool required = false);
FieldDef ShortField(const QString& name, bool required = false);
FieldDef LogicalField(const QString& name, bool required = false);
FieldDef NumberField(const QString& name, bool required = false);
FieldDef MoneyField(const QString& name, bool required = false);
FieldDef TextField(const QString& name, int size, bool required = false);
FieldDef MemoField(const QString& name, bool required = false);
FieldDef DateField(const QString& name, bool required = false);
FieldDef TimeField(const QString& name, bool required = false);
IndexDef PrimaryIndexDef(const QString& name, const QStringList& fields);
IndexDef SecondaryIndexDef(const QString& name, const QStringList& fields, bool unique = false);

QString FieldTypeName(FieldType type); // "integer", "text", ...
