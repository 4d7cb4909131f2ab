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
#include "app/vtxOptionsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "engine/TableScan.h"
#include "stewardship/vtxQuarterlyR.h"
#include "stewardship/vtxStewardDataEntryF.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxPickList.h"
#include "toolkit/vtxSearchBox.h"

#include <QApplication>
#include <QKeyEvent>
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
    // No window may wait for an answer: a message is recorded (and counted) instead.
    Dialogs::SetScripted(true);
    SetRuleMessageSink(&Dialogs::ShowMessage);
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

// ---- Stewardship Data Entry ------------------------------------------------------------

namespace {

using namespace StewardshipBench;

// Types a text as keys into whatever has the focus (a cell's editor once the first key
// opened it).
void TypeText(QWidget* target, const QString& text) {
    for (const QChar c : text) {
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(to, &press);
        QApplication::sendEvent(to, &release);
    }
}

// Creating and showing the window over every gift of 20 years: the Sunday list, the envelope
// list (a walk over every envelope), the grid's first screen painted.
void BM_OpenStewardshipEntry(benchmark::State& state) {
    TDataMod& module = Module(Parish::TwentyYears);
    Table* gifts = module.EnvelopeOfferingT;
    gifts->SetRecNo(gifts->RecordCount() / 2);
    int envelopes = 0;
    for (auto _ : state) {
        auto* form = new TStewardshipDataEntryForm(nullptr);
        form->show();
        Settle();
        state.PauseTiming();
        envelopes = form->EnvelopeListBox->count();
        delete form;
        Settle();
        state.ResumeTiming();
    }
    state.counters["gifts"] = gifts->RecordCount();
    state.counters["envelopes"] = envelopes;
}
BENCHMARK(BM_OpenStewardshipEntry)->Unit(benchmark::kMillisecond);

// Entering one gift: a click on the Sunday (which posts the gift entered before it and starts
// this one), a click on the envelope, the amount typed into its cell. Each gift goes to
// another envelope or Sunday of a year without gifts; they are deleted afterwards.
void BM_EnterOneGift(benchmark::State& state) {
    TDataMod& module = Module(Parish::TwentyYears);
    Table* gifts = module.EnvelopeOfferingT;
    auto form = std::make_unique<TStewardshipDataEntryForm>(nullptr);
    form->show();
    form->activateWindow();
    form->SundaysListBox->FillYear(2031);
    Settle();
    TDBGrid* grid = form->EnvelopeOfferingDBGrid;
    const int envelopes = form->EnvelopeListBox->count();
    const int sundays = form->SundaysListBox->count();
    const int amount = grid->ColumnOfField("Amount");
    QList<QPair<QString, QDate>> entered;
    qint64 k = 0;
    for (auto _ : state) {
        const int envelope = int(k % envelopes);
        const int sunday = int((k / envelopes) % sundays);
        ++k;
        form->SundaysListBox->Pick(sunday);
        Settle();
        form->EnvelopeListBox->Pick(envelope);
        Settle();
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(grid->CursorRow(), amount));
        TypeText(grid, "25");
        Settle();
        entered << qMakePair(form->EnvelopeListBox->item(envelope)->text(),
                             form->SundaysListBox->SundayAt(sunday));
    }
    // The last gift is posted, then every gift entered is deleted again.
    grid->CommitEditor();
    gifts->CheckBrowseMode();
    const int before = gifts->RecordCount();
    gifts->DisableControls();
    for (const auto& [number, date] : entered)
        if (gifts->Locate("EnvelopeNumber;OfferingDate", {number, date}))
            gifts->Delete();
    gifts->EnableControls();
    state.counters["entered"] = double(entered.size());
    state.counters["left"] = double(before - gifts->RecordCount() - entered.size());
    state.counters["messages"] = double(Dialogs::ShownLog().size());
    Dialogs::ClearScript();
    form.reset();
    Settle();
}
BENCHMARK(BM_EnterOneGift)->Unit(benchmark::kMillisecond)->Iterations(40);

// One key typed into the envelope search box: the gift found by the leading text of its
// envelope number, the box completed, the grid scrolled there and repainted.
void BM_EnvelopeSearchKeystroke(benchmark::State& state) {
    TDataMod& module = Module(Parish::TwentyYears);
    auto form = std::make_unique<TStewardshipDataEntryForm>(nullptr);
    form->show();
    form->activateWindow();
    TDBSearchBox* box = form->SearchBox;
    box->setFocus(Qt::OtherFocusReason);
    Settle();
    // What a user types: a few envelope numbers, digit by digit.
    QStringList keys;
    for (const QString number : {"4127", "88", "5903", "1", "2750", "613", "6001", "39"})
        keys << number.split(QString(), Qt::SkipEmptyParts) << QString();
    qsizetype next = 0;
    for (auto _ : state) {
        const QString key = keys[next];
        next = (next + 1) % keys.size();
        if (key.isEmpty()) { // between numbers: start again with an empty box
            state.PauseTiming();
            box->clear();
            state.ResumeTiming();
            continue;
        }
        TypeText(box, key);
        Settle();
    }
    benchmark::DoNotOptimize(module.EnvelopeOfferingT->RecNo());
}
BENCHMARK(BM_EnvelopeSearchKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

// ---- Quarterly pledge summary ------------------------------------------------------------

namespace {

using namespace StewardshipBench;

// The summary of quarter 2 over 5 years of gifts (about 250,000 lines of 1,000,000 gifts),
// laid out. peakMB is the largest resident size of the process so far: run this benchmark
// alone for the figure of the report.
void BM_QuarterlyReport(benchmark::State& state) {
    TDataMod& module = Module(Parish::FiveYears);
    OptionsRecord.OrganizationName.SetText(QStringLiteral("St. Olaf Lutheran Church"));
    ReportKind = 7;
    ReportQuarter = QStringLiteral("2");
    qint64 pages = 0, lines = 0;
    for (auto _ : state) {
        TQuarterlyReport report;
        const ReportDocument document = report.Layout();
        pages = qint64(document.pages.size());
        lines = document.printedRows;
    }
    state.counters["gifts"] = module.EnvelopeOfferingT->RecordCount();
    state.counters["lines"] = double(lines);
    state.counters["pages"] = double(pages);
    state.counters["peakMB"] = PeakMegabytes();
}
BENCHMARK(BM_QuarterlyReport)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
