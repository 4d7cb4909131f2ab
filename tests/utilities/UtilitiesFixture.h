#pragma once
// The utility windows' tests: a program folder of its own with a data folder "Data" holding
// a few rows in several tables, the data module open over it, the passwords of a fresh
// installation, scripted dialogs, and clean-up of the windows a test left open.

#include "TableFiles.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <memory>

class UtilitiesFixture {
public:
    // The tables that get rows, and how many.
    static inline const QList<std::pair<QString, int>> kRows = {
        {"RosterT", 40},  {"MemoT", 10},        {"BirthT", 12},
        {"BaptismT", 15}, {"MarriageT", 6},     {"WedFamilyT", 8},
        {"WedPartyT", 8}, {"WedLogisticsT", 8}, {"EnvelopeOfferingT", 60}};

    void Open() {
        Close();
        m_folder = std::make_unique<TempFolder>();
        ProgramFolder = m_folder->path();
        TableFiles::CopyFolder(Filled(), DataFolder());
        Aliases::SetPath(VTX2AliasName, DataFolder());
        ResetProgramValues();
        OptionsRecord = DefaultOptionsRecord();
        PasswordsInForce = FreshAccessRecord();
        AccessFileRead = true;
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
        Dialogs::SetDefaultModalHandler(nullptr);
        SetRuleMessageSink(&Dialogs::ShowMessage);
        m_data = std::make_unique<TDataMod>();
        m_data->OpenDataSets();
    }

    void Close() {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        if (m_data) {
            for (Table* table : m_data->Tables())
                if (table->State() == DataSetState::Edit || table->State() == DataSetState::Insert)
                    table->Cancel();
            m_data->CloseDataSets();
            m_data.reset();
            Aliases::Remove(VTX2AliasName);
        }
        m_folder.reset();
        Dialogs::ClearScript();
    }

    QString ProgramFolderPath() const { return m_folder->path(); }
    QString DataFolder() const { return m_folder->path() + "Data/"; }
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

private:
    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<TDataMod> m_data;
};

// Shows a window and makes it the active one, as a user finds it after opening it.
inline bool ShowActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}
