#pragma once
// Named databases and aliases. An alias names a data folder; a named database
// is bound to an alias; a table or query is opened through either name.

#include <QList>
#include <QString>
#include <QStringList>

class DataSet;

namespace Aliases {
void SetPath(const QString& alias, const QString& folder);
QString Path(const QString& alias); // empty when the alias is unknown
bool Has(const QString& alias);
void Remove(const QString& alias);
// Every alias known, as it was first named.
QStringList Names();
// Reads every [Alias] group with a PATH entry of an engine configuration file
// ("vtxAliases.ini"); relative paths are taken from the file's folder. Returns
// false when the file does not exist.
bool LoadIni(const QString& iniPath);
} // namespace Aliases

class Database {
public:
    Database(const QString& databaseName, const QString& aliasName);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& DatabaseName() const { return m_name; }
    const QString& AliasName() const { return m_alias; }
    // Connects: the alias must name an existing folder. Raises EDatabaseError.
    void Open();
    // Closes every data set opened through this database, then disconnects.
    void Close();
    void CloseDataSets();
    bool Connected() const { return m_connected; }
    QString Folder() const; // with a trailing separator

    void RegisterDataSet(DataSet* dataSet);
    void UnregisterDataSet(DataSet* dataSet);
    const QList<DataSet*>& DataSets() const { return m_dataSets; }

    static Database* Find(const QString& databaseName);
    // The names of every named database.
    static QStringList Names();

private:
    QString m_name;
    QString m_alias;
    bool m_connected = false;
    QList<DataSet*> m_dataSets;
};

// The folder (with a trailing separator) of a database name or an alias name.
// Raises EDatabaseError for an unknown name or a missing folder.
QString ResolveDataFolder(const QString& databaseOrAlias);
