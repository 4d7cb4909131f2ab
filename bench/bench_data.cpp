// The data module on a large parish: 20,000 roster rows and 1,000,000 envelope
// gifts (generated once into the temporary folder and kept).
//
// Goals: opening every data set under 1 s, switching the roster's index under
// 50 ms, one keystroke of the last-name finder under 2 ms, moving the roster by
// one row with every member detail table following under 2 ms, the next roster
// number with a grid watching the roster under 50 ms.

#include "BenchSupport.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"

#include <QObject>

#include <QStringList>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QString& ParishFolder() {
    static const QString folder = [] {
        SampleParishOptions options;
        options.members = 20000;
        options.years = 5;
        options.seed = 2024;
        options.envelopeGifts = 1000000;
        return SampleParishFolder("data-20000", options);
    }();
    return folder;
}

std::unique_ptr<TDataMod> OpenModule() {
    Aliases::SetPath(VTX2AliasName, ParishFolder());
    auto module = std::make_unique<TDataMod>();
    module->OpenDataSets();
    return module;
}

void BM_OpenAllDataSets(benchmark::State& state) {
    Aliases::SetPath(VTX2AliasName, ParishFolder());
    for (auto _ : state) {
        auto module = std::make_unique<TDataMod>();
        module->OpenDataSets();
        benchmark::DoNotOptimize(module->RosterT->RecordCount());
        state.PauseTiming();
        module.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAllDataSets)->Unit(benchmark::kMillisecond);

void BM_RosterIndexSwitch(benchmark::State& state) {
    auto module = OpenModule();
    Table* roster = module->RosterT;
    roster->SetRecNo(roster->RecordCount() / 3);
    bool byName = true;
    for (auto _ : state) {
        roster->SetIndexName(byName ? "RLN" : "");
        byName = !byName;
    }
    state.counters["rows"] = roster->RecordCount();
}
BENCHMARK(BM_RosterIndexSwitch)->Unit(benchmark::kMillisecond);

void BM_RosterIncrementalSearch(benchmark::State& state) {
    auto module = OpenModule();
    Table* roster = module->RosterT;
    roster->SetIndexName("RLN");
    // What a user types: the growing text of a few last names, letter by letter.
    QStringList keystrokes;
    for (const QString name : {"Olson", "peterson", "Van der Berg", "Zimmerman", "Christensen",
                               "Quist", "Bjornstad", "Mc"})
        for (int i = 1; i <= name.size(); ++i)
            keystrokes << name.left(i);
    qsizetype next = 0;
    qint64 found = 0;
    for (auto _ : state) {
        found += roster->FindPrefix("LName", keystrokes[next]) ? 1 : 0;
        next = (next + 1) % keystrokes.size();
    }
    state.counters["found"] = benchmark::Counter(double(found) / double(state.iterations()));
}
BENCHMARK(BM_RosterIncrementalSearch)->Unit(benchmark::kMicrosecond);

void BM_MasterDetailFollow(benchmark::State& state) {
    auto module = OpenModule();
    Table* roster = module->RosterT;
    roster->First();
    qint64 detailRows = 0;
    for (auto _ : state) {
        roster->Next();
        if (roster->Eof())
            roster->First();
        detailRows += module->RosterDatesT->RecordCount() + module->BaptismT->RecordCount() +
                      module->MarriageT->RecordCount() + module->WedFamilyT->RecordCount();
    }
    benchmark::DoNotOptimize(detailRows);
}
BENCHMARK(BM_MasterDetailFollow)->Unit(benchmark::kMicrosecond);

// Watches a data source as a grid does: every notification repaints a screenful
// of rows around the cursor.
class GridLikeObserver {
public:
    explicit GridLikeObserver(DataSource* source) : m_source(source) {
        auto repaint = [this] { Repaint(); };
        QObject::connect(source, &DataSource::dataChanged, &m_context, repaint);
        QObject::connect(source, &DataSource::rowsChanged, &m_context, repaint);
        QObject::connect(source, &DataSource::stateChanged, &m_context, repaint);
    }
    qint64 repaints = 0;

private:
    void Repaint() {
        ++repaints;
        DataSet* data = m_source->GetDataSet();
        const int rows = data->DisplayRowCount();
        const int top = std::max(0, std::min(data->RecNo() - 1, rows - 30));
        for (int row = top; row < std::min(rows, top + 30); ++row)
            for (int field = 0; field < 4; ++field)
                benchmark::DoNotOptimize(data->DisplayValue(row, field));
    }
    DataSource* m_source;
    QObject m_context;
};

void BM_NextRecordNumber(benchmark::State& state) {
    auto module = OpenModule();
    GridLikeObserver grid(module->RosterS);
    Table* roster = module->RosterT;
    roster->SetRecNo(roster->RecordCount() / 2);
    int next = 0;
    for (auto _ : state) {
        next = NextRosterRecordNumber();
        state.PauseTiming();
        roster->SetRecNo(roster->RecordCount() / 2); // the user was somewhere in the list
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(next);
    state.counters["rows"] = roster->RecordCount();
    state.counters["repaints"] =
        benchmark::Counter(double(grid.repaints) / double(state.iterations()));
}
BENCHMARK(BM_NextRecordNumber)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
