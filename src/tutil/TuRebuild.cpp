#include "TuRebuild.h"

#include "TUtil32.h"
#include "TuPages.h"
#include "engine/EDatabaseError.h"
#include "engine/Sqlite.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <sqlite3.h>

namespace tutil {

namespace {

QString Count(qint64 n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

// A row that the new table refused, kept for the key-violation or problem table.
struct RefusedRow {
    qint64 rowid = 0;
    QString reason;
    QJsonObject record;
};

QVariant ReadColumn(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                              sqlite3_column_bytes(stmt, column)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, column)),
                                   sqlite3_column_bytes(stmt, column)));
    default:
        return {};
    }
}

void BindValue(sqlite3_stmt* stmt, int index, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::LongLong:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(stmt, index, value.toDouble());
        break;
    case QMetaType::QString: {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        break;
    }
    default:
        sqlite3_bind_null(stmt, index);
    }
}

QJsonValue JsonOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return QJsonValue(value.toLongLong());
    case QMetaType::Double:
        return QJsonValue(value.toDouble());
    case QMetaType::QString:
        return QJsonValue(value.toString());
    case QMetaType::QByteArray:
        return QJsonValue(QString::fromLatin1(value.toByteArray().toBase64()));
    default:
        return QJsonValue();
    }
}

// The new table file, written under a temporary name.
class NewTableFile {
public:
    NewTableFile(const QString& path, const TableDesc& target, const QList<ColumnDesc>& source)
        : m_target(target) {
        m_conn = std::make_unique<SqliteConnection>(path, true, QFileInfo(path).fileName());
        m_conn->Exec(QString("PRAGMA page_size=%1").arg(target.pageSize));
        if (target.encoding == 2)
            m_conn->Exec("PRAGMA encoding='UTF-16le'");
        else if (target.encoding == 3)
            m_conn->Exec("PRAGMA encoding='UTF-16be'");
        // A scratch file until it is complete: no journal; one sync when it is committed.
        m_conn->Exec("PRAGMA journal_mode=OFF");
        m_conn->Exec("PRAGMA synchronous=FULL");
        m_conn->Exec("BEGIN");
        m_open = true;
        m_conn->Exec(QString("PRAGMA user_version=%1").arg(target.userVersion));
        m_conn->Exec(QString("PRAGMA application_id=%1").arg(qint32(target.applicationId)));
        // Tables, then their indexes (so that a unique index refuses a row as it comes),
        // views and triggers last (no trigger runs for the rows copied).
        for (const char* kind : {"table", "index"})
            for (const ObjectDesc& o : target.objects)
                if (o.type == kind)
                    m_conn->Exec(o.sql);
        QStringList names{"rowid"}, marks{"?"};
        for (const ColumnDesc& c : target.columns) {
            if (c.rowidAlias)
                continue;
            names << QuoteName(c.name);
            marks << "?";
            int from = -1;
            for (int i = 0; i < source.size(); ++i)
                if (source[i].name.compare(c.name, Qt::CaseInsensitive) == 0)
                    from = i;
            m_map.append(from);
            m_names.append(c.name);
        }
        for (const ColumnDesc& c : source)
            if (target.ColumnIndex(c.name) < 0)
                m_droppedColumns << c.name;
        m_insert = m_conn->Prepare(
            QString("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(QuoteName(target.mainTable), names.join(", "), marks.join(", ")));
    }

    ~NewTableFile() {
        m_insert.reset();
        if (m_open)
            sqlite3_exec(m_conn->Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }

    const QStringList& DroppedColumns() const { return m_droppedColumns; }

    // Adds a row given in the source's column order. Raises RebuildError when the file
    // cannot be written.
    void Add(qint64 rowid, const QVariantList& values, RebuildOutcome& outcome) {
        sqlite3_stmt* stmt = m_insert->Handle();
        sqlite3_reset(stmt);
        sqlite3_bind_int64(stmt, 1, rowid);
        for (int i = 0; i < m_map.size(); ++i)
            BindValue(stmt, i + 2, m_map[i] >= 0 ? values.value(m_map[i]) : QVariant());
        const int rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE) {
            ++outcome.rowsKept;
            return;
        }
        const int code = sqlite3_extended_errcode(m_conn->Handle());
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_conn->Handle()));
        sqlite3_reset(stmt);
        if (code == SQLITE_CONSTRAINT_ROWID || code == SQLITE_CONSTRAINT_PRIMARYKEY) {
            ++outcome.duplicateRows;
            return;
        }
        if ((code & 0xff) != SQLITE_CONSTRAINT && (code & 0xff) != SQLITE_MISMATCH &&
            (code & 0xff) != SQLITE_TOOBIG)
            throw RebuildError{TUERR_WRITE, QStringLiteral("The rebuilt table cannot be "
                                                           "written: %1.")
                                                .arg(message)};
        RefusedRow refused;
        refused.rowid = rowid;
        refused.reason = message;
        for (int i = 0; i < m_map.size(); ++i)
            refused.record[m_names[i]] =
                JsonOf(m_map[i] >= 0 ? values.value(m_map[i]) : QVariant());
        if (code == SQLITE_CONSTRAINT_UNIQUE) {
            ++outcome.keyViolations;
            m_keyViolations.append(refused);
        } else {
            ++outcome.problemRows;
            m_problems.append(refused);
        }
    }

    // Copies the rows of the file's other tables, where they can be read.
    void CopyOtherTables(const QString& sourcePath, const RebuildTextFn& text) {
        for (const ObjectDesc& o : m_target.objects) {
            if (o.type != "table" || o.name.compare(m_target.mainTable, Qt::CaseInsensitive) == 0)
                continue;
            try {
                SqliteConnection source(sourcePath, false, QFileInfo(sourcePath).fileName());
                auto read = source.Prepare(QString("SELECT * FROM %1").arg(QuoteName(o.name)));
                const int columns = read->ColumnCount();
                QStringList marks;
                for (int i = 0; i < columns; ++i)
                    marks << "?";
                auto write = m_conn->Prepare(
                    QString("INSERT INTO %1 VALUES (%2)").arg(QuoteName(o.name), marks.join(", ")));
                while (read->Step()) {
                    write->Reset();
                    for (int i = 0; i < columns; ++i)
                        BindValue(write->Handle(), i + 1, ReadColumn(read->Handle(), i));
                    write->Step();
                }
            } catch (const EDatabaseError& error) {
                if (text)
                    text(QStringLiteral("The rows of %1 could not be copied: %2")
                             .arg(o.name, error.Message()));
            }
        }
    }

    void Commit() {
        m_insert.reset();
        for (const char* kind : {"view", "trigger"})
            for (const ObjectDesc& o : m_target.objects)
                if (o.type == kind)
                    m_conn->Exec(o.sql);
        m_conn->Exec("COMMIT");
        m_open = false;
        m_conn.reset();
    }

    const QList<RefusedRow>& KeyViolations() const { return m_keyViolations; }
    const QList<RefusedRow>& Problems() const { return m_problems; }

private:
    const TableDesc& m_target;
    std::unique_ptr<SqliteConnection> m_conn;
    std::unique_ptr<SqliteStatement> m_insert;
    QList<int> m_map; // for each written column, its place in the source's rows
    QStringList m_names;
    QStringList m_droppedColumns;
    QList<RefusedRow> m_keyViolations;
    QList<RefusedRow> m_problems;
    bool m_open = false;
};

// Adds refused rows to a key-violation or problem table (created when missing).
void WriteRefusedRows(const QString& path, const QString& tableFile,
                      const QList<RefusedRow>& rows) {
    if (rows.isEmpty())
        return;
    const QString name = QuoteName(TableNameOfFile(path));
    SqliteConnection conn(path, true, QFileInfo(path).fileName());
    conn.Exec("PRAGMA journal_mode=DELETE");
    SqliteTransaction tx(conn);
    conn.Exec(QString("CREATE TABLE IF NOT EXISTS %1 (\"TableName\" TEXT, \"RowId\" INTEGER, "
                      "\"Reason\" TEXT, \"Record\" TEXT)")
                  .arg(name));
    auto insert = conn.Prepare(QString("INSERT INTO %1 (\"TableName\", \"RowId\", \"Reason\", "
                                       "\"Record\") VALUES (?, ?, ?, ?)")
                                   .arg(name));
    for (const RefusedRow& row : rows) {
        insert->Reset();
        insert->BindText(1, tableFile);
        insert->BindInt64(2, row.rowid);
        insert->BindText(3, row.reason);
        insert->BindText(
            4, QString::fromUtf8(QJsonDocument(row.record).toJson(QJsonDocument::Compact)));
        insert->Step();
    }
    insert.reset();
    tx.Commit();
}

// Moves a file and the rollback journal beside it (a journal left beside the new file
// would be played back into it).
bool MoveWithJournal(const QString& from, const QString& to) {
    QFile::remove(to + "-journal");
    if (!QFile::rename(from, to))
        return false;
    if (QFile::exists(from + "-journal"))
        QFile::rename(from + "-journal", to + "-journal");
    return true;
}

// Reads the rows of a sound table through SQLite, in row-id order, from the table's own
// pages (an index may be the damaged part).
void CopyRows(const QString& path, const TableDesc& own, qint64 expected, NewTableFile& target,
              RebuildOutcome& outcome, const RebuildProgressFn& progress) {
    SqliteConnection conn(path, false, QFileInfo(path).fileName());
    QStringList columns{"rowid"};
    for (const ColumnDesc& c : own.columns)
        columns << QuoteName(c.name);
    auto stmt = conn.Prepare(QString("SELECT %1 FROM %2 NOT INDEXED ORDER BY rowid")
                                 .arg(columns.join(", "), QuoteName(own.mainTable)));
    QVariantList values;
    qint64 done = 0;
    int lastPercent = -1;
    while (stmt->Step()) {
        values.clear();
        for (int i = 1; i < columns.size(); ++i)
            values.append(ReadColumn(stmt->Handle(), i));
        target.Add(sqlite3_column_int64(stmt->Handle(), 0), values, outcome);
        ++done;
        const int percent = int(std::min<qint64>(100, done * 100 / std::max<qint64>(1, expected)));
        if (progress && percent != lastPercent) {
            lastPercent = percent;
            progress(percent);
        }
    }
}

// Reads the rows of a damaged table page by page: first along its tree, then from every
// leaf page of rows that no tree reaches any more.
void SalvageRows(PageFile& file, const TableDesc& layout, bool schemaReadable, NewTableFile& target,
                 RebuildOutcome& outcome, const RebuildProgressFn& progress) {
    TreeWalker walker(file);
    // The pages of the schema, the indexes and the other tables are not the table's rows.
    if (schemaReadable)
        walker.Walk(1, true);
    for (const ObjectDesc& o : layout.objects)
        if (o.root && o.name.compare(layout.mainTable, Qt::CaseInsensitive) != 0)
            walker.Walk(o.root, o.type == "table");
    const qsizetype columns = layout.columns.size();
    auto add = [&](qint64 rowid, const QVariantList& record) {
        if (record.size() > columns)
            return; // a row of some other table
        target.Add(rowid, record, outcome);
    };
    QByteArray payload;
    QVariantList values;
    QString problem;
    const ObjectDesc* main = layout.MainTable();
    const TreeReport tree = walker.Walk(
        main->root, true,
        [&](int percent) {
            if (progress)
                progress(percent * 9 / 10);
        },
        [&](const BtreePage&, const Cell& cell) {
            if (ReadPayload(file, cell, &payload, &problem) &&
                DecodeRecord(payload, file.Encoding(), &values))
                add(cell.rowid, values);
        });
    outcome.damagedPages = tree.damagedPages.size();
    ScanTableLeaves(file, walker.Used(), add, [&](int percent) {
        if (progress)
            progress(90 + percent / 10);
    });
    outcome.salvaged = true;
}

} // namespace

RebuildOutcome RebuildTableFile(const QString& path, const TableDesc& target,
                                const QString& keyViolTable, const QString& problemTable,
                                const QString& backupTable, const RebuildProgressFn& progress,
                                const RebuildTextFn& text) {
    const QString fileName = QFileInfo(path).fileName();
    auto say = [&](const QString& line) {
        if (text)
            text(line);
    };
    if (!HoldsTableOfFile(path, target.mainTable))
        throw RebuildError{TUERR_INVALIDDESC,
                           QStringLiteral("The structure describes table %1, not %2.")
                               .arg(target.mainTable, fileName)};
    say(QStringLiteral("Reading the rows of %1").arg(fileName));
    TableDesc own;
    QString why;
    const bool ownReadable = ReadTableDesc(path, &own, &why) == DescRead::Ok;
    PageFile file;
    if (!file.Open(path))
        throw RebuildError{
            TUERR_UNREADABLE,
            QStringLiteral("%1 cannot be read: %2.").arg(fileName, file.ErrorText())};
    if (!ownReadable || file.PageSize() == 0)
        file.SetGeometry(target.pageSize, target.reserved, target.encoding);
    const TableDesc& layout = ownReadable ? own : target;

    qint64 rows = 0;
    bool sound = false;
    if (ownReadable) {
        TreeWalker walker(file);
        const TreeReport tree = walker.Walk(own.MainTable()->root, true);
        sound = tree.Sound();
        rows = tree.entries;
    }

    const QString temp = path + ".rebuild";
    QFile::remove(temp);
    RebuildOutcome outcome;
    try {
        NewTableFile written(temp, target, layout.columns);
        if (sound)
            CopyRows(path, own, rows, written, outcome, progress);
        else
            SalvageRows(file, layout, ownReadable, written, outcome, progress);
        const qint64 read =
            outcome.rowsKept + outcome.duplicateRows + outcome.keyViolations + outcome.problemRows;
        if (read == 0 && (!ownReadable || outcome.damagedPages > 0))
            throw RebuildError{TUERR_UNREADABLE,
                               QStringLiteral("No row of %1 could be read.").arg(fileName)};
        if (ownReadable)
            written.CopyOtherTables(path, say);
        for (const QString& column : written.DroppedColumns())
            say(QStringLiteral("Field %1 is not part of the structure: its values are not kept.")
                    .arg(column));
        const QList<RefusedRow> keyViolations = written.KeyViolations();
        const QList<RefusedRow> problems = written.Problems();
        written.Commit();
        file.Close();
        // The new file takes the old one's place; the old one stays as the backup table.
        if (QFile::exists(backupTable) && !QFile::remove(backupTable))
            throw RebuildError{TUERR_REPLACE, QStringLiteral("The old backup table %1 cannot "
                                                             "be replaced.")
                                                  .arg(QFileInfo(backupTable).fileName())};
        if (!MoveWithJournal(path, backupTable))
            throw RebuildError{TUERR_REPLACE,
                               QStringLiteral("%1 cannot be renamed to %2.")
                                   .arg(fileName, QFileInfo(backupTable).fileName())};
        if (!QFile::rename(temp, path)) {
            MoveWithJournal(backupTable, path);
            throw RebuildError{
                TUERR_REPLACE,
                QStringLiteral("The rebuilt table cannot be renamed to %1.").arg(fileName)};
        }
        try {
            WriteRefusedRows(keyViolTable, fileName, keyViolations);
            WriteRefusedRows(problemTable, fileName, problems);
        } catch (const EDatabaseError& error) {
            say(QStringLiteral("The refused rows could not be kept: %1").arg(error.Message()));
        }
    } catch (const EDatabaseError& error) {
        QFile::remove(temp);
        throw RebuildError{TUERR_WRITE, error.Message()};
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    if (progress)
        progress(100);
    say(Count(outcome.rowsKept, "row", "rows") + " kept.");
    if (outcome.damagedPages)
        say(Count(outcome.damagedPages, "damaged page", "damaged pages") + " of the table " +
            "could not be read.");
    if (outcome.duplicateRows)
        say(Count(outcome.duplicateRows, "row", "rows") + " found twice " +
            (outcome.duplicateRows == 1 ? "was" : "were") + " kept once.");
    if (outcome.keyViolations)
        say(Count(outcome.keyViolations, "row", "rows") + " refused by a unique index " +
            (outcome.keyViolations == 1 ? "was" : "were") + " put in " +
            QFileInfo(keyViolTable).fileName() + ".");
    if (outcome.problemRows)
        say(Count(outcome.problemRows, "row", "rows") + " that could not be written " +
            (outcome.problemRows == 1 ? "was" : "were") + " put in " +
            QFileInfo(problemTable).fileName() + ".");
    say(QStringLiteral("The old table is kept as %1.").arg(QFileInfo(backupTable).fileName()));
    return outcome;
}

} // namespace tutil
