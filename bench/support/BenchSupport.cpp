#include "BenchSupport.h"

#include <QDir>
#include <QFile>

QString BenchFolder(const QString& name) {
    const QString path = QDir::tempPath() + "/vtxbench-" + name + "/";
    QDir().mkpath(path);
    return path;
}

QString SampleParishFolder(const QString& name, const SampleParishOptions& options) {
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
