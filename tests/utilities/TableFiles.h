#pragma once
// Table files for the utility tests: data folders written with the data module's own
// definitions, rows written straight into them, the rows read back as stored, and damage
// done to a copy in known ways (pages overwritten, the file cut short, the header zeroed).

#include "TestSupport.h"
#include "data/vtxDataM.h"
#include "engine/Sqlite.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTime>
#include <QVariantList>
#include <sqlite3.h>

namespace TableFiles {

// A stored row: the row id, then each column as SQLite holds it.
using StoredRow = QVariantList;

inline QString WithSeparator(const QString& folder) {
    return folder.endsWith('/') ? folder : folder + '/';
}

// A value for field f of row i: integer keys count from 1, texts carry the field's name and
// the row's number (cut to the field's width), so that every row differs from the others.
inline QVariant SampleValue(const FieldDef& f, int i) {
    static const char* names[] = {"Anderson", "Baker",     "Carlson",   "Dahl",    "Eriksen",
                                  "Fischer",  "Gunderson", "Halvorsen", "Iverson", "Jensen"};
    switch (f.type) {
    case FieldType::Integer:
        return qint64(i + 1);
    case FieldType::Short:
        return qint64(i % 30000);
    case FieldType::Logical:
        return qint64(i % 2);
    case FieldType::Number:
    case FieldType::Money:
        return double(i) * 1.25;
    case FieldType::Text:
    case FieldType::Memo: {
        const QString text = QString("%1 %2 %3").arg(f.name, names[i % 10]).arg(i);
        return f.size > 0 ? text.left(f.size) : text;
    }
    case FieldType::Date:
        return QDate(1990, 1, 1).addDays(i).toString(Qt::ISODate);
    case FieldType::Time:
        return QTime(8, 0).addSecs(60 * (i % 600)).toString("HH:mm:ss");
    }
    return {};
}

// Writes rows 0 .. count-1 of SampleValue into the table file of a data module table.
inline void FillTable(const QString& folder, const QString& table, int count, int first = 0) {
    const TableDef& def = TableDefOf(table);
    SqliteConnection conn(WithSeparator(folder) + def.tableName, false, def.tableName);
    SqliteTransaction tx(conn);
    QStringList names, marks;
    QList<const FieldDef*> fields;
    for (const FieldDef& f : def.fields) {
        if (!f.IsStoredColumn())
            continue;
        fields << &f;
        names << QuoteName(f.name);
        marks << "?";
    }
    auto insert =
        conn.Prepare(QString("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(QuoteName(def.BaseName()), names.join(", "), marks.join(", ")));
    for (int i = first; i < first + count; ++i) {
        insert->Reset();
        for (int k = 0; k < fields.size(); ++k) {
            const QVariant v = SampleValue(*fields[k], i);
            if (v.typeId() == QMetaType::Double)
                sqlite3_bind_double(insert->Handle(), k + 1, v.toDouble());
            else if (v.typeId() == QMetaType::LongLong)
                insert->BindInt64(k + 1, v.toLongLong());
            else
                insert->BindText(k + 1, v.toString());
        }
        insert->Step();
    }
    insert.reset();
    tx.Commit();
}

// Every row of a table file, in row-id order, as stored.
inline QList<StoredRow> ReadRows(const QString& path, const QString& tableName) {
    SqliteConnection conn(path, false, tableName);
    auto stmt =
        conn.Prepare(QString("SELECT rowid, * FROM %1 ORDER BY rowid").arg(QuoteName(tableName)));
    QList<StoredRow> rows;
    while (stmt->Step()) {
        StoredRow row;
        for (int c = 0; c < stmt->ColumnCount(); ++c)
            row << stmt->ColumnRaw(c);
        rows << row;
    }
    return rows;
}

// Runs a statement on a table file (to drop an index, say).
inline void Exec(const QString& path, const QString& sql) {
    SqliteConnection conn(path, false, QFileInfo(path).fileName());
    conn.Exec(sql);
}

inline int PageSizeOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray head = f.read(100);
    const int size = (quint8(head[16]) << 8) | quint8(head[17]);
    return size == 1 ? 65536 : size;
}

// Pages of a tree of the file: pagetype "leaf" or "internal", from SQLite's page statistics.
inline QList<int> PagesOf(const QString& path, const QString& tree, const QString& pageType) {
    SqliteConnection conn(path, false, QFileInfo(path).fileName());
    auto stmt = conn.Prepare("SELECT pageno FROM dbstat WHERE name = ? AND pagetype = ? "
                             "ORDER BY pageno");
    stmt->BindText(1, tree);
    stmt->BindText(2, pageType);
    QList<int> pages;
    while (stmt->Step())
        pages << int(stmt->ColumnInt64(0));
    return pages;
}

inline QByteArray ReadPage(const QString& path, int page) {
    const int size = PageSizeOf(path);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    f.seek(qint64(page - 1) * size);
    return f.read(size);
}

inline void WriteAt(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite) || !f.seek(offset) || f.write(bytes) != bytes.size())
        qFatal("cannot damage %s", qPrintable(path));
}

// Overwrites a whole page with bytes that mean nothing.
inline void OverwritePage(const QString& path, int page, quint32 seed = 7) {
    const int size = PageSizeOf(path);
    QByteArray noise(size, '\0');
    QRandomGenerator random(seed);
    for (char& c : noise)
        c = char(random.bounded(256));
    WriteAt(path, qint64(page - 1) * size, noise);
}

// The row ids held by a leaf page of a table, read before the page is damaged.
inline QList<qint64> RowidsOnLeaf(const QString& path, int page) {
    const QByteArray bytes = ReadPage(path, page);
    const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
    const int h = page == 1 ? 100 : 0;
    auto varint = [](const uchar*& q) {
        quint64 v = 0;
        for (int i = 0; i < 9; ++i) {
            const uchar b = *q++;
            if (i == 8)
                return qint64((v << 8) | b);
            v = (v << 7) | (b & 0x7f);
            if (!(b & 0x80))
                break;
        }
        return qint64(v);
    };
    QList<qint64> rowids;
    if (p[h] != 13)
        return rowids;
    const int cells = (p[h + 3] << 8) | p[h + 4];
    for (int i = 0; i < cells; ++i) {
        const uchar* q = p + ((p[h + 8 + 2 * i] << 8) | p[h + 9 + 2 * i]);
        varint(q); // the payload's size
        rowids << varint(q);
    }
    return rowids;
}

// Rows without those whose row ids are listed.
inline QList<StoredRow> Without(const QList<StoredRow>& rows, const QList<qint64>& rowids) {
    QList<StoredRow> kept;
    for (const StoredRow& r : rows)
        if (!rowids.contains(r.first().toLongLong()))
            kept << r;
    return kept;
}

// Copies every file of one folder into another (made when missing).
inline void CopyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& name : QDir(from).entryList(QDir::Files)) {
        QFile::remove(WithSeparator(to) + name);
        if (!QFile::copy(WithSeparator(from) + name, WithSeparator(to) + name))
            qFatal("cannot copy %s", qPrintable(name));
    }
}

inline QByteArray FileBytes(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace TableFiles
