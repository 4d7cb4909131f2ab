#include "engine/Database.h"

#include "engine/DataSet.h"
#include "engine/EDatabaseError.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSettings>

namespace {
QHash<QString, QString>& AliasTable() {
    static QHash<QString, QString> table;
    return table;
}

// The aliases as they were named, by lower-case name.
QHash<QString, QString>& AliasNames() {
    static QHash<QString, QString> names;
    return names;
}

QList<Database*>& AllDatabases() {
    static QList<Database*> all;
    return all;
}

QString WithSeparator(const QString& folder) {
    QString f = QDir::fromNativeSeparators(folder);
    if (!f.endsWith('/'))
        f += '/';
    return f;
}
} // namespace

namespace Aliases {
void SetPath(const QString& alias, const QString& folder) {
    AliasTable().insert(alias.toLower(), WithSeparator(folder));
    if (!AliasNames().contains(alias.toLower()))
        AliasNames().insert(alias.toLower(), alias);
}
QString Path(const QString& alias) {
    return AliasTable().value(alias.toLower());
}
bool Has(const QString& alias) {
    return AliasTable().contains(alias.toLower());
}
void Remove(const QString& alias) {
    AliasTable().remove(alias.toLower());
    AliasNames().remove(alias.toLower());
}
QStringList Names() {
    return AliasNames().values();
}

bool LoadIni(const QString& iniPath) {
    if (!QFileInfo::exists(iniPath))
        return false;
    QSettings ini(iniPath, QSettings::IniFormat);
    const QDir base = QFileInfo(iniPath).absoluteDir();
    for (const QString& group : ini.childGroups()) {
        ini.beginGroup(group);
        const QString path = ini.value("PATH").toString().trimmed();
        ini.endGroup();
        if (!path.isEmpty())
            SetPath(group, QDir::isAbsolutePath(path) ? path : base.absoluteFilePath(path));
    }
    return true;
}
} // namespace Aliases

Database::Database(const QString& databaseName, const QString& aliasName)
    : m_name(databaseName), m_alias(aliasName) {
    AllDatabases().append(this);
}

Database::~Database() {
    CloseDataSets();
    AllDatabases().removeAll(this);
}

QString Database::Folder() const {
    return Aliases::Path(m_alias);
}

void Database::Open() {
    const QString folder = Folder();
    if (folder.isEmpty())
        throw EDatabaseError(QString("Unknown database alias: %1").arg(m_alias));
    if (!QFileInfo(folder).isDir())
        throw EDatabaseError(
            QString("The data folder %1 of alias %2 does not exist.").arg(folder, m_alias),
            ErrorKind::Storage);
    m_connected = true;
}

void Database::CloseDataSets() {
    const QList<DataSet*> sets = m_dataSets;
    for (DataSet* d : sets)
        d->Close();
}

void Database::Close() {
    CloseDataSets();
    m_connected = false;
}

void Database::RegisterDataSet(DataSet* dataSet) {
    if (!m_dataSets.contains(dataSet))
        m_dataSets.append(dataSet);
}

void Database::UnregisterDataSet(DataSet* dataSet) {
    m_dataSets.removeAll(dataSet);
}

Database* Database::Find(const QString& databaseName) {
    for (Database* d : AllDatabases())
        if (d->m_name.compare(databaseName, Qt::CaseInsensitive) == 0)
            return d;
    return nullptr;
}

QStringList Database::Names() {
    QStringList names;
    for (Database* d : AllDatabases())
        names << d->m_name;
    return names;
}

QString ResolveDataFolder(const QString& name) {
    QString folder;
    if (Database* db = Database::Find(name)) {
        if (!db->Connected())
            db->Open();
        folder = db->Folder();
    } else {
        folder = Aliases::Path(name);
        if (folder.isEmpty())
            throw EDatabaseError(QString("Unknown database: %1").arg(name));
    }
    if (!QFileInfo(folder).isDir())
        throw EDatabaseError(QString("The data folder %1 does not exist.").arg(folder),
                             ErrorKind::Storage);
    return folder;
}
