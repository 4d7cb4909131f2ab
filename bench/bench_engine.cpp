// The table engine on a table of 1,000,000 envelope gifts.
//
//   build/bench_engine [--rows N]    (the table is made once in the temp folder)

#include "engine/Database.h"
#include "engine/Sqlite.h"
#include "engine/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {

int g_rows = 1000000;

QString BenchFolder(const QString& name) {
    const QString path = QDir::tempPath() + "/vtxbench-" + name + "/";
    QDir().mkpath(path);
    return path;
}

TableDef GiftDef() {
    TableDef d;
    d.tableName = "vtxEnvelopeOfferingT.db";
    d.fields = {TextField("EnvelopeNumber", 10), DateField("OfferingDate"), DateField("PostedDate"),
                MoneyField("Amount")};
    d.indexes = {PrimaryIndexDef("EnvelopeOfferingTIndex1", {"EnvelopeNumber", "OfferingDate"}),
                 SecondaryIndexDef("EOEnvNum", {"EnvelopeNumber"})};
    return d;
}

QString Folder() {
    static QString folder;
    if (!folder.isEmpty())
        return folder;
    folder = BenchFolder(QString("engine-%1").arg(g_rows));
    Aliases::SetPath("BenchEngine", folder);
    const TableDef def = GiftDef();
    if (QFileInfo::exists(folder + def.tableName))
        return folder;
    Table t(def, "EnvelopeOfferingT");
    t.DatabaseName = "BenchEngine";
    t.CreateTable();
    // Weekly gifts from 2,000 envelopes, written in one transaction.
    SqliteConnection conn(folder + def.tableName, false, def.tableName);
    SqliteTransaction tx(conn);
    auto stmt = conn.Prepare("INSERT INTO vtxEnvelopeOfferingT VALUES (?, ?, ?, ?)");
    const int envelopes = 2000;
    const QDate start(2000, 1, 2);
    for (int i = 0; i < g_rows; ++i) {
        const int envelope = 1 + i % envelopes;
        const QDate sunday = start.addDays(7 * (i / envelopes));
        stmt->Reset();
        stmt->BindText(1, QString::number(envelope));
        stmt->BindText(2, sunday.toString(Qt::ISODate));
        stmt->BindText(3, sunday.addDays(1).toString(Qt::ISODate));
        sqlite3_bind_double(stmt->Handle(), 4, 5.0 + (i % 97));
        stmt->Step();
    }
    stmt.reset();
    tx.Commit();
    return folder;
}

// The floor: the ordered row-id scan with the SQLite C API alone.
void BM_RawOrderedScan(benchmark::State& state) {
    const QString path = Folder() + GiftDef().tableName;
    for (auto _ : state) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT rowid FROM vtxEnvelopeOfferingT ORDER BY EnvelopeNumber "
                           "COLLATE NOCASE, rowid",
                           -1, &stmt, nullptr);
        std::vector<int64_t> ids;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int64(stmt, 0));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        benchmark::DoNotOptimize(ids.size());
    }
}
BENCHMARK(BM_RawOrderedScan)->Unit(benchmark::kMillisecond);

void BM_OpenOfferings(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        Table t(GiftDef(), "EnvelopeOfferingT");
        t.DatabaseName = "BenchEngine";
        t.SetIndexName("EOEnvNum");
        t.Open();
        benchmark::DoNotOptimize(t.RecordCount());
    }
}
BENCHMARK(BM_OpenOfferings)->Unit(benchmark::kMillisecond);

void BM_PostOffering(benchmark::State& state) {
    {
        SqliteConnection conn(Folder() + GiftDef().tableName, false, "gifts");
        conn.Exec("DELETE FROM vtxEnvelopeOfferingT WHERE OfferingDate >= '2100-01-01'");
    }
    Table t(GiftDef(), "EnvelopeOfferingT");
    t.DatabaseName = "BenchEngine";
    t.SetIndexName("EOEnvNum");
    t.Open();
    int n = 0;
    for (auto _ : state) {
        t.Append();
        t.FieldByName("EnvelopeNumber")->SetAsString(QString("B%1").arg(n % 5000));
        t.FieldByName("OfferingDate")->SetAsDate(QDate(2100, 1, 1).addDays(n / 5000));
        t.FieldByName("Amount")->SetAsString("12.50");
        t.Post();
        ++n;
    }
    // Leave the table as it was for the next run (outside the timed loop).
    t.Close();
    SqliteConnection conn(Folder() + GiftDef().tableName, false, "gifts");
    conn.Exec("DELETE FROM vtxEnvelopeOfferingT WHERE OfferingDate >= '2100-01-01'");
}
BENCHMARK(BM_PostOffering)->Unit(benchmark::kMillisecond);

void BM_LocateOffering(benchmark::State& state) {
    Folder();
    Table t(GiftDef(), "EnvelopeOfferingT");
    t.DatabaseName = "BenchEngine";
    t.SetIndexName("EOEnvNum");
    t.Open();
    int n = 0;
    for (auto _ : state) {
        const bool found = t.Locate("EnvelopeNumber", {QString::number(1 + (n * 37) % 2000)});
        benchmark::DoNotOptimize(found);
        ++n;
    }
}
BENCHMARK(BM_LocateOffering)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (int i = 1; i + 1 < argc; ++i)
        if (QString(argv[i]) == "--rows")
            g_rows = QString(argv[i + 1]).toInt();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
