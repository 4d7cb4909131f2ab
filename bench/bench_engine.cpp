// The table engine on a table of 1,000,000 envelope gifts.
//
//   build/bench_engine [--rows N]    (the table is made once in the temp folder)
//
// BM_PostOfferingTwoDesks starts this program a second time as the other desk
// (--second-desk FOLDER), which posts gifts into the same table without pause.

#include "engine/Database.h"
#include "engine/Sqlite.h"
#include "engine/Table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <benchmark/benchmark.h>
#include <poll.h>
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

void RemoveFutureGifts() {
    SqliteConnection conn(Folder() + GiftDef().tableName, false, "gifts");
    conn.Exec("DELETE FROM vtxEnvelopeOfferingT WHERE OfferingDate >= '2100-01-01'");
}

// Whether the input of this process has closed (the benchmark that started it ended).
bool InputClosed() {
    pollfd input{0, POLLIN, 0};
    return poll(&input, 1, 0) > 0 && (input.revents & (POLLHUP | POLLIN));
}

// The other desk: posts gifts into the bench table, one after another, until its
// input closes. A gift refused after waiting too long for the file is given up.
int RunSecondDesk(const QString& folder) {
    Aliases::SetPath("BenchEngine", folder);
    Table t(GiftDef(), "EnvelopeOfferingT");
    t.DatabaseName = "BenchEngine";
    t.SetIndexName("EOEnvNum");
    t.Open();
    std::printf("posting\n");
    std::fflush(stdout);
    for (int n = 0; !InputClosed(); ++n) {
        QThread::msleep(10); // a moment between two gifts, as at a desk
        try {
            t.Append();
            t.FieldByName("EnvelopeNumber")->SetAsString(QString("S%1").arg(n % 5000));
            t.FieldByName("OfferingDate")->SetAsDate(QDate(2200, 1, 1).addDays(n / 5000));
            t.FieldByName("Amount")->SetAsString("7.25");
            t.Post();
        } catch (const EDatabaseError&) {
            t.Cancel();
        }
    }
    return 0;
}

// One gift posted while the other desk posts into the same table: the time includes
// waiting for the other desk's save to finish.
void BM_PostOfferingTwoDesks(benchmark::State& state) {
    RemoveFutureGifts();
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(), {"--second-desk", Folder()});
    if (!other.waitForReadyRead(60000)) {
        state.SkipWithError("the second desk did not start");
        other.kill();
        other.waitForFinished(10000);
        return;
    }
    int refused = 0; // posts that waited longer than the engine's busy timeout
    try {
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
            try {
                t.Post();
            } catch (const EDatabaseError&) {
                t.Cancel();
                ++refused;
            }
            ++n;
        }
    } catch (const EDatabaseError& e) {
        state.SkipWithError(e.what());
    }
    state.counters["refused"] = refused;
    other.closeWriteChannel();
    if (!other.waitForFinished(30000)) {
        other.kill();
        other.waitForFinished(10000);
    }
    {
        // How many gifts the other desk posted meanwhile.
        SqliteConnection conn(Folder() + GiftDef().tableName, false, "gifts");
        auto count = conn.Prepare(
            "SELECT COUNT(*) FROM vtxEnvelopeOfferingT WHERE OfferingDate >= '2200-01-01'");
        state.counters["otherDesk"] = count->Step() ? double(count->ColumnInt64(0)) : 0;
    }
    RemoveFutureGifts();
}
BENCHMARK(BM_PostOfferingTwoDesks)->Unit(benchmark::kMillisecond);

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
    if (argc == 3 && QString(argv[1]) == "--second-desk")
        return RunSecondDesk(QString::fromLocal8Bit(argv[2]));
    for (int i = 1; i + 1 < argc; ++i)
        if (QString(argv[i]) == "--rows")
            g_rows = QString(argv[i + 1]).toInt();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
