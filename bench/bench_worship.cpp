// The worship and music windows and the music library report on a parish of 20 years of
// services (about 2,200 services with their memos, 350 pieces of music and their uses),
// generated once into the temporary folder and kept, with the data module opened once for
// the whole run.
//
// Goals: opening the Worship Data Entry window and the Music Library window under 200 ms
// each; switching the Year Planner to another year under 50 ms; laying out the music
// library report under 1 s.
//
// Each benchmark stands alone: it takes the data module from WorshipBench::Module() and
// leaves the shared tables where it found them.

#include "BenchSupport.h"
#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "toolkit/vtxTableKeeper.h"
#include "toolkit/vtxYearGrid.h"
#include "utilities/vtxYearPlannerF.h"
#include "worship/vtxMusicLibraryF.h"
#include "worship/vtxMusicLibraryR.h"
#include "worship/vtxWorshipDataEntryF.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <benchmark/benchmark.h>
#include <memory>

namespace WorshipBench {

// 20,000 roster rows give a library of 350 pieces; the envelope gifts are capped, as no
// benchmark here reads them.
const QString& ParishFolder() {
    static const QString folder = [] {
        SampleParishOptions options;
        options.members = 20000;
        options.years = 20;
        options.seed = 2016;
        options.lastYear = 2024;
        options.envelopeGifts = 50000;
        return SampleParishFolder("worship-20y", options);
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

// Lets the window lay itself out and paint what the user would see.
void Settle() {
    QApplication::processEvents();
}

} // namespace WorshipBench

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
    WorshipBench::TheModule.reset();
    return 0;
}

namespace {

using namespace WorshipBench;

// Creating and showing the service entry window on a service in the middle of the 20
// years, its first screen painted (the template list, the thirty lines).
void BM_OpenWorshipDataEntry(benchmark::State& state) {
    TDataMod& module = Module();
    module.WorshipT->SetRecNo(module.WorshipT->RecordCount() / 2);
    for (auto _ : state) {
        auto* form = new TWorshipDataEntryForm;
        form->show();
        Settle();
        state.PauseTiming();
        delete form;
        Settle();
        state.ResumeTiming();
    }
    state.counters["services"] = module.WorshipT->RecordCount();
}
BENCHMARK(BM_OpenWorshipDataEntry)->Unit(benchmark::kMillisecond);

// Creating and showing the music library window, its grid painted.
void BM_OpenMusicLibrary(benchmark::State& state) {
    TDataMod& module = Module();
    module.MusicLibraryT->SetRecNo(module.MusicLibraryT->RecordCount() / 2);
    for (auto _ : state) {
        auto* form = new TMusicLibraryForm;
        form->show();
        Settle();
        state.PauseTiming();
        delete form;
        Settle();
        state.ResumeTiming();
    }
    state.counters["pieces"] = module.MusicLibraryT->RecordCount();
}
BENCHMARK(BM_OpenMusicLibrary)->Unit(benchmark::kMillisecond);

// The fourth digit typed into the year box: the grid rebuilt for the other year and
// repainted.
void BM_YearPlannerSwitchYear(benchmark::State& state) {
    auto planner = std::make_unique<TYearPlannerForm>();
    planner->show();
    Settle();
    QLineEdit* box = planner->YearEdit;
    const QString years[] = {QStringLiteral("2024"), QStringLiteral("2025")};
    int next = 0;
    for (auto _ : state) {
        box->setText(years[next]);
        next = 1 - next;
        Settle();
    }
    if (planner->YearGrid->Year() != years[1 - next].toInt())
        state.SkipWithError("the planner did not change its year");
}
BENCHMARK(BM_YearPlannerSwitchYear)->Unit(benchmark::kMillisecond);

// The music library report laid out over every piece (the report's walk, the keeper
// putting the current piece back).
void BM_MusicLibraryReport(benchmark::State& state) {
    TDataMod& module = Module();
    OptionsRecord.OrganizationName.SetText(QStringLiteral("St. Olaf Lutheran Church"));
    qint64 pages = 0;
    for (auto _ : state) {
        TTableKeeper keeper(module.MusicLibraryT, {.restore = TTableKeeper::Position});
        TMusicLibraryReport report;
        const ReportDocument document = report.Layout();
        pages = qint64(document.pages.size());
        benchmark::DoNotOptimize(document.printedRows);
    }
    state.counters["pieces"] = module.MusicLibraryT->RecordCount();
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_MusicLibraryReport)->Unit(benchmark::kMillisecond);

} // namespace
