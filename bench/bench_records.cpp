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
#include "records/vtxBaptismVewF.h"
#include "records/vtxBirthViewF.h"
#include "records/vtxMarriageViewF.h"
#include "records/vtxPassingViewF.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxSearchBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <benchmark/benchmark.h>

namespace RecordsBench {

// The data module over the parish, opened on first use and kept for the run.
TDataMod& Module() {
    SampleParishOptions options; // what vtxsample writes with these two options
    options.members = 20000;
    options.years = 20;
    return KeptDataModule(SampleParishFolder("records-20000", options));
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

// Makes the first member from the middle of the roster on who has a record in the table
// (linked to the roster) the active record, so that a view window opens on a full list.
void ActivateMemberWithRecords(Table* records) {
    Table* roster = Module().RosterT;
    roster->SetRecNo(roster->RecordCount() / 2);
    while (records->IsEmpty() && !roster->Eof())
        roster->Next();
}

} // namespace RecordsBench

int main(int argc, char** argv) {
    return BenchMain(argc, argv);
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

// ---- The view windows --------------------------------------------------------------------

namespace {

using namespace RecordsBench;

// Creating and showing a view window on the active record's records, its first screen
// painted.
template <class TView> void OpenView(benchmark::State& state, Table* records) {
    ResetTables();
    ActivateMemberWithRecords(records);
    for (auto _ : state) {
        auto* view = new TView;
        view->show();
        Settle();
        state.PauseTiming();
        delete view;
        Settle();
        state.ResumeTiming();
    }
    state.counters["records shown"] = records->RecordCount();
    ResetTables();
}

void BM_OpenBaptismView(benchmark::State& state) {
    OpenView<TBaptismViewForm>(state, Module().BaptismT);
}
BENCHMARK(BM_OpenBaptismView)->Unit(benchmark::kMillisecond);

void BM_OpenBirthView(benchmark::State& state) {
    OpenView<TBirthViewForm>(state, Module().BirthT);
}
BENCHMARK(BM_OpenBirthView)->Unit(benchmark::kMillisecond);

void BM_OpenMarriageView(benchmark::State& state) {
    OpenView<TMarriageViewForm>(state, Module().MarriageT);
}
BENCHMARK(BM_OpenMarriageView)->Unit(benchmark::kMillisecond);

void BM_OpenPassingView(benchmark::State& state) {
    OpenView<TViewPassingForm>(state, Module().PassingT);
}
BENCHMARK(BM_OpenPassingView)->Unit(benchmark::kMillisecond);

// One key typed into the baptism view's search box: the baptism found by last name among
// the records shown, the box completed, the grid moved and repainted. Argument 1: the view
// shows all baptisms (7,000 rows); 0: the active record's only.
void BM_BaptismSearchKeystroke(benchmark::State& state) {
    TDataMod& module = Module();
    ResetTables();
    ActivateMemberWithRecords(module.BaptismT);
    auto view = std::make_unique<TBaptismViewForm>();
    view->show();
    view->activateWindow();
    if (state.range(0))
        view->GridView->Choose(false);
    TDBSearchBox* box = view->SearchBox;
    box->setFocus(Qt::OtherFocusReason);
    Settle();
    // What a user types: a few last names, letter by letter.
    QStringList keys;
    for (const QString name :
         {"Olson", "peterson", "Johnson", "Zimmerman", "Christensen", "Quist", "Bjornstad", "Mc"})
        keys << name.split(QString(), Qt::SkipEmptyParts) << QString();
    qsizetype next = 0;
    for (auto _ : state) {
        if (keys[next].isEmpty()) { // between names: start again with an empty box
            state.PauseTiming();
            box->clear();
            Settle();
            next = (next + 1) % keys.size();
            state.ResumeTiming();
        }
        const QString key = keys[next];
        next = (next + 1) % keys.size();
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, key);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, key);
        QApplication::sendEvent(box, &press);
        QApplication::sendEvent(box, &release);
        Settle();
    }
    state.counters["rows"] = module.BaptismT->RecordCount();
    view.reset();
    ResetTables();
}
BENCHMARK(BM_BaptismSearchKeystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The baptism view open with its Grid View link in force while the active record moves on
// by one member: the baptism table follows, the grid and the name are repainted.
void BM_BaptismFollowActiveRecord(benchmark::State& state) {
    TDataMod& module = Module();
    ResetTables();
    Table* roster = module.RosterT;
    ActivateRow(roster->RecordCount() / 2);
    auto view = std::make_unique<TBaptismViewForm>();
    view->show();
    Settle();
    int recNo = roster->RecNo();
    qint64 baptisms = 0;
    for (auto _ : state) {
        recNo = recNo % roster->RecordCount() + 1;
        roster->SetRecNo(recNo);
        Settle();
        baptisms += view->Grid->model()->rowCount();
    }
    state.counters["baptisms/member"] =
        benchmark::Counter(double(baptisms), benchmark::Counter::kAvgIterations);
    view.reset();
    ResetTables();
}
BENCHMARK(BM_BaptismFollowActiveRecord)->Unit(benchmark::kMillisecond);

} // namespace
