#include "engine/Table.h"

#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Sqlite.h"
#include "engine/TableSql.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

using namespace TableSql;

namespace {

bool IsNumeric(FieldType t) {
    return t == FieldType::Integer || t == FieldType::Short || t == FieldType::Logical ||
           t == FieldType::Number || t == FieldType::Money;
}

double NumberOf(const QVariant& v, FieldType t) {
    if (t == FieldType::Money)
        return VariantToCurrency(v).ToDouble();
    if (t == FieldType::Logical)
        return v.toBool() ? 1.0 : 0.0;
    return v.toDouble();
}

QByteArray TextOf(const QVariant& v, FieldType t) {
    return ToStorage(v, t).toString().toUtf8();
}

// Text as SQLite's BINARY compares it: by the bytes of its UTF-8 form.
int CompareBytes(const QByteArray& a, const QByteArray& b) {
    const int c = std::memcmp(a.constData(), b.constData(), size_t(std::min(a.size(), b.size())));
    if (c)
        return c < 0 ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Compares two values as SQLite orders them: null, numbers, then text.
int CompareValues(const QVariant& a, const QVariant& b, FieldType type, bool noCase,
                  bool nullAsText) {
    auto rank = [&](const QVariant& v) {
        if (IsNull(v))
            return nullAsText ? 2 : 0;
        return IsNumeric(type) ? 1 : 2;
    };
    const int ra = rank(a), rb = rank(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    if (ra == 0)
        return 0;
    if (ra == 1) {
        const double x = NumberOf(a, type), y = NumberOf(b, type);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (noCase)
        return CompareText(IsNull(a) ? QString() : a.toString(),
                           IsNull(b) ? QString() : b.toString());
    const QByteArray x = IsNull(a) ? QByteArray() : TextOf(a, type);
    const QByteArray y = IsNull(b) ? QByteArray() : TextOf(b, type);
    return CompareBytes(x, y);
}

bool SameValue(const QVariant& a, const QVariant& b, FieldType type) {
    if (IsNull(a) || IsNull(b))
        return false; // as SQL: null equals nothing
    return CompareValues(a, b, type, false, false) == 0;
}

} // namespace

Table::Table(const TableDef& def, const QString& name) : DataSet(name), m_def(def) {
    SetFieldDefs(def.fields);
    for (int i = 0; i < def.fields.size(); ++i)
        if (def.fields[i].IsStoredColumn())
            m_storedFields.append(i);
}

Table::~Table() {
    for (Table* source : std::as_const(m_lookupTables))
        if (source)
            source->m_lookupUsers.removeAll(this);
    for (Table* user : std::as_const(m_lookupUsers))
        for (auto it = user->m_lookupTables.begin(); it != user->m_lookupTables.end(); ++it)
            if (*it == this)
                *it = nullptr;
    if (m_master)
        m_master->RemoveDetail(this);
    if (m_database)
        m_database->UnregisterDataSet(this);
}

QString Table::Label() const {
    return Name.isEmpty() ? m_def.tableName : m_def.tableName;
}

QString Table::FilePath() const {
    return ResolveDataFolder(DatabaseName) + m_def.tableName;
}

bool Table::Exists() const {
    try {
        return QFileInfo::exists(FilePath());
    } catch (const EDatabaseError&) {
        return false;
    }
}

SqliteConnection& Table::Conn() {
    if (!m_conn)
        throw EDatabaseError(QString("Table %1 is not open.").arg(Label()));
    return *m_conn;
}

SqliteStatement& Table::Cached(const QString& sql) {
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.insert(sql, std::shared_ptr<SqliteStatement>(Conn().Prepare(sql)));
    (*it)->Reset();
    return **it;
}

// ---- creating and opening -------------------------------------------------------

void Table::CreateTable() {
    const QString path = FilePath();
    if (QFileInfo::exists(path))
        throw EDatabaseError(QString("Table %1 already exists.").arg(Label()), ErrorKind::Storage);
    SqliteConnection conn(path, true, Label());
    conn.Exec("PRAGMA journal_mode=DELETE");
    SqliteTransaction tx(conn);
    QStringList columns;
    for (int i : m_storedFields) {
        const FieldDef& f = m_def.fields[i];
        columns << QuoteName(f.name) + " " + SqlColumnType(f.type);
    }
    const QString table = QuoteName(m_def.BaseName());
    conn.Exec(QString("CREATE TABLE %1 (%2)").arg(table, columns.join(", ")));
    conn.Exec(QString("CREATE TABLE %1 (\"LastId\" INTEGER)").arg(QuoteName(RowIdTableName())));
    for (const IndexDef& index : m_def.indexes) {
        for (const QString& name : index.fields)
            if (!m_def.FindField(name))
                throw EDatabaseError(QString("Index %1 of %2 names an unknown field %3.")
                                         .arg(index.name, Label(), name));
        conn.Exec(CreateIndexSql(m_def, index));
    }
    conn.Exec(QString("PRAGMA user_version = %1").arg(CollationVersion()));
    tx.Commit();
}

void Table::CheckStructure() {
    auto& stmt = Cached(QString("PRAGMA table_info(%1)").arg(QuoteName(m_def.BaseName())));
    QStringList present;
    while (stmt.Step())
        present << stmt.ColumnText(1).toLower();
    if (present.isEmpty())
        throw EDatabaseError(QString("Table %1 is not a valid table: it holds no table %2.")
                                 .arg(Label(), m_def.BaseName()),
                             ErrorKind::Storage);
    for (int i : m_storedFields)
        if (!present.contains(m_def.fields[i].name.toLower()))
            throw EDatabaseError(QString("Table %1 is damaged: field %2 is missing.")
                                     .arg(Label(), m_def.fields[i].name),
                                 ErrorKind::Storage);
}

void Table::DoOpen() {
    const QString folder = ResolveDataFolder(DatabaseName);
    const QString path = folder + m_def.tableName;
    if (!QFileInfo::exists(path))
        throw EDatabaseError(
            QString("Table %1 does not exist in the data folder %2.").arg(Label(), folder),
            ErrorKind::Storage);
    m_conn = std::make_unique<SqliteConnection>(path, false, Label());
    m_path = path;
    m_damage.clear();
    m_writable = false;
    m_listedVersion = -1;
    try {
        m_conn->Exec("PRAGMA journal_mode=DELETE");
        CheckStructure();
        UpgradeFile();
        auto& probe =
            Cached("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = ?");
        probe.BindText(1, RowIdTableName());
        m_hasRowIdTable = probe.Step() && probe.ColumnInt64(0) > 0;
        probe.Reset();
        BuildOrder();
        if (m_master)
            m_linkValues = CurrentLinkValues();
    } catch (...) {
        m_statements.clear();
        m_conn.reset();
        throw;
    }
    m_database = Database::Find(DatabaseName);
    if (m_database)
        m_database->RegisterDataSet(this);
}

void Table::DoClose() {
    m_statements.clear();
    m_conn.reset();
    if (m_database)
        m_database->UnregisterDataSet(this);
    m_database = nullptr;
}

// ---- order, filter, link ---------------------------------------------------------

void Table::BuildOrder() {
    m_order.clear();
    const IndexDef* index = nullptr;
    QStringList fields;
    if (!m_indexFields.isEmpty()) {
        fields = m_indexFields.split(';', Qt::SkipEmptyParts);
        for (QString& f : fields)
            f = f.trimmed();
        for (const IndexDef& i : m_def.indexes) {
            if (i.fields.size() != fields.size())
                continue;
            bool same = true;
            for (int k = 0; k < fields.size() && same; ++k)
                same = i.fields[k].compare(fields[k], Qt::CaseInsensitive) == 0;
            if (same) {
                index = &i;
                break;
            }
        }
    } else if (!m_indexName.isEmpty()) {
        index = m_def.FindIndex(m_indexName);
        if (!index)
            throw EDatabaseError(
                QString("Index %1 does not exist for table %2.").arg(m_indexName, Label()));
    } else {
        index = m_def.PrimaryIndex();
    }
    if (index) {
        for (const QString& f : index->fields) {
            Field* field = FieldByName(f);
            m_order.append(
                {field->Index(), !index->primary && IsTextType(field->DataType()), index->unique});
        }
    } else {
        for (const QString& f : fields) {
            Field* field = FieldByName(f);
            m_order.append({field->Index(), IsTextType(field->DataType()), false});
        }
    }
}

QString Table::OrderSql() const {
    QStringList terms;
    for (const OrderTerm& t : m_order) {
        QString term = QuoteName(m_def.fields[t.field].name);
        if (t.nullAsText)
            term = "IFNULL(" + term + ",'')";
        if (t.noCase)
            term += CollateNoCase();
        terms << term;
    }
    terms << "rowid";
    return " ORDER BY " + terms.join(", ");
}

QList<Table::Condition> Table::Conditions() const {
    QList<Condition> c;
    if (m_master) {
        for (int i = 0; i < m_detailFields.size(); ++i) {
            Field* f = FindField(m_detailFields[i]);
            if (f)
                c.append({f->Index(), m_linkValues.value(i)});
        }
    }
    if (m_filtered)
        c += m_filterTerms;
    return c;
}

QString Table::WhereSql(QList<Condition>& conditions) const {
    conditions = Conditions();
    if (conditions.isEmpty())
        return {};
    QStringList names;
    for (const Condition& c : conditions)
        names << m_def.fields[c.field].name;
    return " WHERE " + KeyConditionSql(m_def, names);
}

void Table::BindConditions(SqliteStatement& stmt, const QList<Condition>& conditions, int first) {
    for (int i = 0; i < conditions.size(); ++i)
        stmt.Bind(first + i, conditions[i].value, m_def.fields[conditions[i].field].type);
}

QVector<qint64> Table::LoadRowIds() {
    QList<Condition> conditions;
    const QString where = WhereSql(conditions);
    for (const Condition& c : conditions)
        if (IsNull(c.value) || c.never)
            return {}; // a link to no master row, a filter on an empty value or on a value
                       // the field cannot hold
    // Taken before the list: a change another user makes while it is read counts as
    // made after it.
    const qint64 version = DataVersion();
    auto& stmt = Cached("SELECT rowid FROM " + QuoteName(m_def.BaseName()) + where + OrderSql());
    BindConditions(stmt, conditions, 1);
    QVector<qint64> ids;
    while (stmt.Step())
        ids.append(stmt.ColumnInt64(0));
    stmt.Reset();
    m_listedVersion = version;
    return ids;
}

qint64 Table::DataVersion() {
    auto& stmt = Cached("PRAGMA data_version");
    const qint64 version = stmt.Step() ? stmt.ColumnInt64(0) : 0;
    stmt.Reset();
    return version;
}

bool Table::RowSelected(const QVector<QVariant>& values) const {
    for (const Condition& c : Conditions())
        if (c.never || !SameValue(values[c.field], c.value, m_def.fields[c.field].type))
            return false;
    return true;
}

void Table::PostBeforeSelectionChange() {
    // The pending row is stored (or refused) before the order, filter or link changes, so a
    // refusal leaves the table as it was: its setting and its rows agree.
    if (Active())
        CheckBrowseMode();
}

void Table::ChangeSelection() {
    if (!Active())
        return;
    // The pending row was stored by PostBeforeSelectionChange before the setting changed.
    BuildOrder();
    ReloadRows(true);
}

void Table::SetIndexName(const QString& name) {
    if (Active() && name.compare(m_indexName, Qt::CaseInsensitive) == 0 && m_indexFields.isEmpty())
        return;
    if (!name.isEmpty() && !m_def.FindIndex(name))
        throw EDatabaseError(QString("Index %1 does not exist for table %2.").arg(name, Label()));
    PostBeforeSelectionChange();
    m_indexName = name;
    m_indexFields.clear();
    ChangeSelection();
}

void Table::SetIndexFieldNames(const QString& fields) {
    PostBeforeSelectionChange();
    m_indexFields = fields;
    m_indexName.clear();
    ChangeSelection();
}

void Table::SetFiltered(bool on) {
    if (m_filtered == on)
        return;
    PostBeforeSelectionChange();
    m_filtered = on;
    ChangeSelection();
}

QVariantList Table::CurrentLinkValues() const {
    QVariantList values;
    DataSet* master = m_master ? m_master->GetDataSet() : nullptr;
    for (int i = 0; i < m_masterFields.size(); ++i) {
        QVariant v;
        if (master && master->Active()) {
            if (Field* mf = master->FindField(m_masterFields[i]))
                v = mf->Value();
        }
        Field* df = i < m_detailFields.size() ? FindField(m_detailFields[i]) : nullptr;
        if (df && !IsNull(v)) {
            try {
                v = df->Normalize(v);
            } catch (const EDatabaseError&) {
                v = QVariant();
            }
        }
        values << v;
    }
    return values;
}

void Table::SetMasterSource(DataSource* source) {
    if (m_master == source)
        return;
    PostBeforeSelectionChange();
    if (m_master)
        m_master->RemoveDetail(this);
    m_master = source;
    if (m_master)
        m_master->AddDetail(this);
    m_linkValues = CurrentLinkValues();
    if (Active()) {
        ReloadRows(false);
    }
}

void Table::SetMasterFields(const QString& fields) {
    if (m_master)
        PostBeforeSelectionChange();
    m_masterFields = fields.split(';', Qt::SkipEmptyParts);
    for (QString& f : m_masterFields)
        f = f.trimmed();
    if (m_detailFields.isEmpty() || m_detailFields.size() != m_masterFields.size())
        m_detailFields = m_masterFields;
    m_linkValues = CurrentLinkValues();
    if (Active() && m_master)
        ReloadRows(false);
}

void Table::SetDetailFields(const QString& fields) {
    m_detailFields = fields.split(';', Qt::SkipEmptyParts);
    for (QString& f : m_detailFields)
        f = f.trimmed();
}

void Table::MasterChanged() {
    if (!Active() || !m_master)
        return;
    const QVariantList values = CurrentLinkValues();
    bool same = values.size() == m_linkValues.size();
    for (int i = 0; same && i < values.size(); ++i)
        same = (IsNull(values[i]) && IsNull(m_linkValues[i])) || values[i] == m_linkValues[i];
    if (same)
        return;
    CheckBrowseMode();
    m_linkValues = values;
    ReloadRows(false);
    if (AfterScroll)
        AfterScroll(*this);
}

void Table::InitNewRow(QVector<QVariant>& values) {
    if (!m_master)
        return;
    for (int i = 0; i < m_detailFields.size(); ++i)
        if (Field* f = FindField(m_detailFields[i]))
            values[f->Index()] = m_linkValues.value(i);
}

// ---- reading and writing ------------------------------------------------------------

bool Table::ReadRow(qint64 rowId, QVector<QVariant>& values) {
    QStringList cols;
    for (int i : m_storedFields)
        if (m_def.fields[i].kind == FieldKind::Data)
            cols << QuoteName(m_def.fields[i].name);
    auto& stmt = Cached("SELECT " + cols.join(", ") + " FROM " + QuoteName(m_def.BaseName()) +
                        " WHERE rowid = ?");
    stmt.BindInt64(1, rowId);
    if (!stmt.Step()) {
        stmt.Reset();
        // A row of the list that is not in the table was deleted by another user,
        // unless nobody else has changed the file since the list was read: then the
        // file lost it.
        if (m_listedVersion >= 0 && DataVersion() == m_listedVersion)
            throw EDatabaseError(DamagedTableMessage(Label(), "a record in it cannot be read"),
                                 ErrorKind::Damaged);
        return false;
    }
    QString damaged;
    int c = 0;
    for (int i : m_storedFields) {
        const FieldDef& f = m_def.fields[i];
        if (f.kind != FieldKind::Data)
            continue;
        if (!stmt.StoredColumn(c++, f.type, values[i]) && damaged.isEmpty())
            damaged = f.name;
    }
    stmt.Reset();
    if (!damaged.isEmpty())
        throw EDatabaseError(
            DamagedTableMessage(Label(), QString("the %1 of a record cannot be read").arg(damaged)),
            ErrorKind::Damaged);
    return true;
}

void Table::CheckWritable() {
    if (!m_damage.isEmpty())
        throw EDatabaseError(QString("Table %1 is damaged (%2), so nothing was saved in it. "
                                     "Database Maintenance in the Utilities menu repairs it.")
                                 .arg(Label(), m_damage),
                             ErrorKind::Damaged);
    if (m_writable)
        return;
    // A file marked read only is not written even where the system would allow it.
    const bool readOnly = sqlite3_db_readonly(Conn().Handle(), "main") == 1 ||
                          !(QFileInfo(m_path).permissions() & QFileDevice::WriteOwner);
    if (readOnly)
        throw EDatabaseError(
            QString("Table %1 is read only: its file cannot be written, so nothing was saved.")
                .arg(Label()),
            ErrorKind::ReadOnly);
    m_writable = true;
}

qint64 Table::NextRowId() {
    const QString ids = QuoteName(RowIdTableName());
    // A file made before the program kept the record gets it with its first change.
    if (!m_hasRowIdTable)
        Conn().Exec(QString("CREATE TABLE IF NOT EXISTS %1 (\"LastId\" INTEGER)").arg(ids));
    if (m_nextIdSql.isEmpty())
        m_nextIdSql = QString("SELECT IFNULL((SELECT MAX(\"LastId\") FROM %1), 0), "
                              "IFNULL((SELECT MAX(rowid) FROM %2), 0)")
                          .arg(ids, QuoteName(m_def.BaseName()));
    auto& stmt = Cached(m_nextIdSql);
    qint64 last = 0;
    if (stmt.Step())
        last = std::max(stmt.ColumnInt64(0), stmt.ColumnInt64(1));
    stmt.Reset();
    return last + 1;
}

void Table::RememberLastRowId(qint64 last) {
    const QString ids = QuoteName(RowIdTableName());
    if (m_rememberIdSql.isEmpty())
        m_rememberIdSql = QString("UPDATE %1 SET \"LastId\" = ?").arg(ids);
    auto& update = Cached(m_rememberIdSql);
    update.BindInt64(1, last);
    update.Step();
    update.Reset();
    if (sqlite3_changes(Conn().Handle()) > 0)
        return;
    auto& insert = Cached(QString("INSERT INTO %1 (\"LastId\") VALUES (?)").arg(ids));
    insert.BindInt64(1, last);
    insert.Step();
    insert.Reset();
}

bool Table::StillAsRead(qint64 rowId, const QVector<QVariant>& original, const QString& changed) {
    QVector<QVariant> now(FieldCount());
    if (!ReadRow(rowId, now))
        return false;
    for (int i : m_storedFields) {
        const FieldDef& f = m_def.fields[i];
        if (f.kind == FieldKind::Data &&
            ToStorage(now[i], f.type) != ToStorage(original[i], f.type))
            throw EDatabaseError(changed, ErrorKind::RowChanged);
    }
    return true;
}

qint64 Table::StoreRow(qint64 rowId, const QVector<QVariant>& values,
                       const QVector<QVariant>* original) {
    CheckWritable();
    SqliteConnection& conn = Conn();
    SqliteTransaction tx(conn);
    QStringList cols;
    for (int i : m_storedFields)
        cols << QuoteName(m_def.fields[i].name);
    const QString table = QuoteName(m_def.BaseName());
    qint64 id = rowId;
    if (rowId == 0) {
        id = NextRowId();
        QStringList marks;
        for (int k = 0; k <= cols.size(); ++k)
            marks << "?";
        auto& stmt = Cached("INSERT INTO " + table + " (rowid, " + cols.join(", ") + ") VALUES (" +
                            marks.join(", ") + ")");
        stmt.BindInt64(1, id);
        int p = 2;
        for (int i : m_storedFields)
            stmt.Bind(p++, values[i], m_def.fields[i].type);
        stmt.Step();
        stmt.Reset();
    } else {
        // The row is written only while it holds what the user began to edit: a
        // change another user made since is never overwritten.
        if (original &&
            !StillAsRead(rowId, *original,
                         QString("Another user changed this record in table %1 after you began "
                                 "to edit it, so your changes were not saved. Cancel them to see "
                                 "the record as it is now, then make them again.")
                             .arg(Label())))
            throw EDatabaseError(QString("Another user deleted this record from table %1 after "
                                         "you began to edit it, so your changes were not saved.")
                                     .arg(Label()),
                                 ErrorKind::RowChanged);
        QStringList sets;
        for (const QString& c : cols)
            sets << c + " = ?";
        auto& stmt = Cached("UPDATE " + table + " SET " + sets.join(", ") + " WHERE rowid = ?");
        int p = 1;
        for (int i : m_storedFields)
            stmt.Bind(p++, values[i], m_def.fields[i].type);
        stmt.BindInt64(p, rowId);
        stmt.Step();
        stmt.Reset();
    }
    tx.Commit();
    if (rowId == 0)
        m_hasRowIdTable = true;
    return id;
}

void Table::RemoveRow(qint64 rowId, const QVector<QVariant>* original) {
    CheckWritable();
    SqliteTransaction tx(Conn());
    // A row another user changed since it was shown is not deleted; one that another
    // user has deleted already is gone as wanted.
    if (original &&
        !StillAsRead(rowId, *original,
                     QString("Another user changed this record in table %1 since it was shown, "
                             "so it was not deleted. Look at the record again before you delete "
                             "it.")
                         .arg(Label())))
        return;
    RememberLastRowId(NextRowId() - 1);
    auto& stmt = Cached("DELETE FROM " + QuoteName(m_def.BaseName()) + " WHERE rowid = ?");
    stmt.BindInt64(1, rowId);
    stmt.Step();
    stmt.Reset();
    tx.Commit();
    m_hasRowIdTable = true;
}

void Table::RowsStored() {
    TellLookupUsers();
}

void Table::EmptyTable() {
    if (Active()) {
        CheckBrowseMode();
        CheckWritable();
        {
            SqliteTransaction tx(Conn());
            RememberLastRowId(NextRowId() - 1);
            Conn().Exec("DELETE FROM " + QuoteName(m_def.BaseName()));
            tx.Commit();
            m_hasRowIdTable = true;
        }
        ReloadRows(false);
        TellLookupUsers();
        return;
    }
    const QString path = FilePath();
    if (!QFileInfo::exists(path))
        throw EDatabaseError(QString("Table %1 does not exist.").arg(Label()), ErrorKind::Storage);
    SqliteConnection conn(path, false, Label());
    SqliteTransaction tx(conn);
    const QString ids = QuoteName(RowIdTableName());
    conn.Exec(QString("CREATE TABLE IF NOT EXISTS %1 (\"LastId\" INTEGER)").arg(ids));
    conn.Exec(QString("INSERT OR REPLACE INTO %1 (rowid, \"LastId\") SELECT 1, "
                      "MAX(IFNULL((SELECT MAX(\"LastId\") FROM %1), 0), "
                      "IFNULL((SELECT MAX(rowid) FROM %2), 0))")
                  .arg(ids, QuoteName(m_def.BaseName())));
    conn.Exec("DELETE FROM " + QuoteName(m_def.BaseName()));
    tx.Commit();
}

int Table::StoredRowCount() {
    RaiseIfInactive();
    auto& stmt = Cached("SELECT COUNT(*) FROM " + QuoteName(m_def.BaseName()));
    const int n = stmt.Step() ? int(stmt.ColumnInt64(0)) : 0;
    stmt.Reset();
    return n;
}

QVariant Table::MaxValue(const QString& fieldName) {
    Field* field = FieldByName(fieldName);
    const QString sql =
        "SELECT MAX(" + QuoteName(field->FieldName()) + ") FROM " + QuoteName(m_def.BaseName());
    QVariant result;
    if (Active()) {
        auto& stmt = Cached(sql);
        if (stmt.Step())
            result = stmt.Column(0, field->DataType());
        stmt.Reset();
        return result;
    }
    SqliteConnection conn(FilePath(), false, Label());
    auto stmt = conn.Prepare(sql);
    if (stmt->Step())
        result = stmt->Column(0, field->DataType());
    return result;
}

// ---- positions -----------------------------------------------------------------------

int Table::CompareKeys(const QVector<QVariant>& a, qint64 ida, const QVector<QVariant>& b,
                       qint64 idb) const {
    for (const OrderTerm& t : m_order) {
        const int c = CompareValues(a[t.field], b[t.field], m_def.fields[t.field].type, t.noCase,
                                    t.nullAsText);
        if (c)
            return c;
    }
    return ida < idb ? -1 : (ida > idb ? 1 : 0);
}

int Table::BinarySearch(qint64 rowId, const QVector<QVariant>& values) {
    const QVector<qint64>& rows = RowIds();
    int lo = 0, hi = int(rows.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const QVector<QVariant> probe = CachedRow(rows[mid]);
        if (CompareKeys(probe, rows[mid], values, rowId) < 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int Table::InsertPosition(qint64 rowId, const QVector<QVariant>& values) {
    return BinarySearch(rowId, values);
}

int Table::IndexOfRow(qint64 rowId) {
    const QVector<qint64>& rows = RowIds();
    if (rows.isEmpty())
        return -1;
    const QVector<QVariant> values = CachedRow(rowId);
    const int at = BinarySearch(rowId, values);
    if (at < rows.size() && rows[at] == rowId)
        return at;
    return DataSet::IndexOfRow(rowId);
}

// ---- lookups --------------------------------------------------------------------------
