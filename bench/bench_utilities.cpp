// The utilities on the parish of `vtxsample --members 20000 --years 20` (about 320 MB,
// generated once into the temporary folder and kept).
//
// Goals: a full backup (BM_BackupAll) within 1.5 times a plain copy of the same files by
// this program (BM_CopyFolder); Verify Only of every table (BM_VerifyAll: set-up,
// properties and verification of each table, as the repair window does) within twice
// SQLite's own integrity check of the same files (BM_IntegrityCheckAll). The counters
// "progress" tell how often each reported its progress.
//
//   build/bench_utilities --benchmark_repetitions=3

#include "BenchSupport.h"
#include "engine/Sqlite.h"
#include "utilities/TUtility.h"
#include "utilities/vtxBackupU.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

const QString& ParishFolder() {
    static const QString folder = [] {
        SampleParishOptions options; // as vtxsample --members 20000 --years 20
        options.members = 20000;
        options.years = 20;
        return SampleParishFolder("utilities-20000x20", options);
    }();
    return folder;
}

QString EmptyTarget(const QString& name) {
    const QString folder = BenchFolder(name);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

QStringList TableFiles() {
    return QDir(ParishFolder()).entryList({"*.DB"}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

qint64 FolderBytes(const QStringList& files) {
    qint64 bytes = 0;
    for (const QString& name : files)
        bytes += QFileInfo(ParishFolder() + name).size();
    return bytes;
}

// Every file of the folder copied as it is, replacing the copies of the last run.
void BM_CopyFolder(benchmark::State& state) {
    const QString target = EmptyTarget("utilities-copy");
    const QStringList files = BackupListFiles(ParishFolder());
    for (auto _ : state) {
        for (const QString& name : files) {
            QFile::remove(target + name);
            if (!QFile::copy(ParishFolder() + name, target + name))
                state.SkipWithError("a copy failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * FolderBytes(files));
}
BENCHMARK(BM_CopyFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

// The backup of the Data Backup window: every table through the engine's backup.
void BM_BackupAll(benchmark::State& state) {
    const QString target = EmptyTarget("utilities-backup");
    const QStringList files = BackupListFiles(ParishFolder());
    qint64 progress = 0;
    int copied = 0;
    for (auto _ : state)
        copied =
            BackupFiles(ParishFolder(), files, target, {}, [&](qint64, qint64) { ++progress; });
    if (copied != files.size())
        state.SkipWithError("a file was not backed up");
    state.SetBytesProcessed(state.iterations() * FolderBytes(files));
    state.counters["files"] = copied;
    state.counters["progress"] = double(progress) / double(state.iterations());
}
BENCHMARK(BM_BackupAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// SQLite's own integrity check of every table file, opened the engine's way.
void BM_IntegrityCheckAll(benchmark::State& state) {
    const QStringList files = TableFiles();
    for (auto _ : state) {
        for (const QString& name : files) {
            SqliteConnection conn(ParishFolder() + name, false, name);
            auto check = conn.Prepare("PRAGMA integrity_check");
            while (check->Step())
                if (check->ColumnText(0) != "ok")
                    state.SkipWithError("a table is damaged");
        }
    }
    state.counters["tables"] = double(files.size());
}
BENCHMARK(BM_IntegrityCheckAll)->Unit(benchmark::kMillisecond)->UseRealTime();

// Verify Only over every table: set-up, properties and verification through the library.
void BM_VerifyAll(benchmark::State& state) {
    const QStringList files = TableFiles();
    TTUtility utility;
    qint64 progress = 0;
    utility.OnProgress = [&](const TUProgress&) { ++progress; };
    for (auto _ : state) {
        for (const QString& name : files) {
            utility.SetUpTable(ParishFolder(), name);
            utility.ReadProperties();
            if (utility.Verify() != 0)
                state.SkipWithError("a table is damaged");
        }
    }
    state.counters["tables"] = double(files.size());
    state.counters["progress"] = double(progress) / double(state.iterations());
}
BENCHMARK(BM_VerifyAll)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ParishFolder(); // written once, before anything is timed
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
