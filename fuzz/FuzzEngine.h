#pragma once
// Shared set-up of the engine's fuzz targets: an application object, the English (United
// States) locale, and an alias bound to a temporary folder in memory.
#include "engine/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace fuzz {

inline void StartEngine(const char* name, const QString& alias) {
    static int argc = 1;
    static char programName[64];
    qstrncpy(programName, name, sizeof programName);
    static char* argv[] = {programName, nullptr};
    new QCoreApplication(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString base = QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath();
    static QTemporaryDir folder(base + "/vtxfuzz-XXXXXX");
    Aliases::SetPath(alias, folder.path() + "/");
}

// Text from the fuzzer's bytes, as a person could type it (invalid UTF-8 becomes U+FFFD).
inline QString TextOf(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Stops the run with the finding: the fuzzer keeps the input that led here.
[[noreturn]] inline void Fault(const char* what, const QString& detail = {}) {
    fprintf(stderr, "FAULT: %s %s\n", what, detail.toUtf8().constData());
    abort();
}

} // namespace fuzz
