#include "BenchSupport.h"

#include <QDir>

QString BenchFolder(const QString& name) {
    const QString path = QDir::tempPath() + "/vtxbench-" + name + "/";
    QDir().mkpath(path);
    return path;
}
