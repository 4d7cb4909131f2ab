// The lay ministry windows and report on a parish of 20,000 roster rows (the same generated
// parish as bench_roster, kept in the temporary folder), with the data module opened once for
// the whole run.
//
// Goals: opening the participation window and the rosters window under 200 ms each, a click
// on a ministry in the rosters window (filter applied, grid shown) under 20 ms, and the
// rosters report of every ministry laid out under 2 s.
//
// Each benchmark stands alone: it takes the data module from MinistryBench::Module() and
// leaves the shared enrolment table as it found it (no link, no filter).

#include "BenchSupport.h"
#include "data/vtxDataM.h"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <memory>

namespace MinistryBench {

const QString& ParishFolder() {
    static const QString folder = [] {
        SampleParishOptions options;
        options.members = 20000;
        options.years = 1;
        options.seed = 2024;
        return SampleParishFolder("roster-20000", options);
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

// Puts the shared enrolments back as a benchmark found them.
void ResetEnrolments() {
    Table* enrolled = Module().LayMinistryRosterT;
    enrolled->SetMasterSource(nullptr);
    enrolled->SetFiltered(false);
}

// The ministry numbers of the parish, in primary-key order.
QList<int> MinistryNumbers() {
    QList<int> numbers;
    Table* ministries = Module().LayMinistriesT;
    const int field = ministries->FieldByName("MinistryNumber")->Index();
    for (int row = 0; row < ministries->DisplayRowCount(); ++row)
        numbers << ministries->DisplayValue(row, field).toInt();
    return numbers;
}

} // namespace MinistryBench

// ---- The shared tables --------------------------------------------------------------------

namespace {

using namespace MinistryBench;

// What a click on a ministry does to the enrolments: the filter switched to the next
// ministry and the first screen of rows read with the member's looked-up name.
void BM_MinistryFilterSwitch(benchmark::State& state) {
    TDataMod& module = Module();
    ResetEnrolments();
    Table* enrolled = module.LayMinistryRosterT;
    const QList<int> ministries = MinistryNumbers();
    const int name = enrolled->FieldByName("LayMinisterName")->Index();
    qsizetype next = 0;
    qint64 rows = 0;
    for (auto _ : state) {
        enrolled->SetFilter(QString("MinistryNumber = %1").arg(ministries[next]));
        enrolled->SetFiltered(true);
        next = (next + 1) % ministries.size();
        for (int row = 0; row < qMin(30, enrolled->DisplayRowCount()); ++row)
            benchmark::DoNotOptimize(enrolled->DisplayText(row, name));
        rows += enrolled->RecordCount();
    }
    state.counters["rows/ministry"] =
        benchmark::Counter(double(rows), benchmark::Counter::kAvgIterations);
    state.counters["enrolments"] = module.LayMinistryRosterT->StoredRowCount();
    ResetEnrolments();
}
BENCHMARK(BM_MinistryFilterSwitch)->Unit(benchmark::kMillisecond);

// The participants query of the participation window's status panel, for each ministry.
void BM_ParticipantsCount(benchmark::State& state) {
    Query* q = Module().ParticipantsCountQ;
    const QList<int> ministries = MinistryNumbers();
    qsizetype next = 0;
    for (auto _ : state) {
        q->Close();
        if (!q->Prepared())
            q->Prepare();
        q->ParamByName("MinNum")->SetAsInteger(ministries[next]);
        q->Open();
        benchmark::DoNotOptimize(q->RecordCount());
        next = (next + 1) % ministries.size();
    }
}
BENCHMARK(BM_ParticipantsCount)->Unit(benchmark::kMillisecond);

} // namespace

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
    MinistryBench::TheModule.reset();
    return 0;
}
