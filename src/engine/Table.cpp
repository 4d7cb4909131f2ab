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
    try {
        m_conn->Exec("PRAGMA journal_mode=DELETE");
        CheckStructure();
        UpgradeFile();
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
    auto& stmt = Cached("SELECT rowid FROM " + QuoteName(m_def.BaseName()) + where + OrderSql());
    BindConditions(stmt, conditions, 1);
    QVector<qint64> ids;
    while (stmt.Step())
        ids.append(stmt.ColumnInt64(0));
    stmt.Reset();
    return ids;
}

bool Table::RowSelected(const QVector<QVariant>& values) const {
    for (const Condition& c : Conditions())
        if (c.never || !SameValue(values[c.field], c.value, m_def.fields[c.field].type))
            return false;
    return true;
}

void Table::ChangeSelection() {
    if (!Active())
        return;
    CheckBrowseMode();
    BuildOrder();
    ReloadRows(true);
}

void Table::SetIndexName(const QString& name) {
    if (Active() && name.compare(m_indexName, Qt::CaseInsensitive) == 0 && m_indexFields.isEmpty())
        return;
    if (!name.isEmpty() && !m_def.FindIndex(name))
        throw EDatabaseError(QString("Index %1 does not exist for table %2.").arg(name, Label()));
    m_indexName = name;
    m_indexFields.clear();
    ChangeSelection();
}

void Table::SetIndexFieldNames(const QString& fields) {
    m_indexFields = fields;
    m_indexName.clear();
    ChangeSelection();
}

void Table::SetFiltered(bool on) {
    if (m_filtered == on)
        return;
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
    if (Active())
        CheckBrowseMode();
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

QVector<QVariant> Table::ReadRow(qint64 rowId) {
    QStringList cols;
    for (int i : m_storedFields)
        if (m_def.fields[i].kind == FieldKind::Data)
            cols << QuoteName(m_def.fields[i].name);
    auto& stmt = Cached("SELECT " + cols.join(", ") + " FROM " + QuoteName(m_def.BaseName()) +
                        " WHERE rowid = ?");
    stmt.BindInt64(1, rowId);
    QVector<QVariant> values(FieldCount());
    if (stmt.Step()) {
        int c = 0;
        for (int i : m_storedFields)
            if (m_def.fields[i].kind == FieldKind::Data)
                values[i] = stmt.Column(c++, m_def.fields[i].type);
    }
    stmt.Reset();
    return values;
}

qint64 Table::StoreRow(qint64 rowId, const QVector<QVariant>& values) {
    SqliteConnection& conn = Conn();
    SqliteTransaction tx(conn);
    QStringList cols;
    for (int i : m_storedFields)
        cols << QuoteName(m_def.fields[i].name);
    const QString table = QuoteName(m_def.BaseName());
    qint64 id = rowId;
    if (rowId == 0) {
        QStringList marks;
        for (int k = 0; k < cols.size(); ++k)
            marks << "?";
        auto& stmt = Cached("INSERT INTO " + table + " (" + cols.join(", ") + ") VALUES (" +
                            marks.join(", ") + ")");
        int p = 1;
        for (int i : m_storedFields)
            stmt.Bind(p++, values[i], m_def.fields[i].type);
        stmt.Step();
        stmt.Reset();
        id = sqlite3_last_insert_rowid(conn.Handle());
    } else {
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
    TellLookupUsers();
    return id;
}

void Table::RemoveRow(qint64 rowId) {
    SqliteTransaction tx(Conn());
    auto& stmt = Cached("DELETE FROM " + QuoteName(m_def.BaseName()) + " WHERE rowid = ?");
    stmt.BindInt64(1, rowId);
    stmt.Step();
    stmt.Reset();
    tx.Commit();
    TellLookupUsers();
}

void Table::EmptyTable() {
    if (Active()) {
        CheckBrowseMode();
        {
            SqliteTransaction tx(Conn());
            Conn().Exec("DELETE FROM " + QuoteName(m_def.BaseName()));
            tx.Commit();
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
