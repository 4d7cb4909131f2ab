#include "TableFileWriter.h"

#include "engine/EDatabaseError.h"
#include "engine/Field.h"
#include "engine/Sqlite.h"

#include <QDir>
#include <QFileInfo>

TableFileWriter::TableFileWriter(const QString& folder, const TableDef& def) : m_def(def) {
    const QString path = QDir(folder).filePath(def.tableName);
    if (!QFileInfo::exists(path))
        throw EDatabaseError(QString("Table %1 does not exist.").arg(path), ErrorKind::Storage);
    m_conn = std::make_unique<SqliteConnection>(path, false, def.tableName);
    m_conn->Exec("PRAGMA journal_mode=DELETE");
    m_conn->Exec("PRAGMA synchronous=OFF");
    m_conn->Exec("PRAGMA cache_size=-131072");
    QStringList names, marks;
    for (int i = 0; i < def.fields.size(); ++i) {
        if (!def.fields[i].IsStoredColumn())
            continue;
        m_columns << i;
        names << QuoteName(def.fields[i].name);
        marks << "?";
    }
    m_tx = std::make_unique<SqliteTransaction>(*m_conn);
    m_insert =
        m_conn->Prepare(QString("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(QuoteName(def.BaseName()), names.join(", "), marks.join(", ")));
}

TableFileWriter::~TableFileWriter() {
    m_insert.reset();
    m_tx.reset();
}

int TableFileWriter::Column(const QString& field) const {
    for (int i = 0; i < m_def.fields.size(); ++i)
        if (m_def.fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    throw EDatabaseError(QString("%1: Field '%2' not found").arg(m_def.tableName, field));
}

void TableFileWriter::Add(const QVector<QVariant>& row) {
    int p = 1;
    for (int i : m_columns) {
        const FieldDef& f = m_def.fields[i];
        QVariant v = row.value(i);
        bool empty = !v.isValid() || v.isNull();
        if (!empty && (f.type == FieldType::Text || f.type == FieldType::Memo))
            empty = v.toString().isEmpty();
        else if (!empty && f.type == FieldType::Date)
            empty = !v.toDate().isValid();
        else if (!empty && f.type == FieldType::Time)
            empty = !v.toTime().isValid();
        if (empty)
            v = QVariant();
        if (empty && f.required && f.kind == FieldKind::Data)
            throw EDatabaseError(QString("Field '%1' must have a value").arg(f.name),
                                 ErrorKind::RequiredField);
        if (!empty && f.type == FieldType::Text && f.size > 0)
            v = CutText(v.toString(), f.size);
        m_insert->Bind(p++, v, f.type);
    }
    try {
        m_insert->Step();
    } catch (...) {
        m_insert->Reset();
        throw;
    }
    m_insert->Reset();
    ++m_count;
}

void TableFileWriter::Clear() {
    m_conn->Exec("DELETE FROM " + QuoteName(m_def.BaseName()));
    m_count = 0;
}

void TableFileWriter::Commit() {
    m_tx->Commit();
    m_tx = std::make_unique<SqliteTransaction>(*m_conn);
}
