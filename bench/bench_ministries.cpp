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
#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "ministries/vtxLayMinistriesEditF.h"
#include "ministries/vtxLayMinistriesRostersR.h"
#include "ministries/vtxLayMinistriesRostersView.h"
#include "ministries/vtxLayMinistriesU.h"
#include "toolkit/vtxDBGrid.h"

#include <QApplication>
#include <QLocale>
#include <QMouseEvent>
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

// ---- The windows ----------------------------------------------------------------------

namespace {

using namespace MinistryBench;

// A member in the middle of the roster who serves in a ministry.
void GoToAnEnrolledMember() {
    TDataMod& module = Module();
    Table* enrolled = module.LayMinistryRosterT;
    ResetEnrolments();
    enrolled->SetRecNo(enrolled->RecordCount() / 2);
    module.RosterT->Locate("RecordNumber",
                           {enrolled->FieldByName("RosterRecordNumber")->AsInteger()});
}

// Creating and showing the participation window over the active record's enrolments, its
// first screen painted.
void BM_OpenEditLayMinistries(benchmark::State& state) {
    TDataMod& module = Module();
    GoToAnEnrolledMember();
    int listed = 0;
    for (auto _ : state) {
        auto* form = new TEditLayMinistriesForm;
        form->show();
        Settle();
        state.PauseTiming();
        listed = module.LayMinistryRosterT->RecordCount();
        delete form;
        Settle();
        ResetEnrolments();
        state.ResumeTiming();
    }
    state.counters["enrolments"] = listed;
    state.counters["all enrolments"] = module.LayMinistryRosterT->StoredRowCount();
    ResetEnrolments();
}
BENCHMARK(BM_OpenEditLayMinistries)->Unit(benchmark::kMillisecond);

// Creating and showing the rosters window: the link removed, the current ministry's
// participants listed, both grids painted.
void BM_OpenMinistryRostersView(benchmark::State& state) {
    TDataMod& module = Module();
    GoToAnEnrolledMember();
    for (auto _ : state) {
        state.PauseTiming();
        ShowMemberEnrolments(); // as the participation window leaves the table
        state.ResumeTiming();
        auto* view = new TLayMinistriesRostersViewForm;
        view->show();
        Settle();
        state.PauseTiming();
        delete view;
        Settle();
        state.ResumeTiming();
    }
    state.counters["participants"] = module.LayMinistryRosterT->RecordCount();
    ResetEnrolments();
}
BENCHMARK(BM_OpenMinistryRostersView)->Unit(benchmark::kMillisecond);

// A mouse click on a cell of the ministries grid.
void Click(TDBGrid* grid, int row) {
    const QPoint at = grid->visualRect(grid->model()->index(row, 1)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, grid->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, grid->viewport()->mapToGlobal(at),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &press);
    QApplication::sendEvent(grid->viewport(), &release);
}

// A click on a ministry in the rosters window: the ministry made current, its participants
// listed and the grids repainted. The ministries are clicked in turn.
void BM_MinistryRosterClick(benchmark::State& state) {
    TDataMod& module = Module();
    ResetEnrolments();
    auto view = std::make_unique<TLayMinistriesRostersViewForm>();
    view->resize(900, 640);
    view->show();
    Settle();
    TDBGrid* grid = view->MinistriesGrid;
    const int ministries = grid->model()->rowCount();
    int next = 0;
    qint64 listed = 0;
    for (auto _ : state) {
        Click(grid, next);
        Settle();
        listed += module.LayMinistryRosterT->RecordCount();
        next = (next + 1) % ministries;
    }
    if (view->ListedMinistry() != module.LayMinistriesT->FieldByName("MinistryNumber")->AsInteger())
        state.SkipWithError("the click did not list the ministry");
    state.counters["participants"] =
        benchmark::Counter(double(listed), benchmark::Counter::kAvgIterations);
    view.reset();
    ResetEnrolments();
}
BENCHMARK(BM_MinistryRosterClick)->Unit(benchmark::kMillisecond);

// The rosters report of every ministry, one after the other: each ministry listed as a click
// lists it, its report created and laid out over its participants.
void BM_MinistryRostersReport(benchmark::State& state) {
    Module();
    ResetEnrolments();
    OptionsRecord.OrganizationName.SetText(QStringLiteral("St. Olaf Lutheran Church"));
    const QList<int> ministries = MinistryNumbers();
    qint64 rows = 0;
    qint64 pages = 0;
    for (auto _ : state) {
        rows = 0;
        pages = 0;
        for (int ministry : ministries) {
            ShowMinistryEnrolments(ministry);
            TLayMinistriesRostersReport report(ministry);
            const ReportDocument document = report.Layout();
            rows += document.printedRows;
            pages += qint64(document.pages.size());
        }
    }
    state.counters["ministries"] = double(ministries.size());
    state.counters["rows"] = double(rows);
    state.counters["pages"] = double(pages);
    ResetEnrolments();
}
BENCHMARK(BM_MinistryRostersReport)->Unit(benchmark::kMillisecond);

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
