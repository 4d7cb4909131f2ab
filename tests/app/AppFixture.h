#pragma once
// Shared pieces of the program shell tests: a program folder of its own with the
// option files and a data folder, scripted dialogs, and a window probe that the menu
// table can open.

#include "ProgramFixture.h"
#include "app/vtxMenuTable.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"

#include <QDialog>
#include <QTest>

// The kinds and texts of everything the dialogs facade was asked to show, in order.
inline QStringList ShownKindsAndTexts() {
    QStringList shown;
    for (const Dialogs::Shown& s : Dialogs::ShownLog())
        shown << s.kind + ": " + s.text;
    return shown;
}

// A program folder with a data folder "Data" beside the program, the option files,
// scripted dialogs and the program-wide values as at start.
struct AppFixture : ProgramFixture {
    void Setup() {
        ProgramFixture::Setup();
        Dialogs::SetDefaultModalHandler(nullptr);
        SetRuleMessageSink(&Dialogs::ShowMessage);
        ResetProgramValues();
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
        PutFile(OptionsPath(), RecordBytes(record));
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
