#include "engine/Sqlite.h"

#include "engine/Collation.h"
#include "engine/EDatabaseError.h"
#include "engine/Types.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <sqlite3.h>

namespace {
constexpr int kBusyTimeoutMs = 5000;
}

SqliteConnection::SqliteConnection(const QString& path, bool create, const QString& label)
    : m_label(label) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        QString why = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EDatabaseError(QString("Cannot open table %1: %2.").arg(label, why),
                             ErrorKind::Storage);
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(m_db, 1);
    RegisterCollation(m_db);
}

SqliteConnection::~SqliteConnection() {
    if (m_db)
        sqlite3_close_v2(m_db);
}

void SqliteConnection::Exec(const QString& sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    sqlite3_free(err);
    if (rc != SQLITE_OK)
        Fail(rc, "changing");
}

std::unique_ptr<SqliteStatement> SqliteConnection::Prepare(const QString& sql) {
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &stmt, nullptr);
    if (rc != SQLITE_OK)
        Fail(rc, "reading");
    return std::make_unique<SqliteStatement>(*this, stmt);
}

void SqliteConnection::Fail(int code, const QString& doing) const {
    const int primary = code & 0xff;
    const QString detail = QString::fromUtf8(sqlite3_errmsg(m_db));
    switch (primary) {
    case SQLITE_CONSTRAINT:
        if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
            throw EDatabaseError("Key violation.", ErrorKind::KeyViolation);
        throw EDatabaseError(QString("Table %1 refused the record: %2.").arg(m_label, detail),
                             ErrorKind::Storage);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw EDatabaseError(
            QString("Table %1 is not a valid table file or is damaged: %2.").arg(m_label, detail),
            ErrorKind::Storage);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw EDatabaseError(
            QString("Table %1 is locked by another program. Try again later.").arg(m_label),
            ErrorKind::Storage);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        throw EDatabaseError(
            QString("Table %1 cannot be written: the file or its folder is read only (%2).")
                .arg(m_label, detail),
            ErrorKind::Storage);
    case SQLITE_FULL:
        throw EDatabaseError(QString("Table %1 cannot be written: the disk is full.").arg(m_label),
                             ErrorKind::Storage);
    default:
        throw EDatabaseError(QString("Error %1 table %2: %3.").arg(doing, m_label, detail),
                             ErrorKind::Storage);
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(m_stmt);
}

void SqliteStatement::Reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void SqliteStatement::BindInt64(int index, qint64 value) {
    sqlite3_bind_int64(m_stmt, index, value);
}

void SqliteStatement::BindText(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::BindUtf8(int index, const QByteArray& bytes) {
    sqlite3_bind_text(m_stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::BindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
}

void SqliteStatement::Bind(int index, const QVariant& value, FieldType type) {
    const QVariant stored = ToStorage(value, type);
    if (!stored.isValid() || stored.isNull()) {
        BindNull(index);
        return;
    }
    switch (stored.typeId()) {
    case QMetaType::LongLong:
        BindInt64(index, stored.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(m_stmt, index, stored.toDouble());
        break;
    default:
        BindText(index, stored.toString());
        break;
    }
}

int SqliteStatement::ParameterIndex(const QString& name) const {
    return sqlite3_bind_parameter_index(m_stmt, name.toUtf8().constData());
}

int SqliteStatement::ParameterCount() const {
    return sqlite3_bind_parameter_count(m_stmt);
}

QString SqliteStatement::ParameterName(int index) const {
    const char* n = sqlite3_bind_parameter_name(m_stmt, index);
    return n ? QString::fromUtf8(n) : QString();
}

bool SqliteStatement::Step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_extended_errcode(m_conn.Handle());
    sqlite3_reset(m_stmt);
    m_conn.Fail(code, "reading");
}

int SqliteStatement::ColumnCount() const {
    return sqlite3_column_count(m_stmt);
}

QString SqliteStatement::ColumnName(int column) const {
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

bool SqliteStatement::ColumnIsNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

qint64 SqliteStatement::ColumnInt64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}

double SqliteStatement::ColumnDouble(int column) const {
    return sqlite3_column_double(m_stmt, column);
}

QString SqliteStatement::ColumnText(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    const int bytes = sqlite3_column_bytes(m_stmt, column);
    return text ? QString::fromUtf8(text, bytes) : QString();
}

QVariant SqliteStatement::ColumnRaw(int column) const {
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(ColumnInt64(column)));
    case SQLITE_FLOAT:
        return QVariant(ColumnDouble(column));
    case SQLITE_NULL:
        return {};
    default:
        return QVariant(ColumnText(column));
    }
}

QVariant SqliteStatement::Column(int column, FieldType type) const {
    if (ColumnIsNull(column))
        return {};
    switch (type) {
    case FieldType::Integer:
    case FieldType::Short:
        return QVariant(qint64(ColumnInt64(column)));
    case FieldType::Logical:
        return QVariant(ColumnInt64(column) != 0);
    case FieldType::Number:
        return QVariant(ColumnDouble(column));
    case FieldType::Money:
        return QVariant::fromValue(Currency::FromDouble(ColumnDouble(column)));
    case FieldType::Text:
    case FieldType::Memo: {
        QString s = ColumnText(column);
        return s.isEmpty() ? QVariant() : QVariant(s);
    }
    case FieldType::Date: {
        const QDate d = QDate::fromString(ColumnText(column), Qt::ISODate);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldType::Time: {
        const QString s = ColumnText(column);
        QTime t = QTime::fromString(s, "HH:mm:ss");
        if (!t.isValid())
            t = QTime::fromString(s, "HH:mm:ss.zzz");
        return t.isValid() ? QVariant(t) : QVariant();
    }
    }
    return {};
}

QString QuoteName(const QString& name) {
    QString q = name;
    q.replace('"', "\"\"");
    return '"' + q + '"';
}

QString SqlColumnType(FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::Short:
    case FieldType::Logical:
        return "INTEGER";
    case FieldType::Number:
    case FieldType::Money:
        return "REAL";
    default:
        return "TEXT";
    }
}

QVariant ToStorage(const QVariant& value, FieldType type) {
    if (!value.isValid() || value.isNull())
        return {};
    switch (type) {
    case FieldType::Integer:
    case FieldType::Short:
        return QVariant(qint64(value.toLongLong()));
    case FieldType::Logical:
        return QVariant(qint64(value.toBool() ? 1 : 0));
    case FieldType::Number:
        return QVariant(value.toDouble());
    case FieldType::Money:
        return QVariant(VariantToCurrency(value).ToDouble());
    case FieldType::Text:
    case FieldType::Memo:
        return value.toString().isEmpty() ? QVariant() : QVariant(value.toString());
    // A date or time that is no valid one is stored as empty, never as an empty text.
    case FieldType::Date: {
        const QDate date = value.toDate();
        return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant();
    }
    case FieldType::Time: {
        const QTime time = value.toTime();
        return time.isValid() ? QVariant(time.toString("HH:mm:ss")) : QVariant();
    }
    }
    return {};
}

SqliteTransaction::SqliteTransaction(SqliteConnection& connection) : m_conn(connection) {
    m_conn.Exec("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (!m_done)
        sqlite3_exec(m_conn.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteTransaction::Commit() {
    m_conn.Exec("COMMIT");
    m_done = true;
}
