// The pastoral record windows on the parish that `vtxsample --members 20000 --years 20`
// writes (about 7,000 baptisms, 3,700 births, 2,650 marriages with their families, party
// and logistics; generated once into the temporary folder and kept), with the data module
// opened once for the whole run.
//
// Goals: opening each view window under 200 ms, one key typed into the baptism view's
// search box under 5 ms, the baptism view following a new active record with its Grid
// View link in force under 5 ms.
//
// Each benchmark stands alone: it takes the data module from RecordsBench::Module() and
// leaves the shared tables as it found them (RecordsBench::ResetTables).

#include "BenchSupport.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <memory>

namespace RecordsBench {

const QString& ParishFolder() {
    static const QString folder = [] {
        SampleParishOptions options; // what vtxsample writes with these two options
        options.members = 20000;
        options.years = 20;
        return SampleParishFolder("records-20000", options);
    }();
    return folder;
}

std::unique_ptr<TDataMod> TheModule;

// The data module over the parish, opened on first use and kept for the run.
TDataMod& Module() {
    if (!TheModule) {
        Aliases::SetPath(VTX2AliasName, ParishFolder());
        TheModule = std::make_unique<TDataMod>();
        TheModule->OpenDataSets();
    }
    return *TheModule;
}

// Lets the windows lay themselves out and paint what the user would see.
void Settle() {
    QApplication::processEvents();
}

// Puts the shared tables back as the program starts them: the roster in record-number
// order, the member records linked to the active record in their record-number order.
void ResetTables() {
    TDataMod& module = Module();
    module.RosterT->SetFiltered(false);
    module.RosterT->SetIndexName(QString());
    for (Table* t : {module.BaptismT, module.BirthT, module.MarriageT}) {
        t->SetMasterSource(module.RosterS);
        t->SetMasterFields("RecordNumber");
    }
    module.BaptismT->SetIndexName("BRecNo");
    module.MarriageT->SetIndexName("MRecNo");
}

// Makes the roster row at a position (1-based, in record-number order) the active record.
void ActivateRow(int recNo) {
    Module().RosterT->SetRecNo(recNo);
}

} // namespace RecordsBench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RecordsBench::TheModule.reset();
    return 0;
}

// ---- The shared tables alone, without a window ------------------------------------------

namespace {

using namespace RecordsBench;

// The roster moves on by one member and the member record tables follow it through their
// links: what every record window waits for when the active record changes.
void BM_RecordTablesFollowRoster(benchmark::State& state) {
    TDataMod& module = Module();
    ResetTables();
    Table* roster = module.RosterT;
    int recNo = 1;
    qint64 baptisms = 0;
    for (auto _ : state) {
        recNo = recNo % roster->RecordCount() + 1;
        roster->SetRecNo(recNo);
        baptisms += module.BaptismT->RecordCount();
    }
    state.counters["baptisms/member"] =
        benchmark::Counter(double(baptisms), benchmark::Counter::kAvgIterations);
    ResetTables();
}
BENCHMARK(BM_RecordTablesFollowRoster)->Unit(benchmark::kMicrosecond);

// The baptism table's link cut and set again: the two " Grid View " choices.
void BM_BaptismLinkCutAndSet(benchmark::State& state) {
    TDataMod& module = Module();
    ResetTables();
    ActivateRow(module.RosterT->RecordCount() / 2);
    Table* baptisms = module.BaptismT;
    for (auto _ : state) {
        baptisms->SetMasterSource(nullptr);
        benchmark::DoNotOptimize(baptisms->RecordCount());
        baptisms->SetMasterSource(module.RosterS);
    }
    state.counters["all baptisms"] = double(baptisms->StoredRowCount());
    ResetTables();
}
BENCHMARK(BM_BaptismLinkCutAndSet)->Unit(benchmark::kMillisecond);

} // namespace
