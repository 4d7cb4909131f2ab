// The roster windows and reports on a parish of 20,000 roster rows (generated once into
// the temporary folder and kept), with the data module opened once for the whole run.
//
// Goals: opening the View Roster window under 200 ms, one key typed into its search box
// under 5 ms, a click on its "Last Name" title under 100 ms; laying out the roster list of
// names, addresses and phones (report kind 2) under 2 s.
//
// Each benchmark below the program entry stands alone: it takes the data module from
// RosterBench::Module() and leaves the shared roster as it found it (record-number order,
// no filter), so benchmarks can be appended to this file in any number.

#include "BenchSupport.h"
#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "roster/vtxRosterAddressR.h"
#include "roster/vtxRosterViewF.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <memory>

namespace RosterBench {

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

// Lets the window lay itself out and paint what the user would see.
void Settle() {
    QApplication::processEvents();
}

// Puts the shared roster back as a benchmark found it.
void ResetRoster() {
    Table* roster = Module().RosterT;
    roster->SetFiltered(false);
    roster->SetIndexName(QString());
}

} // namespace RosterBench

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
    RosterBench::TheModule.reset();
    return 0;
}

// ---- View Roster --------------------------------------------------------------------

namespace {

using namespace RosterBench;

// Creating and showing the window over the whole roster, its first screen painted.
void BM_OpenRosterView(benchmark::State& state) {
    TDataMod& module = Module();
    ResetRoster();
    module.RosterT->SetRecNo(module.RosterT->RecordCount() / 2);
    for (auto _ : state) {
        auto* view = new TRosterViewForm;
        view->show();
        Settle();
        state.PauseTiming();
        delete view;
        Settle();
        state.ResumeTiming();
    }
    state.counters["rows"] = module.RosterT->RecordCount();
}
BENCHMARK(BM_OpenRosterView)->Unit(benchmark::kMillisecond);

// One key typed into the search box: the roster found by last name, the box completed,
// the grid scrolled to the row and repainted.
void BM_RosterSearchKeystroke(benchmark::State& state) {
    TDataMod& module = Module();
    ResetRoster();
    auto view = std::make_unique<TRosterViewForm>();
    view->show();
    view->activateWindow();
    TDBSearchBox* box = view->SearchBox;
    box->setFocus(Qt::OtherFocusReason);
    Settle();
    // What a user types: a few last names, letter by letter.
    QStringList keys;
    for (const QString name : {"Olson", "peterson", "Van der Berg", "Zimmerman", "Christensen",
                               "Quist", "Bjornstad", "Mc"})
        keys << name.split(QString(), Qt::SkipEmptyParts) << QString();
    qsizetype next = 0;
    for (auto _ : state) {
        const QString key = keys[next];
        next = (next + 1) % keys.size();
        if (key.isEmpty()) { // between names: start again with an empty box
            state.PauseTiming();
            box->clear();
            state.ResumeTiming();
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
        Settle();
    }
    benchmark::DoNotOptimize(module.RosterT->RecNo());
    view.reset();
    ResetRoster();
}
BENCHMARK(BM_RosterSearchKeystroke)->Unit(benchmark::kMillisecond);

// A click on the "Last Name" title of a roster in record-number order: the roster sorted
// by last name, the cursor kept on its record, the grid repainted.
void BM_RosterTitleSort(benchmark::State& state) {
    TDataMod& module = Module();
    ResetRoster();
    module.RosterT->SetRecNo(module.RosterT->RecordCount() / 3);
    auto view = std::make_unique<TRosterViewForm>();
    view->show();
    Settle();
    TDBGrid* grid = view->RosterGrid;
    const int lastName = grid->ColumnOfField("LName");
    const int record = grid->ColumnOfField("RecordNumber");
    for (auto _ : state) {
        state.PauseTiming();
        Q_EMIT grid->horizontalHeader()->sectionClicked(record);
        Settle();
        state.ResumeTiming();
        Q_EMIT grid->horizontalHeader()->sectionClicked(lastName);
        Settle();
    }
    if (module.RosterT->IndexName() != "RLN")
        state.SkipWithError("the roster was not sorted by last name");
    view.reset();
    ResetRoster();
}
BENCHMARK(BM_RosterTitleSort)->Unit(benchmark::kMillisecond);

} // namespace

// ---- Roster reports -------------------------------------------------------------------

namespace {

using namespace RosterBench;

// The list of names, addresses and phones (report kind 2): the report created (the roster
// ordered by last name and suffix) and laid out over every roster row.
void BM_RosterAddressReport(benchmark::State& state) {
    TDataMod& module = Module();
    ResetRoster();
    OptionsRecord.OrganizationName.SetText(QStringLiteral("St. Olaf Lutheran Church"));
    ReportKind = 2;
    qint64 pages = 0;
    for (auto _ : state) {
        TRosterAddressReport report;
        const ReportDocument document = report.Layout();
        pages = qint64(document.pages.size());
        benchmark::DoNotOptimize(document.printedRows);
        state.PauseTiming();
        ResetRoster();
        state.ResumeTiming();
    }
    state.counters["rows"] = module.RosterT->RecordCount();
    state.counters["pages"] = double(pages);
}
BENCHMARK(BM_RosterAddressReport)->Unit(benchmark::kMillisecond);

} // namespace
