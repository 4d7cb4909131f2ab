#pragma once
// A data folder for window tests: every table file of a first start, copied into a
// temporary folder, the rows a test names written straight into the table files, and the
// data module opened over it, with scripted dialogs and the rules' messages routed to them.
// Close() frees the windows a test left, drops pending rows and closes the data module.
//
// Example:
//   DataModuleFixture fx;
//   fx.Open({{"UsherReportT", {{{"WorshipDate", QDate(2024, 1, 7)}, {"NumberInService", 120}}}}});
//   ... drive windows ...
//   fx.Close();

#include "TestSupport.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTest>
#include <QVariantMap>
#include <memory>

// Rows per table, by the data module's component name ("UsherReportT").
using TableRows = QMap<QString, QList<QVariantMap>>;

class DataModuleFixture {
public:
    ~DataModuleFixture() { Close(); }

    void Open(const TableRows& rows = {}) {
        Close();
        m_folder = std::make_unique<TempFolder>();
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_folder->path());
        Aliases::SetPath(VTX2AliasName, DataFolder());
        CopyEmptyDataFolder(DataFolder());
        for (auto it = rows.begin(); it != rows.end(); ++it)
            Write(it.key(), it.value());
        ResetProgramValues();
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
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

    // Appends rows to a table file through a table object of its own (as another program
    // would), leaving the data module's tables as they are.
    static void Write(const QString& tableName, const QList<QVariantMap>& rows) {
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

    // Texts of the messages shown through the dialogs facade since the last ClearScript.
    static QStringList Shown() { return Dialogs::ShownTexts(); }

private:
    // A data folder of a first start, made once per test program and copied for each test:
    // copying is much faster than creating the tables.
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

    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<TDataMod> m_data;
    QString m_oldCurrent;
};

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
