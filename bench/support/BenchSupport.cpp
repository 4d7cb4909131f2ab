#include "BenchSupport.h"
#include "data/vtxDataM.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <benchmark/benchmark.h>

QString BenchFolder(const QString& name) {
    const QString path = QDir::tempPath() + "/vtxbench-" + name + "/";
    QDir().mkpath(path);
    return path;
}

namespace {

QString KeptSampleParish(const QString& name, const SampleParishOptions& options) {
    const QString path = BenchFolder(name);
    const QString keyFile = path + "vtxsample.key";
    const QByteArray key = SampleParishKey(options).toUtf8();
    QFile stored(keyFile);
    if (stored.open(QIODevice::ReadOnly) && stored.readAll() == key)
        return path;
    stored.close();
    QDir(path).removeRecursively();
    WriteSampleParish(path, options);
    QFile out(keyFile);
    if (out.open(QIODevice::WriteOnly))
        out.write(key);
    return path;
}

struct KeptModule {
    QString folder;
    std::unique_ptr<TDataMod> module;
};

KeptModule& Kept() {
    static KeptModule kept;
    return kept;
}

} // namespace

QString SampleParishFolder(const QString& name, const SampleParishOptions& options) {
    static QHash<QString, QString> looked;
    const QString id = name + '\n' + SampleParishKey(options);
    auto it = looked.find(id);
    if (it == looked.end())
        it = looked.insert(id, KeptSampleParish(name, options));
    return it.value();
}

QString RosterParishFolder() {
    return SampleParishFolder("roster-20000", {.members = 20000, .years = 1, .seed = 2024});
}

std::unique_ptr<TDataMod> OpenDataModule(const QString& folder) {
    Aliases::SetPath(VTX2AliasName, folder);
    auto module = std::make_unique<TDataMod>();
    module->OpenDataSets();
    return module;
}

TDataMod& KeptDataModule(const QString& folder) {
    KeptModule& kept = Kept();
    if (kept.module && kept.folder != folder)
        kept.module.reset();
    if (!kept.module) {
        kept.module = OpenDataModule(folder);
        kept.folder = folder;
    }
    return *kept.module;
}

void Settle() {
    QApplication::processEvents();
}

int BenchMain(int argc, char** argv, const std::function<void()>& prepare) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    if (prepare)
        prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Kept().module.reset();
    return 0;
}
