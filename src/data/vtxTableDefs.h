#pragma once
// The congregation database written once, as data: every table with its file,
// fields, indexes, the index and master link in force at start, and every stored
// query. This one list creates the table files, opens the tables of the data
// module, drives verify and rebuild, and feeds the tests and the sample parishes.

#include "engine/Definitions.h"

#include <QList>
#include <QString>
#include <QStringList>

// The named database of the data module and the alias that names the data folder.
extern const QString VTX2DatabaseName; // "VTX2Database"
extern const QString VTX2AliasName;    // "Vestrix2"

struct DataTableDef {
    QString name;       // the data module's component name: "RosterT"
    QString sourceName; // its data source: "RosterS"
    TableDef def;       // file name, fields, indexes
    // Opened through the alias instead of the named database (a second connection
    // to the same folder that closing the database's data sets leaves open).
    bool throughAlias = false;
    QString indexName;    // active index at start; empty: the primary index
    QString masterSource; // data source of the master at start; empty: no master
    QString masterFields; // link fields, "RecordNumber" or "WorshipDate;WorshipTime"
    // A lookup field and the component name of the table it reads from.
    QString lookupField;
    QString lookupTable;
};

struct DataQueryDef {
    QString name;       // "GivingEnvelopeQ"
    QString sourceName; // "GivingEnvelopeS"
    QStringList sql;    // the text, line by line
    QString tableName;  // component name of the table it reads, for the field types
};

// Every table of the data module, in a fixed order (roster and member records
// first, then ministries, worship, music, stewardship and attendance).
const QList<DataTableDef>& DataTableDefs();
// A table by component name ("RosterT") or file name ("vtxRosterT.DB"),
// ignoring letter case; null when there is none.
const DataTableDef* FindDataTableDef(const QString& name);
// The table definition of a component; raises EDatabaseError for an unknown name.
const TableDef& TableDefOf(const QString& name);

// Every stored query of the data module.
const QList<DataQueryDef>& DataQueryDefs();
const DataQueryDef* FindDataQueryDef(const QString& name);

// The data sets that start-up opens, in the order it opens them.
const QStringList& StartupOpenOrder();
