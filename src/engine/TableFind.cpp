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
            term += " COLLATE NOCASE";
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
            guides << col + " = " + param + " COLLATE NOCASE";
        for (const IndexDef& index : def.indexes) {
            if (!index.unique || index.fields.isEmpty() ||
                index.fields.first().compare(f->name, Qt::CaseInsensitive) != 0)
                continue;
            guides << "IFNULL(" + col + ",'') = " + param +
                          (text && !index.primary ? " COLLATE NOCASE" : "");
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

qint64 Table::FindRow(const QStringList& fields, const QVariantList& values,
                      LocateOptions options) {
    QList<Condition> conditions;
    QString where = WhereSql(conditions);
    for (const Condition& c : conditions)
        if (IsNull(c.value))
            return 0;
    QStringList terms;
    QList<std::pair<int, QVariant>> binds;
    for (int i = 0; i < fields.size(); ++i) {
        Field* f = FieldByName(fields[i]);
        const QString col = QuoteName(f->FieldName());
        const QVariant want = values.value(i);
        const bool text = f->DataType() == FieldType::Text || f->DataType() == FieldType::Memo;
        if (IsNull(want) || (text && want.toString().isEmpty())) {
            terms << col + " IS NULL";
            continue;
        }
        if (text && (options & PartialKey)) {
            // LIKE ignores case; a case-sensitive partial key adds an exact prefix test.
            terms << col + " LIKE ? ESCAPE '\\'";
            binds.append({f->Index(), EscapeLike(want.toString()) + "%"});
            if (!(options & CaseInsensitive)) {
                terms << "substr(" + col + ", 1, ?) = ?";
                binds.append({-1, qint64(want.toString().size())});
                binds.append({f->Index(), want.toString()});
            }
        } else if (text && (options & CaseInsensitive)) {
            terms << col + " = ? COLLATE NOCASE";
            binds.append({f->Index(), want.toString()});
        } else if (text) {
            // The first term lets the case-insensitive index find the rows.
            terms << col + " = ? COLLATE NOCASE AND " + col + " = ?";
            binds.append({f->Index(), want.toString()});
            binds.append({f->Index(), want.toString()});
        } else {
            terms << col + " = ?";
            binds.append({f->Index(), f->Normalize(want)});
        }
    }
    const QString cond = terms.join(" AND ");
    where = where.isEmpty() ? " WHERE " + cond : where + " AND " + cond;
    auto& stmt = Cached("SELECT rowid FROM " + QuoteName(m_def.BaseName()) + where + OrderSql() +
                        " LIMIT 1");
    BindConditions(stmt, conditions, 1);
    int p = int(conditions.size()) + 1;
    for (const auto& [field, value] : binds) {
        if (field < 0)
            stmt.BindInt64(p++, value.toLongLong());
        else if (value.typeId() == QMetaType::QString)
            stmt.BindText(p++, value.toString());
        else
            stmt.Bind(p++, value, m_def.fields[field].type);
    }
    const qint64 id = stmt.Step() ? stmt.ColumnInt64(0) : 0;
    stmt.Reset();
    return id;
}

bool Table::FindPrefix(const QString& field, const QString& prefix) {
    return Locate(field, {prefix}, CaseInsensitive | PartialKey);
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
            v = v.toString().left(d.size);
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
    for (Table* user : std::as_const(m_lookupUsers)) {
        try {
            user->LookupSourceChanged();
        } catch (...) {
            // That table cannot be read just now (another user holds it): its rows
            // are read again when it is next moved or refreshed.
        }
    }
}
