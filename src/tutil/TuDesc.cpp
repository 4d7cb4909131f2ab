#include "TuDesc.h"

#include "engine/EDatabaseError.h"
#include "engine/Sqlite.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace tutil {

const ObjectDesc* TableDesc::Find(const QString& name) const {
    for (const ObjectDesc& o : objects)
        if (o.name.compare(name, Qt::CaseInsensitive) == 0)
            return &o;
    return nullptr;
}

const ObjectDesc* TableDesc::MainTable() const {
    const ObjectDesc* o = Find(mainTable);
    return o && o->type == "table" ? o : nullptr;
}

QList<const ObjectDesc*> TableDesc::IndexesOf(const QString& table) const {
    QList<const ObjectDesc*> list;
    for (const ObjectDesc& o : objects)
        if (o.type == "index" && o.table.compare(table, Qt::CaseInsensitive) == 0)
            list.append(&o);
    return list;
}

const ObjectDesc* TableDesc::PrimaryIndex() const {
    for (const ObjectDesc* o : IndexesOf(mainTable))
        if (o->unique)
            return o;
    return nullptr;
}

int TableDesc::ColumnIndex(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QByteArray TableDesc::ToJson() const {
    QJsonObject root;
    root["format"] = "vtx-table-description";
    root["pageSize"] = pageSize;
    root["reserved"] = reserved;
    root["encoding"] = encoding;
    root["userVersion"] = qint64(userVersion);
    root["applicationId"] = qint64(applicationId);
    root["mainTable"] = mainTable;
    QJsonArray cols;
    for (const ColumnDesc& c : columns)
        cols.append(QJsonObject{{"name", c.name}, {"type", c.type}, {"rowidAlias", c.rowidAlias}});
    root["columns"] = cols;
    QJsonArray objs;
    for (const ObjectDesc& o : objects)
        objs.append(QJsonObject{{"type", o.type},
                                {"name", o.name},
                                {"table", o.table},
                                {"root", qint64(o.root)},
                                {"sql", o.sql},
                                {"unique", o.unique}});
    root["objects"] = objs;
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

bool TableDesc::FromJson(const QByteArray& json, TableDesc* desc, QString* why) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (!doc.isObject()) {
        *why = error.errorString();
        return false;
    }
    const QJsonObject root = doc.object();
    if (root["format"].toString() != "vtx-table-description") {
        *why = QStringLiteral("it is no table description");
        return false;
    }
    TableDesc d;
    d.pageSize = root["pageSize"].toInt();
    d.reserved = root["reserved"].toInt();
    d.encoding = root["encoding"].toInt(1);
    d.userVersion = quint32(root["userVersion"].toInteger());
    d.applicationId = quint32(root["applicationId"].toInteger());
    d.mainTable = root["mainTable"].toString();
    for (const QJsonValue& v : root["columns"].toArray()) {
        const QJsonObject c = v.toObject();
        d.columns.append({c["name"].toString(), c["type"].toString(), c["rowidAlias"].toBool()});
    }
    for (const QJsonValue& v : root["objects"].toArray()) {
        const QJsonObject o = v.toObject();
        d.objects.append({o["type"].toString(), o["name"].toString(), o["table"].toString(),
                          quint32(o["root"].toInteger()), o["sql"].toString(),
                          o["unique"].toBool()});
    }
    const bool pageSizeValid =
        d.pageSize >= 512 && d.pageSize <= 65536 && (d.pageSize & (d.pageSize - 1)) == 0;
    if (!pageSizeValid || d.encoding < 1 || d.encoding > 3 || !d.MainTable() ||
        d.columns.isEmpty()) {
        *why = QStringLiteral("it describes no table");
        return false;
    }
    *desc = d;
    return true;
}

QString TableNameOfFile(const QString& path) {
    return QFileInfo(path).completeBaseName();
}

bool HoldsTableOfFile(const QString& path, const QString& table) {
    const QString base = TableNameOfFile(path);
    // A rebuild keeps the old file as "<table>_": it still holds the table of that name.
    return base.compare(table, Qt::CaseInsensitive) == 0 ||
           base.compare(table + '_', Qt::CaseInsensitive) == 0;
}

bool SameSql(const QString& a, const QString& b) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString x = a, y = b;
    x.replace(blanks, " ");
    y.replace(blanks, " ");
    return x.trimmed().compare(y.trimmed(), Qt::CaseInsensitive) == 0;
}

DescRead ReadTableDesc(const QString& path, TableDesc* desc, QString* why) {
    TableDesc d;
    d.mainTable = TableNameOfFile(path);
    try {
        SqliteConnection conn(path, false, QFileInfo(path).fileName());
        // Read only, but also where the file is shorter than its header says: a file cut
        // short keeps its description on its first page.
        conn.Exec("PRAGMA writable_schema=ON");
        auto number = [&](const char* pragma) {
            auto stmt = conn.Prepare(QString("PRAGMA %1").arg(pragma));
            return stmt->Step() ? stmt->ColumnInt64(0) : 0;
        };
        auto text = [&](const char* pragma) {
            auto stmt = conn.Prepare(QString("PRAGMA %1").arg(pragma));
            return stmt->Step() ? stmt->ColumnText(0) : QString();
        };
        d.pageSize = int(number("page_size"));
        const QString encoding = text("encoding");
        d.encoding = encoding == "UTF-16le" ? 2 : encoding == "UTF-16be" ? 3 : 1;
        d.userVersion = quint32(number("user_version"));
        d.applicationId = quint32(number("application_id"));
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray head = file.read(100);
            if (head.size() == 100)
                d.reserved = quint8(head[20]);
        }
        {
            auto stmt = conn.Prepare("SELECT type, name, tbl_name, rootpage, sql FROM "
                                     "sqlite_schema ORDER BY rowid");
            while (stmt->Step()) {
                ObjectDesc o;
                o.type = stmt->ColumnText(0);
                o.name = stmt->ColumnText(1);
                o.table = stmt->ColumnText(2);
                o.root = quint32(stmt->ColumnInt64(3));
                o.sql = stmt->ColumnText(4);
                // Objects without a statement are made by SQLite itself (the indexes of
                // a table's own constraints, its sequence table).
                if (o.sql.isEmpty() || o.name.startsWith("sqlite_", Qt::CaseInsensitive))
                    continue;
                static const QRegularExpression unique(QStringLiteral("^\\s*CREATE\\s+UNIQUE\\s"),
                                                       QRegularExpression::CaseInsensitiveOption);
                o.unique = o.type == "index" && unique.match(o.sql).hasMatch();
                d.objects.append(o);
            }
        }
        const ObjectDesc* main = d.MainTable();
        for (const ObjectDesc& o : d.objects)
            if (!main && o.type == "table" && HoldsTableOfFile(path, o.name)) {
                d.mainTable = o.name;
                main = &o;
            }
        if (!main) {
            bool anyTable = false;
            for (const ObjectDesc& o : d.objects)
                anyTable = anyTable || o.type == "table";
            *why = anyTable ? QStringLiteral("the file holds no table %1").arg(d.mainTable)
                            : QStringLiteral("the file describes no table");
            return anyTable ? DescRead::OtherTable : DescRead::NoTable;
        }
        d.mainTable = main->name;
        auto info = conn.Prepare(QString("PRAGMA table_info(%1)").arg(QuoteName(main->name)));
        QList<int> keyColumns;
        while (info->Step()) {
            ColumnDesc c;
            c.name = info->ColumnText(1);
            c.type = info->ColumnText(2);
            if (info->ColumnInt64(5) > 0)
                keyColumns.append(int(d.columns.size()));
            d.columns.append(c);
        }
        // A single INTEGER PRIMARY KEY column is the row id itself.
        if (keyColumns.size() == 1 &&
            d.columns[keyColumns[0]].type.compare("INTEGER", Qt::CaseInsensitive) == 0)
            d.columns[keyColumns[0]].rowidAlias = true;
        if (d.columns.isEmpty()) {
            *why = QStringLiteral("the table %1 has no fields").arg(d.mainTable);
            return DescRead::Unreadable;
        }
    } catch (const EDatabaseError& error) {
        *why = error.Message();
        return DescRead::Unreadable;
    }
    *desc = d;
    return DescRead::Ok;
}

} // namespace tutil
