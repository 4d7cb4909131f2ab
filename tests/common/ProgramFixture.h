#pragma once
// A program folder of its own for each test, with scripted dialogs, the program-wide option
// and password records as at start, and raw bytes of records and files.

#include "TestSupport.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QByteArray>
#include <QFile>
#include <memory>

template <typename Record> QByteArray RecordBytes(const Record& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), qsizetype(sizeof record));
}

inline void PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A fresh program folder, scripted dialogs and the program-wide records as at start.
struct ProgramFixture {
    std::unique_ptr<TempFolder> folder;

    void Setup() {
        folder = std::make_unique<TempFolder>();
        ProgramFolder = folder->path();
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
        OptionsRecord = DefaultOptionsRecord();
        AccessRecord = TAccessRecord();
        PasswordsInForce = TAccessRecord();
        AccessFileRead = false;
    }
    QString OptionsPath() const { return folder->file(OptionsFileName); }
    QString AccessPath() const { return folder->file(AccessFileName); }
    void WriteAccess(const TAccessRecord& record) { PutFile(AccessPath(), RecordBytes(record)); }
    // Starts the program's passwords from an access file holding the record.
    void StartWith(const TAccessRecord& record) {
        WriteAccess(record);
        if (!ReadAccessFile())
            qFatal("access file not read");
        Dialogs::ClearScript();
    }
};
