#pragma once
// Shared pieces of the options tests: a program folder of its own per test, scripted
// dialogs, and raw bytes of records and files.

#include "TestSupport.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QByteArray>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <memory>

// Types the text into the edit box as a user would (QTest types ASCII only; other
// characters are inserted as an input method would).
inline void TypeInto(QLineEdit* edit, const QString& text) {
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

template <typename Record> QByteArray RecordBytes(const Record& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), qsizetype(sizeof record));
}

inline QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    // Starts the program's passwords from an access file holding the record.
    void StartWith(const TAccessRecord& record) {
        PutFile(AccessPath(), RecordBytes(record));
        if (!ReadAccessFile())
            qFatal("access file not read");
        Dialogs::ClearScript();
    }
};
