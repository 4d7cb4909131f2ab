// The stewardship windows and reports on large, old parishes (generated once into the
// temporary folder and kept):
//
// - 20,000 members and 20 years of weekly gifts (vtxsample --members 20000 --years 20:
//   about 4,000,000 envelope gifts) for the Stewardship Data Entry window, whose grid shows
//   every gift of every year: opening the window under 300 ms, entering one gift (a click
//   on the Sunday, a click on the envelope, the amount typed, the next click that posts
//   it) under 80 ms for the four steps, one key in the envelope search box under 5 ms;
// - 20,000 members and 5 years (about 1,000,000 gifts) for the quarterly pledge summary of
//   one quarter (about 250,000 lines): laid out under 5 s, the process under 300 MB (run
//   it alone for that figure: --benchmark_filter=BM_QuarterlyReport).
//
// The data module is opened once per parish and kept while the benchmarks of that parish
// run; each benchmark leaves the shared tables as it found them.

#include "BenchSupport.h"
#include "data/vtxGlobalsU.h"
#include "data/vtxDataM.h"
#include "engine/TableScan.h"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <memory>
#include <sys/resource.h>

namespace StewardshipBench {

enum class Parish { TwentyYears, FiveYears };

QString ParishFolder(Parish parish) {
    SampleParishOptions options;
    options.members = 20000;
    options.years = parish == Parish::TwentyYears ? 20 : 5;
    return SampleParishFolder(QString("stewardship-20000x%1").arg(options.years), options);
}

std::unique_ptr<TDataMod> TheModule;
Parish TheParish = Parish::TwentyYears;

// The data module over the parish, opened on first use and kept until another parish is
// asked for.
TDataMod& Module(Parish parish) {
    if (TheModule && TheParish != parish)
        TheModule.reset();
    if (!TheModule) {
        Aliases::SetPath(VTX2AliasName, ParishFolder(parish));
        TheModule = std::make_unique<TDataMod>();
        TheModule->OpenDataSets();
        TheParish = parish;
    }
    return *TheModule;
}

// Lets the windows lay themselves out and paint what the user would see.
void Settle() {
    QApplication::processEvents();
}

// The largest resident size of the process so far, in megabytes.
double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace StewardshipBench

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
    StewardshipBench::TheModule.reset();
    return 0;
}

// ---- Reading every gift ---------------------------------------------------------------

namespace {

using namespace StewardshipBench;

// Every gift of 20 years read in the table's order with its calculated quarter, as the
// quarterly summary reads them, without moving the shared cursor.
void BM_ScanEveryGift(benchmark::State& state) {
    TDataMod& module = Module(Parish::TwentyYears);
    Table* gifts = module.EnvelopeOfferingT;
    Field* quarter = gifts->FieldByName("Quarter");
    qint64 rows = 0;
    for (auto _ : state) {
        TableScan scan(*gifts);
        int second = 0;
        while (scan.Next())
            second += scan.Value(quarter).toInt() == 2;
        rows = scan.RowsRead();
        benchmark::DoNotOptimize(second);
    }
    state.counters["rows"] = double(rows);
    state.counters["peakMB"] = PeakMegabytes();
}
BENCHMARK(BM_ScanEveryGift)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
