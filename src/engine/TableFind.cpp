// Finding rows of a table: the conditions that let the table file's indexes serve a
// search, locating a row, the prefix finder, and the fields looked up in other tables.
#include "engine/Table.h"

#include "engine/DataSource.h"
#include "engine/EDatabaseError.h"
#include "engine/Sqlite.h"
#include "engine/TableSql.h"

using namespace TableSql;

QStringList IndexTerms(const TableDef& def, const IndexDef& index) {
    QStringList terms;
    for (const QString& name : index.fields) {
        const FieldDef* f = def.FindField(name);
        QString term = QuoteName(f ? f->name : name);
        if (index.unique)
            term = "IFNULL(" + term + ",'')";
        if (!index.primary && f && IsTextType(f->type))
            term += CollateNoCase();
        terms << term;
    }
    return terms;
}

QString KeyConditionSql(const TableDef& def, const QStringList& fields, int first) {
    // Each parameter is named once per term: the exact comparison decides, the other
    // terms are equal to it for any value that is not empty and only guide the plan.
    // When there are such terms the exact one is written "+field": SQLite would
    // otherwise put the value in place of the field in the index expressions, which
    // then no longer match their index.
    QStringList terms;
    for (int i = 0; i < fields.size(); ++i) {
        const FieldDef* f = def.FindField(fields[i]);
        if (!f)
            throw EDatabaseError(QString("Field '%1' not found.").arg(fields[i]));
        const QString col = QuoteName(f->name);
        const QString param = QString("?%1").arg(first + i);
        const bool text = IsTextType(f->type);
        QStringList guides;
        if (text)
            guides << col + " = " + param + CollateNoCase();
        for (const IndexDef& index : def.indexes) {
            if (!index.unique || index.fields.isEmpty() ||
                index.fields.first().compare(f->name, Qt::CaseInsensitive) != 0)
                continue;
            guides << "IFNULL(" + col + ",'') = " + param +
                          (text && !index.primary ? CollateNoCase() : QString());
        }
        guides.removeDuplicates();
        if (guides.isEmpty()) {
            terms << col + " = " + param;
        } else {
            terms << "+" + col + " = " + param;
            terms += guides;
        }
    }
    return terms.join(" AND ");
}

namespace {

// A value bound to a search: text as typed, bytes as they are, or a field's value.
struct SearchValue {
    enum Kind { Text, Bytes, Integer, FieldValue } kind;
    QVariant value;
    FieldType type = FieldType::Text;
};

// The terms that find the rows whose text field begins with the prefix, through the
// field's case-insensitive index when there is one: the range of the collation, and
// the tests the range alone does not make.
void PrefixTerms(const QString& col, const QString& prefix, bool ignoreCase, QStringList& terms,
                 QList<SearchValue>& values) {
    terms << col + CollateNoCase() + " >= ?" << col + CollateNoCase() + " < ?";
    values.append({SearchValue::Bytes, PrefixLowerBound(prefix)});
    values.append({SearchValue::Bytes, PrefixUpperBound(prefix)});
    if (!ignoreCase) {
        terms << "substr(" + col + ", 1, ?) = ?";
        values.append({SearchValue::Integer, qint64(prefix.toUcs4().size())});
        values.append({SearchValue::Text, prefix});
    }
}

void BindSearchValues(SqliteStatement& stmt, int first, const QList<SearchValue>& values) {
    int p = first;
    for (const SearchValue& v : values) {
        switch (v.kind) {
        case SearchValue::Text:
            stmt.BindText(p++, v.value.toString());
            break;
        case SearchValue::Bytes:
            stmt.BindUtf8(p++, v.value.toByteArray());
            break;
        case SearchValue::Integer:
            stmt.BindInt64(p++, v.value.toLongLong());
            break;
        case SearchValue::FieldValue:
            stmt.Bind(p++, v.value, v.type);
            break;
        }
    }
}

} // namespace

qint64 Table::FindRow(const QStringList& fields, const QVariantList& values,
                      LocateOptions options) {
    return FindFirst(fields, values, options, OrderSql());
}

qint64 Table::FindFirst(const QStringList& fields, const QVariantList& values,
                        LocateOptions options, const QString& orderSql) {
    QList<Condition> conditions;
    QString where = WhereSql(conditions);
    for (const Condition& c : conditions)
        if (IsNull(c.value) || c.never)
            return 0;
    QStringList terms;
    QList<SearchValue> binds;
    for (int i = 0; i < fields.size(); ++i) {
        Field* f = FieldByName(fields[i]);
        const QString col = QuoteName(f->FieldName());
        const QVariant want = values.value(i);
        const bool text = IsTextType(f->DataType());
        if (IsNull(want) || (text && want.toString().isEmpty())) {
            terms << col + " IS NULL";
            continue;
        }
        if (text && (options & PartialKey)) {
            if ((options & CaseInsensitive) && PrefixHasNoLetter(want.toString()))
                return 0; // accents alone begin no name
            PrefixTerms(col, want.toString(), options & CaseInsensitive, terms, binds);
        } else if (text && (options & CaseInsensitive)) {
            terms << col + " = ?" + CollateNoCase();
            binds.append({SearchValue::Text, want.toString()});
        } else if (text) {
            // The first term lets the case-insensitive index find the rows.
            terms << col + " = ?" + CollateNoCase() + " AND " + col + " = ?";
            binds.append({SearchValue::Text, want.toString()});
            binds.append({SearchValue::Text, want.toString()});
        } else {
            terms << col + " = ?";
            binds.append({SearchValue::FieldValue, f->Normalize(want), f->DataType()});
        }
    }
    const QString cond = terms.join(" AND ");
    where = where.isEmpty() ? " WHERE " + cond : where + " AND " + cond;
    auto& stmt =
        Cached("SELECT rowid FROM " + QuoteName(m_def.BaseName()) + where + orderSql + " LIMIT 1");
    BindConditions(stmt, conditions, 1);
    BindSearchValues(stmt, int(conditions.size()) + 1, binds);
    const qint64 id = stmt.Step() ? stmt.ColumnInt64(0) : 0;
    stmt.Reset();
    return id;
}

bool Table::FindPrefix(const QString& field, const QString& prefix, const QString& indexName) {
    const IndexDef* index = indexName.isEmpty() ? nullptr : m_def.FindIndex(indexName);
    if (!indexName.isEmpty() && !index)
        throw EDatabaseError(
            QString("Index %1 does not exist for table %2.").arg(indexName, Label()));
    const QString order =
        index ? " ORDER BY " + IndexTerms(m_def, *index).join(", ") + ", rowid" : QString();
    if (!index || order == OrderSql())
        return Locate(field, {prefix}, CaseInsensitive | PartialKey);
    // The first row of the index's order among the rows the table's view holds.
    RaiseIfInactive();
    CheckBrowseMode();
    const qint64 id = FindFirst({field}, {prefix}, CaseInsensitive | PartialKey, order);
    return id && GotoBookmark(id);
}

// ---- lookups --------------------------------------------------------------------------

void Table::SetLookupTable(const QString& field, Table* table) {
    if (Table* old = m_lookupTables.value(field.toLower())) {
        m_lookupTables.remove(field.toLower());
        if (!m_lookupTables.values().contains(old))
            old->m_lookupUsers.removeAll(this);
    }
    m_lookupTables.insert(field.toLower(), table);
    if (table && table != this && !table->m_lookupUsers.contains(this))
        table->m_lookupUsers.append(this);
    ClearCache();
}

void Table::ComputeLookups(QVector<QVariant>& values) {
    for (int i = 0; i < m_def.fields.size(); ++i) {
        const FieldDef& d = m_def.fields[i];
        if (d.kind != FieldKind::Lookup)
            continue;
        Table* source = m_lookupTables.value(d.name.toLower());
        if (!source || !source->Active()) {
            values[i] = QVariant();
            continue;
        }
        QVariantList keys;
        for (const QString& k : d.keyFields.split(';', Qt::SkipEmptyParts))
            keys << values[FieldByName(k.trimmed())->Index()];
        QVariant v = source->Lookup(d.lookupKeyFields, keys, d.lookupResultField);
        if (d.type == FieldType::Text && d.size > 0 && !IsNull(v))
            v = CutText(v.toString(), d.size);
        values[i] = v;
    }
}

QVariant Table::Lookup(const QString& keyFields, const QVariantList& keyValues,
                       const QString& resultField) {
    RaiseIfInactive();
    const QStringList names = keyFields.split(';', Qt::SkipEmptyParts);
    QStringList terms;
    QList<std::pair<Field*, QVariant>> binds;
    for (int i = 0; i < names.size(); ++i) {
        Field* f = FieldByName(names[i].trimmed());
        const QVariant v = keyValues.value(i);
        if (IsNull(v))
            return {};
        terms << f->FieldName();
        binds.append({f, f->Normalize(v)});
    }
    auto& stmt = Cached("SELECT rowid FROM " + QuoteName(m_def.BaseName()) + " WHERE " +
                        KeyConditionSql(m_def, terms) + " LIMIT 1");
    int p = 1;
    for (const auto& [f, v] : binds)
        stmt.Bind(p++, v, f->DataType());
    const qint64 id = stmt.Step() ? stmt.ColumnInt64(0) : 0;
    stmt.Reset();
    if (!id)
        return {};
    const int result = FieldByName(resultField)->Index();
    return CachedRow(id)[result];
}

// A row of a table that others look up in has changed: their rows read earlier hold
// looked-up values that may be out of date. A browsing table reads its rows again
// and repaints; one being edited gets the new values when it next reads a row.
void Table::LookupSourceChanged() {
    ClearCache();
    if (Active() && State() == DataSetState::Browse)
        Refresh();
}

void Table::TellLookupUsers() {
    if (m_lookupUsers.isEmpty())
        return;
    // The rows they look up are read again from the file, not from what this table
    // held before the change.
    ClearCache();
    for (Table* user : std::as_const(m_lookupUsers))
        user->LookupSourceChanged();
}
