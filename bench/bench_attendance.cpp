// The Attendance window on a parish with 20 years of services (about 2,200 usher reports,
// generated once into the temporary folder and kept).
//
// Goal: opening the Attendance window (its own table opened and read, the chart built and
// shown and painted once) under 300 ms.

#include "BenchSupport.h"
#include "attendance/vtxAttendanceChartF.h"
#include "data/vtxTableDefs.h"
#include "engine/Database.h"

#include <QApplication>
#include <QLocale>
#include <benchmark/benchmark.h>

namespace {

const QString& ParishFolder() {
    static const QString folder = [] {
        SampleParishOptions options;
        options.members = 20000;
        options.years = 20;
        options.seed = 2024;
        return SampleParishFolder("parish-20000-20y", options);
    }();
    return folder;
}

void BM_OpenAttendanceChart(benchmark::State& state) {
    Aliases::SetPath(VTX2AliasName, ParishFolder());
    qint64 points = 0;
    for (auto _ : state) {
        auto* chart = new TAttendanceChartForm;
        chart->show();
        chart->repaint();
        QApplication::processEvents();
        points = chart->Points().size();
        state.PauseTiming();
        delete chart;
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["points"] = double(points);
}
BENCHMARK(BM_OpenAttendanceChart)->Unit(benchmark::kMillisecond);

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
    return 0;
}
