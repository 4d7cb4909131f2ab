#pragma once
// Shared pieces of the roster window tests: a data folder in a temporary folder with a few
// roster rows (and detail rows) written straight into the table files, the data module
// over it, scripted dialogs, and clean-up of the windows a test left open.

#include "TestSupport.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QVariantMap>
#include <memory>

struct RosterPerson {
    int number;
    QString last;
    QString first;
    bool member = true;
    QString suffix = {};
    QString state = "MN";
    QString postal = "55057";
    QString title = {};
};

// One row of a member detail table, written as it stands (the link is not consulted).
struct DetailRow {
    QString table; // data module name, "MemoT"
    QVariantMap values;
};

class RosterWindowsFixture {
public:
    // Writes the rows into a new data folder and opens the data module over it. The
    // roster cursor stands on the first row in record-number order.
    void Open(const QList<RosterPerson>& people, const QList<DetailRow>& details = {}) {
        Close();
        m_folder = std::make_unique<TempFolder>();
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_folder->path());
        Aliases::SetPath(VTX2AliasName, DataFolder());
        CopyEmptyDataFolder(DataFolder());
        Write("RosterT", RosterRows(people));
        for (const DetailRow& row : details)
            Write(row.table, {row.values});
        ResetProgramValues();
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
        SetRuleMessageSink(&Dialogs::ShowMessage);
        m_data = std::make_unique<TDataMod>();
        m_data->OpenDataSets();
    }

    // Closes every window the test left, then the data module; back to the old folder.
    void Close() {
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows << w;
        for (const QPointer<QWidget>& w : windows)
            delete w.data();
        if (m_data) {
            // A test may end with a row pending: drop it, closing would try to post it.
            for (Table* table : m_data->Tables())
                if (table->State() == DataSetState::Edit || table->State() == DataSetState::Insert)
                    table->Cancel();
            m_data->CloseDataSets();
            m_data.reset();
            Aliases::Remove(VTX2AliasName);
        }
        if (m_folder) {
            QDir::setCurrent(m_oldCurrent);
            m_folder.reset();
        }
        Dialogs::ClearScript();
    }

    QString WorkingFolder() const { return m_folder->path(); }
    QString DataFolder() const { return m_folder->path() + "Data/"; }
    Table* Roster() const { return DataMod->RosterT; }

    // The record numbers of the roster's rows as the table now presents them.
    static QList<int> RosterNumbers() {
        QList<int> numbers;
        Table* roster = DataMod->RosterT;
        const int field = roster->FieldByName("RecordNumber")->Index();
        for (int row = 0; row < roster->DisplayRowCount(); ++row)
            numbers << roster->DisplayValue(row, field).toInt();
        return numbers;
    }
    static int CurrentNumber() {
        return DataMod->RosterT->FieldByName("RecordNumber")->AsInteger();
    }
    static bool GoTo(int number) { return DataMod->RosterT->Locate("RecordNumber", {number}); }

    // Texts of the messages shown through the dialogs facade since the last ClearScript.
    static QStringList Shown() { return Dialogs::ShownTexts(); }

private:
    // A data folder of a first start (every table file, empty), made once per test program
    // and copied for each test: copying is much faster than creating the tables.
    static void CopyEmptyDataFolder(const QString& target) {
        static TempFolder made;
        static const QString empty = [] {
            const QString folder = made.path() + "Data/";
            TDataMod::EnsureDataFolder(folder);
            return folder;
        }();
        QDir().mkpath(target);
        for (const QString& file : QDir(empty).entryList(QDir::Files))
            if (!QFile::copy(empty + file, target + file))
                qFatal("cannot copy %s", qPrintable(file));
    }

    static QList<QVariantMap> RosterRows(const QList<RosterPerson>& people) {
        QList<QVariantMap> rows;
        for (const RosterPerson& p : people)
            rows << QVariantMap{{"RecordNumber", p.number},
                                {"Title", p.title},
                                {"FName", p.first},
                                {"LName", p.last},
                                {"Suffix", p.suffix},
                                {"Address1", QString("%1 Main St").arg(p.number)},
                                {"City", "Northfield"},
                                {"State", p.state},
                                {"Postal", p.postal},
                                {"Phone", QString("555-01%1").arg(p.number, 2, 10, QChar('0'))},
                                {"IsMember", p.member}};
        return rows;
    }

    void Write(const QString& tableName, const QList<QVariantMap>& rows) {
        Table table(TableDefOf(tableName), tableName);
        table.DatabaseName = VTX2AliasName;
        table.Open();
        for (const QVariantMap& row : rows) {
            table.Append();
            for (auto it = row.begin(); it != row.end(); ++it)
                table.FieldByName(it.key())->SetValue(it.value());
            table.Post();
        }
    }

    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<TDataMod> m_data;
    QString m_oldCurrent;
};

// Types into a line edit as a user does: focus first (which empties a search box), then
// the keys one by one.
inline void TypeKeys(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(edit, text);
}

// Shows a window and makes it the active one, as a user finds it after opening it.
inline bool ShowActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Runs the deferred deletions of windows that closed (they free themselves).
inline void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
