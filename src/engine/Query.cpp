#include "engine/Query.h"

#include "engine/Database.h"
#include "engine/Sqlite.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

Query::Query(const QString& name) : DataSet(name) {
    SetReadOnly(true);
}

Query::~Query() {
    if (Database* db = Database::Find(DatabaseName))
        db->UnregisterDataSet(this);
}

void Query::SetSQL(const QStringList& lines) {
    Close();
    m_sql = lines;
    m_prepared = false;
    m_params.clear();
}

QString Query::SourceTableName() const {
    static const QRegularExpression re(R"re(\bFROM\s+"?([A-Za-z_][\w]*)"?)re",
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(m_sql.join('\n'));
    return m.hasMatch() ? m.captured(1) : QString();
}

void Query::Prepare() {
    static const QRegularExpression re(R"(:([A-Za-z_]\w*))");
    QMap<QString, QueryParam> params;
    auto it = re.globalMatch(m_sql.join('\n'));
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        QueryParam p = m_params.value(name.toLower(), QueryParam{name, {}});
        params.insert(name.toLower(), p);
    }
    m_params = params;
    m_prepared = true;
}

QueryParam* Query::ParamByName(const QString& name) {
    if (!m_prepared)
        Prepare();
    auto it = m_params.find(name.toLower());
    if (it == m_params.end())
        throw EDatabaseError(QString("%1: Parameter '%2' not found").arg(Name, name));
    return &*it;
}

QStringList Query::ParamNames() const {
    QStringList names;
    for (const QueryParam& p : m_params)
        names << p.name;
    return names;
}

QString Query::AggregateName(const QString& function, const QString& column) {
    const QString f = function.toUpper();
    QString word = f;
    if (f == "AVG")
        word = "AVERAGE";
    return (word + " OF " + column).left(25);
}

void Query::DoOpen() {
    if (!m_prepared)
        Prepare();
    const QString folder = ResolveDataFolder(DatabaseName);
    const QString table = SourceTableName();
    if (table.isEmpty())
        throw EDatabaseError(QString("%1: the query names no table.").arg(Name));
    // The table's file: its name with the engine's extension, in any letter case.
    QString path;
    const QStringList files = QDir(folder).entryList({"*.db", "*.DB", "*.Db", "*.dB"}, QDir::Files);
    for (const QString& f : files)
        if (QFileInfo(f).completeBaseName().compare(table, Qt::CaseInsensitive) == 0)
            path = folder + f;
    if (path.isEmpty())
        throw EDatabaseError(
            QString("Table %1 does not exist in the data folder %2.").arg(table, folder),
            ErrorKind::Storage);
    SqliteConnection conn(path, false, QFileInfo(path).fileName());
    auto stmt = conn.Prepare(m_sql.join('\n'));
    for (int i = 1; i <= stmt->ParameterCount(); ++i) {
        const QString name = stmt->ParameterName(i).mid(1);
        const QVariant v = m_params.value(name.toLower()).value;
        switch (v.typeId()) {
        case QMetaType::Bool:
            stmt->BindInt64(i, v.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
            stmt->BindInt64(i, v.toLongLong());
            break;
        case QMetaType::Double:
            stmt->Bind(i, v, FieldType::Number);
            break;
        case QMetaType::QDate:
            stmt->Bind(i, v, FieldType::Date);
            break;
        default:
            if (!v.isValid() || v.isNull())
                stmt->BindNull(i);
            else
                stmt->BindText(i, v.toString());
        }
    }
    // Field definitions: table columns take the table's types; aggregates are
    // named by the engine's rule and typed by the column they sum or average.
    static const QRegularExpression aggregate(
        R"re(^\s*(SUM|AVG|COUNT|MIN|MAX)\s*\(\s*"?([\w ]+?)"?\s*\)\s*$)re",
        QRegularExpression::CaseInsensitiveOption);
    QList<FieldDef> defs;
    QList<FieldType> types;
    for (int c = 0; c < stmt->ColumnCount(); ++c) {
        const QString column = stmt->ColumnName(c);
        FieldDef def;
        const auto m = aggregate.match(column);
        const FieldDef* source = nullptr;
        if (m.hasMatch()) {
            const QString fn = m.captured(1).toUpper();
            def.name = AggregateName(fn, m.captured(2));
            source = m_sourceDef ? m_sourceDef->FindField(m.captured(2)) : nullptr;
            if (fn == "COUNT")
                def.type = FieldType::Integer;
            else if (fn != "AVG" && source && source->type == FieldType::Money)
                def.type = FieldType::Money;
            else if (fn != "AVG" && source)
                def.type = source->type;
            else
                def.type = FieldType::Number;
        } else {
            source = m_sourceDef ? m_sourceDef->FindField(column) : nullptr;
            def = source ? *source : TextField(column, 0);
            def.kind = FieldKind::Data;
            def.required = false;
        }
        defs << def;
        types << def.type;
    }
    SetFieldDefs(defs);
    m_result.clear();
    while (stmt->Step()) {
        QVector<QVariant> row(defs.size());
        for (int c = 0; c < defs.size(); ++c)
            row[c] = stmt->Column(c, types[c]);
        m_result.append(row);
    }
    if (Database* db = Database::Find(DatabaseName))
        db->RegisterDataSet(this);
}

void Query::DoClose() {
    m_result.clear();
    if (Database* db = Database::Find(DatabaseName))
        db->UnregisterDataSet(this);
}

QVector<qint64> Query::LoadRowIds() {
    QVector<qint64> ids(m_result.size());
    for (int i = 0; i < ids.size(); ++i)
        ids[i] = i + 1;
    return ids;
}

bool Query::ReadRow(qint64 rowId, QVector<QVariant>& values) {
    if (rowId < 1 || rowId > m_result.size())
        return false;
    values = m_result[int(rowId - 1)];
    return true;
}
