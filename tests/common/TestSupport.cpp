#include "TestSupport.h"

#include <QDir>

TempFolder::TempFolder() : m_dir(QDir::tempPath() + "/vtxtest-XXXXXX") {}

QString TempFolder::path() const {
    return QDir(m_dir.path()).absolutePath() + "/";
}

QString TempFolder::file(const QString& name) const {
    return path() + name;
}
