#pragma once
// Data folders for the data module tests: a temporary folder named by the alias
// "Vestrix2", and fixture rows written through plain tables that carry none of
// the data module's rules.

#include "TestSupport.h"
#include "data/vtxDataM.h"

#include <QVariantMap>
#include <map>
#include <memory>

class DataFolder {
public:
    // Binds the alias to a new temporary folder; with create, writes the table
    // files of a first start into it.
    explicit DataFolder(bool create = true) {
        Aliases::SetPath(VTX2AliasName, m_temp.path());
        if (create)
            TDataMod::CreateDataFolder(m_temp.path());
    }
    ~DataFolder() { Aliases::Remove(VTX2AliasName); }
    QString path() const { return m_temp.path(); }
    QString file(const QString& name) const { return m_temp.file(name); }

    // A plain table on a table file of the folder, opened on first use.
    Table& Plain(const QString& name) {
        auto& slot = m_tables[name];
        if (!slot) {
            slot = std::make_unique<Table>(TableDefOf(name), name);
            slot->DatabaseName = VTX2AliasName;
            slot->Open();
        }
        return *slot;
    }
    // Appends one row with the given field values and posts it.
    void Add(const QString& name, const QVariantMap& values) {
        Table& t = Plain(name);
        t.Append();
        try {
            for (auto it = values.begin(); it != values.end(); ++it)
                t.FieldByName(it.key())->SetValue(it.value());
            t.Post();
        } catch (...) {
            t.Cancel();
            throw;
        }
    }
    void CloseTables() { m_tables.clear(); }

private:
    TempFolder m_temp;
    std::map<QString, std::unique_ptr<Table>> m_tables;
};
