#pragma once
// The description of a table file's structure: the statements that create its table and
// indexes, where each of them begins in the file, and the file's page geometry. It is read
// from a sound file (the table's own file, the same table in the borrow-structure folder,
// or a scratch file the program writes from its own definition), passed between program
// and library as JSON text, compared by verify and followed by rebuild.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tutil {

struct ColumnDesc {
    QString name;
    QString type;
    bool rowidAlias = false; // an INTEGER PRIMARY KEY: the row id itself
};

struct ObjectDesc {
    QString type; // "table", "index", "view", "trigger"
    QString name;
    QString table; // the table an index belongs to
    quint32 root = 0;
    QString sql;
    bool unique = false;
};

struct TableDesc {
    int pageSize = 4096;
    int reserved = 0;
    int encoding = 1;
    quint32 userVersion = 0;
    quint32 applicationId = 0;
    QString mainTable;         // the table named after the file
    QList<ColumnDesc> columns; // of the main table, in order
    QList<ObjectDesc> objects; // in the order they were created; internal ones left out

    const ObjectDesc* Find(const QString& name) const; // ignoring case
    const ObjectDesc* MainTable() const;
    // The indexes of a table, in order.
    QList<const ObjectDesc*> IndexesOf(const QString& table) const;
    // The index that plays the table's primary index: its first unique index.
    const ObjectDesc* PrimaryIndex() const;
    int ColumnIndex(const QString& name) const; // ignoring case; -1 when absent

    QByteArray ToJson() const;
    static bool FromJson(const QByteArray& json, TableDesc* desc, QString* why);
};

// The name of the table a file holds: its file name without the extension.
QString TableNameOfFile(const QString& path);
// True when the file holds the table by its name: named after it, or kept by a rebuild as
// its backup table ("vtxRosterT_.DB" holds vtxRosterT).
bool HoldsTableOfFile(const QString& path, const QString& table);

enum class DescRead {
    Ok,
    Unreadable, // the file does not open or its schema cannot be read
    NoTable,    // the schema reads but describes no table at all
    OtherTable, // the file holds tables, none of them named after the file
};

// Reads the structure of a table file through SQLite, with the reason when it fails.
DescRead ReadTableDesc(const QString& path, TableDesc* desc, QString* why);

// Statements compared without regard to blanks and letter case.
bool SameSql(const QString& a, const QString& b);

} // namespace tutil
