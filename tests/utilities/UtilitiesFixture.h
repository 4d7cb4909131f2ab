#pragma once
// The utility windows' tests: a program folder of its own with a data folder "Data" holding
// a few rows in several tables, the data module open over it, the passwords of a fresh
// installation, scripted dialogs, and clean-up of the windows a test left open.

#include "DataModuleFixture.h"
#include "TableFiles.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"

class UtilitiesFixture : public DataModuleFixture {
public:
    // The tables that get rows, and how many.
    static inline const QList<std::pair<QString, int>> kRows = {
        {"RosterT", 40},  {"MemoT", 10},        {"BirthT", 12},
        {"BaptismT", 15}, {"MarriageT", 6},     {"WedFamilyT", 8},
        {"WedPartyT", 8}, {"WedLogisticsT", 8}, {"EnvelopeOfferingT", 60}};

    // The program folder is the working folder (the current folder stays as it is), with the
    // filled data folder, default options and the passwords of a fresh installation.
    void Open() {
        Create(Filled(), Current::Unchanged);
        ProgramFolder = WorkingFolder();
        OptionsRecord = DefaultOptionsRecord();
        PasswordsInForce = FreshAccessRecord();
        AccessFileRead = true;
        Dialogs::SetDefaultModalHandler(nullptr);
        Start();
    }

    QString ProgramFolderPath() const { return WorkingFolder(); }
    // The data folder as every test starts with it.
    static QString Filled() {
        static TempFolder made;
        static const QString folder = [] {
            const QString f = made.path() + "Data/";
            TDataMod::CreateDataFolder(f);
            for (const auto& [table, rows] : kRows)
                TableFiles::FillTable(f, table, rows);
            return f;
        }();
        return folder;
    }

    // Kinds and texts of what the dialogs facade showed, in order.
    static QStringList Shown() {
        QStringList shown;
        for (const Dialogs::Shown& s : Dialogs::ShownLog())
            shown << s.kind + ": " + s.text;
        return shown;
    }
};
