#include "engine/TableCheck.h"

#include "engine/EDatabaseError.h"
#include "engine/Sqlite.h"

#include <QDate>
#include <QStringList>
#include <QTime>
#include <chrono>
#include <memory>
#include <sqlite3.h>
#include <thread>

namespace {

bool IsCancelled(const std::atomic_bool* cancel) {
    return cancel && cancel->load();
}

int ProgressHandler(void* flag) {
    return IsCancelled(static_cast<const std::atomic_bool*>(flag)) ? 1 : 0;
}

void Utf8Function(sqlite3_context* context, int, sqlite3_value** argv) {
    const auto* text = static_cast<const unsigned char*>(sqlite3_value_blob(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    sqlite3_result_int(context, !text || IsValidUtf8(text, bytes) ? 1 : 0);
}

QString Words(int code, const QString& fallback) {
    switch (code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("it is not a valid table file");
    default:
        return fallback;
    }
}

} // namespace

QString BadValueCondition(const QString& column, FieldType type) {
    const QString c = QuoteName(column);
    switch (type) {
    case FieldType::Integer:
    case FieldType::Short:
    case FieldType::Logical:
    case FieldType::Number:
    case FieldType::Money:
        return QString("typeof(%1) NOT IN ('null', 'integer', 'real')").arg(c);
    case FieldType::Text:
    case FieldType::Memo:
        return QString("typeof(%1) NOT IN ('null', 'text') OR NOT vtx_utf8(%1)").arg(c);
    case FieldType::Date:
        // A modifier makes SQLite carry a day past the month's end ('2024-02-30' becomes
        // '2024-03-01'), so such a day is told from a real one.
        return QString("typeof(%1) NOT IN ('null', 'text') OR NOT vtx_utf8(%1) OR "
                       "(%1 <> '' AND (date(%1, '+0 days') IS NOT %1 OR %1 < '0001'))")
            .arg(c);
    case FieldType::Time:
        return QString("typeof(%1) NOT IN ('null', 'text') OR NOT vtx_utf8(%1) OR "
                       "(%1 <> '' AND time(%1) IS NOT substr(%1, 1, 8))")
            .arg(c);
    }
    return "0";
}

void AddValueFunctions(sqlite3* db) {
    sqlite3_create_function(db, "vtx_utf8", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            Utf8Function, nullptr, nullptr);
}

bool ValueFitsField(const QVariant& value, FieldType type) {
    if (!value.isValid() || value.isNull())
        return true;
    const int id = value.typeId();
    const bool number =
        id == QMetaType::LongLong || id == QMetaType::Int || id == QMetaType::Double;
    switch (type) {
    case FieldType::Integer:
    case FieldType::Short:
    case FieldType::Logical:
    case FieldType::Number:
    case FieldType::Money:
        return number;
    case FieldType::Text:
    case FieldType::Memo:
        return id == QMetaType::QString;
    case FieldType::Date: {
        if (id != QMetaType::QString)
            return false;
        const QString text = value.toString();
        return text.isEmpty() ||
               (text.size() == 10 && QDate::fromString(text, Qt::ISODate).isValid());
    }
    case FieldType::Time: {
        if (id != QMetaType::QString)
            return false;
        const QString text = value.toString();
        return text.isEmpty() ||
               (QTime::fromString(text.left(8), QStringLiteral("HH:mm:ss")).isValid() &&
                (text.size() == 8 || QTime::fromString(text, Qt::ISODateWithMs).isValid()));
    }
    }
    return false;
}

QString CheckTableFile(const TableDef& def, const QString& path, const std::atomic_bool* cancel) {
    // Both connections are the engine's own, set up as every table file's are.
    std::unique_ptr<SqliteConnection> source;
    std::unique_ptr<SqliteConnection> copy;
    try {
        source = std::make_unique<SqliteConnection>(path, false, def.tableName);
        copy = std::make_unique<SqliteConnection>(QString(), true, def.tableName);
    } catch (const EDatabaseError&) {
        return QStringLiteral("it cannot be opened");
    }
    // The copy is kept in memory as far as it goes (its cache is as large as a big
    // parish's gift table), so checking it reads no disk.
    copy->Exec("PRAGMA cache_size = -262144");
    // The copy: one step, so the file is held only while its pages are read. A save
    // of another user in progress makes it wait and try again.
    int rc = SQLITE_BUSY;
    for (int attempt = 0; attempt < 50 && !IsCancelled(cancel); ++attempt) {
        sqlite3_backup* backup =
            sqlite3_backup_init(copy->Handle(), "main", source->Handle(), "main");
        if (!backup)
            return Words(sqlite3_extended_errcode(copy->Handle()), {});
        rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (rc != SQLITE_DONE)
        return rc == SQLITE_BUSY || rc == SQLITE_LOCKED || IsCancelled(cancel)
                   ? QString()
                   : Words(rc, QStringLiteral("it cannot be read"));
    source.reset();

    sqlite3* c = copy->Handle();
    sqlite3_progress_handler(c, 10000, ProgressHandler, const_cast<std::atomic_bool*>(cancel));
    AddValueFunctions(c);
    sqlite3_stmt* stmt = nullptr;
    QStringList problems;
    if (sqlite3_prepare_v2(c, "PRAGMA integrity_check(20)", -1, &stmt, nullptr) == SQLITE_OK) {
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            const QString line =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            if (line != "ok")
                problems << line;
        }
        sqlite3_finalize(stmt);
        if (rc == SQLITE_INTERRUPT)
            return {};
        if (rc != SQLITE_DONE)
            return Words(rc, QStringLiteral("its file structure is damaged"));
    }
    for (const QString& problem : problems)
        if (!problem.contains("missing from index") && !problem.contains("wrong # of entries"))
            return QStringLiteral("its file structure is damaged");
    if (!problems.isEmpty())
        return QStringLiteral("its indexes do not match its records");

    QStringList conditions;
    for (const FieldDef& f : def.fields)
        if (f.kind == FieldKind::Data)
            conditions << "(" + BadValueCondition(f.name, f.type) + ")";
    if (conditions.isEmpty())
        return {};
    const QString sql = QString("SELECT COUNT(*) FROM %1 WHERE %2")
                            .arg(QuoteName(def.BaseName()), conditions.join(" OR "));
    if (sqlite3_prepare_v2(c, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        return QStringLiteral("its structure is not that of the table");
    qint64 bad = 0;
    rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW)
        bad = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    if (rc == SQLITE_INTERRUPT)
        return {};
    if (rc != SQLITE_ROW)
        return Words(rc, QStringLiteral("its records cannot be read"));
    if (bad == 1)
        return QStringLiteral("a record in it cannot be read");
    if (bad > 1)
        return QStringLiteral("%1 records in it cannot be read").arg(bad);
    return {};
}
