#include "TuVerify.h"

#include "TuPages.h"
#include "engine/EDatabaseError.h"
#include "engine/Sqlite.h"

#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace tutil {

namespace {

constexpr int kProgressEvery = 1000; // SQLite steps between two calls of the progress handler

class Findings {
public:
    explicit Findings(VerifyResult& result) : m_result(result) {}
    void Add(int status, const QString& part, quint32 page, const QString& text) {
        m_result.findings.append({status, part, page, text});
        m_result.status = std::max(m_result.status, status);
    }
    // The problems of one tree, the first ones each on a row of its own.
    void AddTree(int status, const QString& part, const TreeReport& tree) {
        for (const PageProblem& p : tree.problems)
            Add(status, part, p.page, p.text + '.');
        const qint64 more = tree.problemCount - tree.problems.size();
        if (more > 0)
            Add(status, part, 0, QStringLiteral("%1 more problems.").arg(more));
    }

private:
    VerifyResult& m_result;
};

// True when pages after the first still read as pages of a table or an index.
bool HoldsTablePages(const PageFile& file) {
    if (file.PageSize() == 0)
        return file.GuessPageSize() != 0;
    const quint32 pages = file.PageCount();
    const quint32 step = std::max<quint32>(1, pages / 2000);
    BtreePage page;
    QString problem;
    for (quint32 n = 2; n <= pages; n += step)
        if (ReadBtreePage(file, n, &page, &problem))
            return true;
    return false;
}

void CompareStructure(const TableDesc& own, const TableDesc& expected, Findings& findings) {
    if (own.mainTable.compare(expected.mainTable, Qt::CaseInsensitive) != 0)
        return;
    for (const ColumnDesc& c : expected.columns)
        if (own.ColumnIndex(c.name) < 0)
            findings.Add(1, QStringLiteral("Header"), 1,
                         QStringLiteral("Field %1 is missing.").arg(c.name));
    const QList<const ObjectDesc*> wanted = expected.IndexesOf(expected.mainTable);
    for (const ObjectDesc* index : wanted) {
        const ObjectDesc* have = own.Find(index->name);
        if (!have || have->type != "index")
            findings.Add(1, "Index " + index->name, 0,
                         QStringLiteral("Index %1 is missing.").arg(index->name));
        else if (!SameSql(have->sql, index->sql))
            findings.Add(
                1, "Index " + index->name, have->root,
                QStringLiteral("Index %1 differs from the table's definition.").arg(index->name));
    }
    for (const ObjectDesc* index : own.IndexesOf(own.mainTable))
        if (!expected.Find(index->name))
            findings.Add(
                1, "Index " + index->name, index->root,
                QStringLiteral("Index %1 is not part of the table's definition.").arg(index->name));
}

struct IntegrityProgress {
    qint64 calls = 0;
    qint64 expected = 1;
    int lastPercent = -1;
    int indexCount = 0;
    const VerifyProgressFn* progress = nullptr;
};

int OnIntegrityStep(void* context) {
    auto* p = static_cast<IntegrityProgress*>(context);
    ++p->calls;
    // Never 100 before the check is over: the estimate may fall short.
    const int percent = int(std::min<qint64>(99, p->calls * 100 / p->expected));
    if (percent != p->lastPercent && p->progress && *p->progress) {
        p->lastPercent = percent;
        (*p->progress)(6, percent, p->indexCount, p->indexCount);
    }
    return 0;
}

void RunIntegrityCheck(const QString& path, qint64 rows, int indexes, int columns,
                       int secondaryIndexes, const VerifyProgressFn& progress, Findings& findings) {
    try {
        SqliteConnection conn(path, false, QFileInfo(path).fileName());
        IntegrityProgress context;
        context.expected = std::max<qint64>(1, IntegritySteps(rows, indexes, columns));
        context.indexCount = secondaryIndexes;
        context.progress = &progress;
        sqlite3_progress_handler(conn.Handle(), kProgressEvery, OnIntegrityStep, &context);
        auto stmt = conn.Prepare("PRAGMA integrity_check");
        while (stmt->Step()) {
            const QString text = stmt->ColumnText(0);
            if (text == "ok")
                continue;
            for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
                if (line.startsWith("***"))
                    continue;
                const bool index = line.contains("index", Qt::CaseInsensitive);
                findings.Add(index ? 1 : 2, QStringLiteral("Integrity"), 0, line);
            }
        }
        stmt.reset();
        sqlite3_progress_handler(conn.Handle(), 0, nullptr, nullptr);
    } catch (const EDatabaseError& error) {
        findings.Add(2, QStringLiteral("Integrity"), 0, error.Message());
    }
}

} // namespace

qint64 IntegritySteps(qint64 rows, int indexes, int columns) {
    // Measured on the program's tables: about 6 steps a row, 1.2 more for each field and
    // 5.5 for each index (a little more than most tables take: better to finish early).
    return rows * (60 + 12 * qint64(columns) + 55 * qint64(indexes)) / (10 * kProgressEvery) + 1;
}

VerifyResult VerifyTableFile(const QString& path, const TableDesc* expected, bool headerOnly,
                             const VerifyProgressFn& progress) {
    VerifyResult result;
    Findings findings(result);
    auto report = [&](int phase, int percent, int index = 0, int count = 0) {
        if (progress)
            progress(phase, percent, index, count);
    };
    report(0, 0);
    PageFile file;
    if (!file.Open(path)) {
        findings.Add(5, QStringLiteral("File"), 0,
                     QStringLiteral("The file cannot be read: %1.").arg(file.ErrorText()));
        report(0, 100);
        return result;
    }
    if (file.Size() == 0) {
        findings.Add(4, QStringLiteral("File"), 0,
                     QStringLiteral("The file is empty: it holds no table."));
        report(0, 100);
        return result;
    }
    if (!file.Header().magic || file.PageSize() == 0) {
        quint32 pages = 0;
        const int size = file.GuessPageSize(&pages);
        if (size)
            findings.Add(3, QStringLiteral("Header"), 1,
                         QStringLiteral("The file's header is damaged; %1 pages of %2 bytes "
                                        "still read as pages of a table.")
                             .arg(pages)
                             .arg(size));
        else
            findings.Add(4, QStringLiteral("Header"), 0,
                         QStringLiteral("The file is no table file."));
        report(0, 100);
        return result;
    }
    TableDesc own;
    QString why;
    switch (ReadTableDesc(path, &own, &why)) {
    case DescRead::Ok:
        break;
    case DescRead::Unreadable:
    case DescRead::NoTable:
        findings.Add(HoldsTablePages(file) ? 3 : 4, QStringLiteral("Header"), 1,
                     QStringLiteral("The description of the table cannot be read: %1.").arg(why));
        report(0, 100);
        return result;
    case DescRead::OtherTable:
        findings.Add(4, QStringLiteral("Header"), 1, QStringLiteral("%1.").arg(why));
        report(0, 100);
        return result;
    }
    if (expected)
        CompareStructure(own, *expected, findings);
    report(0, 100);
    if (headerOnly)
        return result;

    TreeWalker walker(file);
    bool treesSound = true;
    auto walk = [&](quint32 root, bool table, int status, const QString& part,
                    const std::function<void(int)>& step = {}) {
        TreeReport tree = walker.Walk(root, table, step);
        if (!tree.Sound()) {
            findings.AddTree(status, part, tree);
            treesSound = false;
        }
        return tree;
    };
    walk(1, true, 1, QStringLiteral("Header"));
    const ObjectDesc* main = own.MainTable();
    const ObjectDesc* primary = own.PrimaryIndex();
    QList<const ObjectDesc*> secondary = own.IndexesOf(own.mainTable);
    secondary.removeAll(primary);

    TreeReport primaryTree;
    if (primary)
        primaryTree = walk(primary->root, false, 1, "Index " + primary->name,
                           [&](int percent) { report(1, percent); });
    report(1, 100);
    const TreeReport data =
        walk(main->root, true, 2, QStringLiteral("Data"), [&](int percent) { report(2, percent); });
    result.rows = data.entries;
    auto compareEntries = [&](const ObjectDesc* index, const TreeReport& tree) {
        if (tree.Sound() && data.Sound() && tree.entries != data.entries)
            findings.Add(1, "Index " + index->name, index->root,
                         QStringLiteral("Index %1 holds %2 entries for %3 rows.")
                             .arg(index->name)
                             .arg(tree.entries)
                             .arg(data.entries));
    };
    if (primary)
        compareEntries(primary, primaryTree);
    // The other tables of the file and their indexes.
    for (const ObjectDesc& o : own.objects) {
        if (o.root == 0 || &o == main || &o == primary || secondary.contains(&o))
            continue;
        const bool table = o.type == "table";
        walk(o.root, table, table ? 2 : 1, (table ? "Table " : "Index ") + o.name);
    }
    report(2, 100);
    const int count = int(secondary.size());
    for (int i = 0; i < count; ++i) {
        const ObjectDesc* index = secondary[i];
        report(3, 100, i + 1, count); // its definition was compared with the header
        const TreeReport tree = walk(index->root, false, 1, "Index " + index->name,
                                     [&](int percent) { report(4, percent, i + 1, count); });
        compareEntries(index, tree);
        report(5, 100, i + 1, count);
    }
    const TreeReport free = walker.WalkFreeList();
    if (!free.Sound()) {
        findings.AddTree(1, QStringLiteral("Free pages"), free);
        treesSound = false;
    }
    if (treesSound) {
        const QList<quint32> unused = walker.UnusedPages();
        if (!unused.isEmpty()) {
            QStringList first;
            for (int i = 0; i < std::min<qsizetype>(10, unused.size()); ++i)
                first << QString::number(unused[i]);
            findings.Add(1, QStringLiteral("Free pages"), unused.first(),
                         QStringLiteral("%1 pages belong to no part of the table (%2%3).")
                             .arg(unused.size())
                             .arg(first.join(", "))
                             .arg(unused.size() > 10 ? ", ..." : ""));
        }
        // Whether every index entry matches its row: SQLite's own check. A file whose
        // trees are damaged would only fail it on the first damaged page.
        RunIntegrityCheck(path, data.entries, int(own.IndexesOf(own.mainTable).size()),
                          int(own.columns.size()), count, progress, findings);
    }
    report(6, 100, count, count);
    return result;
}

bool ReadTableProperties(const QString& path, TableProperties* properties, QString* why) {
    TableDesc desc;
    if (ReadTableDesc(path, &desc, why) != DescRead::Ok)
        return false;
    PageFile file;
    if (!file.Open(path) || file.PageSize() == 0) {
        *why = file.ErrorText();
        return false;
    }
    TreeWalker walker(file);
    const TreeReport tree = walker.Walk(desc.MainTable()->root, true);
    properties->records = tree.entries;
    properties->fields = int(desc.columns.size());
    properties->recordSize =
        tree.entries ? int((tree.payloadBytes + tree.entries / 2) / tree.entries) : 0;
    return true;
}

void WriteErrorTable(const QString& errorTable, const QString& tableFile,
                     const QList<Finding>& findings) {
    const QString name = QuoteName(TableNameOfFile(errorTable));
    SqliteConnection conn(errorTable, true, QFileInfo(errorTable).fileName());
    conn.Exec("PRAGMA journal_mode=DELETE");
    SqliteTransaction tx(conn);
    conn.Exec(QString("CREATE TABLE IF NOT EXISTS %1 (\"TableName\" TEXT, \"Status\" INTEGER, "
                      "\"Part\" TEXT, \"Page\" INTEGER, \"Problem\" TEXT)")
                  .arg(name));
    auto insert = conn.Prepare(
        QString("INSERT INTO %1 (\"TableName\", \"Status\", \"Part\", \"Page\", \"Problem\") "
                "VALUES (?, ?, ?, ?, ?)")
            .arg(name));
    for (const Finding& f : findings) {
        insert->Reset();
        insert->BindText(1, tableFile);
        insert->BindInt64(2, f.status);
        insert->BindText(3, f.part);
        if (f.page)
            insert->BindInt64(4, f.page);
        else
            insert->BindNull(4);
        insert->BindText(5, f.text);
        insert->Step();
    }
    insert.reset();
    tx.Commit();
}

} // namespace tutil
