// Table files written under another order of text (before the program compared
// accented letters, or with other Unicode tables) are brought up to date when they are
// first opened: their text indexes are rebuilt in one transaction, which touches no row,
// and the file then records the order it holds.
#include "engine/Table.h"

#include "engine/Sqlite.h"
#include "engine/TableSql.h"

#include <QHash>
#include <sqlite3.h>

namespace {

TableUpgradeProgress& Progress() {
    static TableUpgradeProgress progress;
    return progress;
}

// While one index is being built, the listener hears now and then that the work goes on.
struct Building {
    QString table;
    int done;
    int total;
};

int StillBuilding(void* context) {
    const auto* b = static_cast<const Building*>(context);
    if (Progress())
        Progress()(b->table, b->done, b->total);
    return 0; // go on
}

constexpr int kInstructionsBetweenReports = 200000;

int FileVersion(SqliteConnection& conn) {
    auto stmt = conn.Prepare("PRAGMA user_version");
    return stmt->Step() ? int(stmt->ColumnInt64(0)) : 0;
}

} // namespace

void SetTableUpgradeProgress(TableUpgradeProgress progress) {
    Progress() = std::move(progress);
}

QString CreateIndexSql(const TableDef& def, const IndexDef& index) {
    return QString("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(index.unique ? "UNIQUE " : "", QuoteName(index.name), QuoteName(def.BaseName()),
             IndexTerms(def, index).join(", "));
}

void Table::UpgradeFile() {
    SqliteConnection& conn = Conn();
    const int version = CollationVersion();
    if (FileVersion(conn) == version)
        return;
    // A file that cannot be written (a read-only folder) is read as it is: its rows in
    // the new order, sorted without the help of the old indexes.
    if (sqlite3_db_readonly(conn.Handle(), "main") == 1)
        return;
    SqliteTransaction tx(conn);
    if (FileVersion(conn) == version) // another desk has done it meanwhile
        return;
    QHash<QString, QString> present; // index name in lower case -> its statement
    {
        auto stmt = conn.Prepare(
            "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ?");
        stmt->BindText(1, m_def.BaseName());
        while (stmt->Step())
            present.insert(stmt->ColumnText(0).toLower(), stmt->ColumnText(1));
    }
    QList<const IndexDef*> rebuild;
    for (const IndexDef& index : m_def.indexes) {
        const QString sql = CreateIndexSql(m_def, index);
        const auto it = present.constFind(index.name.toLower());
        if (it == present.constEnd() || *it != sql || sql.contains(kCollationName))
            rebuild << &index;
    }
    const int total = int(rebuild.size());
    if (Progress())
        Progress()(m_def.tableName, 0, total);
    for (int i = 0; i < total; ++i) {
        Building building{m_def.tableName, i, total};
        if (Progress())
            sqlite3_progress_handler(conn.Handle(), kInstructionsBetweenReports, StillBuilding,
                                     &building);
        try {
            conn.Exec("DROP INDEX IF EXISTS " + QuoteName(rebuild[i]->name));
            conn.Exec(CreateIndexSql(m_def, *rebuild[i]));
            sqlite3_progress_handler(conn.Handle(), 0, nullptr, nullptr);
        } catch (const EDatabaseError& error) {
            sqlite3_progress_handler(conn.Handle(), 0, nullptr, nullptr);
            throw EDatabaseError(QString("The index %1 of table %2 could not be rebuilt: %3")
                                     .arg(rebuild[i]->name, Label(), error.Message()),
                                 error.Kind());
        }
        if (Progress())
            Progress()(m_def.tableName, i + 1, total);
    }
    conn.Exec(QString("PRAGMA user_version = %1").arg(version));
    tx.Commit();
}
