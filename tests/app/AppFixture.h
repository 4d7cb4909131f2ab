#pragma once
// Shared pieces of the program shell tests: a program folder of its own with the
// option files and a data folder, scripted dialogs, and a window probe that the menu
// table can open.

#include "TestSupport.h"
#include "app/vtxMenuTable.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QDialog>
#include <QFile>
#include <QTest>
#include <memory>

inline void PutBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

template <typename Record> QByteArray BytesOf(const Record& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), qsizetype(sizeof record));
}

// The kinds and texts of everything the dialogs facade was asked to show, in order.
inline QStringList ShownKindsAndTexts() {
    QStringList shown;
    for (const Dialogs::Shown& s : Dialogs::ShownLog())
        shown << s.kind + ": " + s.text;
    return shown;
}

// A program folder with a data folder "Data" beside the program, the option files,
// scripted dialogs and the program-wide values as at start.
struct AppFixture {
    std::unique_ptr<TempFolder> folder;

    void Setup() {
        folder = std::make_unique<TempFolder>();
        ProgramFolder = folder->path();
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
        Dialogs::SetDefaultModalHandler(nullptr);
        SetRuleMessageSink(&Dialogs::ShowMessage);
        ResetProgramValues();
        OptionsRecord = DefaultOptionsRecord();
        AccessRecord = TAccessRecord();
        PasswordsInForce = TAccessRecord();
        AccessFileRead = false;
    }
    void Cleanup() {
        Dialogs::ClearScript();
        folder.reset();
    }

    QString Path(const QString& name) const { return folder->file(name); }
    QString DataFolder() const { return folder->path() + "Data/"; }

    void WriteOptions(const QString& organisation) {
        TOptionsRecord record = DefaultOptionsRecord();
        record.OrganizationName.SetText(organisation);
        PutBytes(Path(OptionsFileName), BytesOf(record));
    }
    void WriteAccess(const TAccessRecord& record) {
        PutBytes(Path(AccessFileName), BytesOf(record));
    }
    // The passwords in force as if read at start-up from an access file.
    void StartWithPasswords(const TAccessRecord& record) {
        WriteAccess(record);
        if (!ReadAccessFile())
            qFatal("access file not read");
        Dialogs::ClearScript();
    }
    void CreateData() { TDataMod::CreateDataFolder(DataFolder()); }
};

// A window the tests register under a class name of their own.
class ProbeWindow : public QWidget {
    Q_OBJECT
public:
    explicit ProbeWindow(QWidget* owner) : QWidget(owner, Qt::Window) {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName("ProbeWindow");
    }
};

class ProbeDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProbeDialog(QWidget* owner) : QDialog(owner) {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName("ProbeDialog");
        setWindowTitle("Probe");
    }
};
