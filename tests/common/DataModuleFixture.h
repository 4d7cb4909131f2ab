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
//
// Or in steps, for rows written in a test's own way before the data module opens:
//   fx.Create();
//   fx.Write("WorshipT", {...});
//   fx.Start();

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
    // Whether the working folder becomes the current folder while the fixture is open.
    enum class Current { Working, Unchanged };

    ~DataModuleFixture() { Close(); }

    void Open(const TableRows& rows = {}) {
        Create();
        for (auto it = rows.begin(); it != rows.end(); ++it)
            Write(it.key(), it.value());
        Start();
    }

    // A new working folder whose data folder "Data" holds a copy of the files of `source`
    // (by default the data folder of a first start: every table file empty, templates 1 to
    // 30), named by the alias. Rows may be written into it before Start.
    void Create(const QString& source = EmptyDataFolder(), Current current = Current::Working) {
        Close();
        m_folder = std::make_unique<TempFolder>();
        if (current == Current::Working) {
            m_oldCurrent = QDir::currentPath();
            QDir::setCurrent(m_folder->path());
        }
        Aliases::SetPath(VTX2AliasName, DataFolder());
        CopyFiles(source, DataFolder());
    }

    // Opens the data module over the data folder, dialogs scripted and the rules' messages
    // routed to them, the program-wide values as at start.
    void Start() {
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
            // Details first: a master's cancel would post a pending detail row.
            const QList<Table*>& tables = m_data->Tables();
            for (auto it = tables.rbegin(); it != tables.rend(); ++it)
                if ((*it)->State() == DataSetState::Edit || (*it)->State() == DataSetState::Insert)
                    (*it)->Cancel();
            m_data->CloseDataSets();
            m_data.reset();
        }
        if (m_folder) {
            Aliases::Remove(VTX2AliasName);
            if (!m_oldCurrent.isEmpty())
                QDir::setCurrent(m_oldCurrent);
            m_oldCurrent.clear();
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

    // A data folder of a first start, made once per test program and copied for each test:
    // copying is much faster than creating the tables.
    static QString EmptyDataFolder() {
        static TempFolder made;
        static const QString empty = [] {
            const QString folder = made.path() + "Data/";
            TDataMod::EnsureDataFolder(folder);
            return folder;
        }();
        return empty;
    }

private:
    static void CopyFiles(const QString& from, const QString& target) {
        QDir().mkpath(target);
        for (const QString& file : QDir(from).entryList(QDir::Files))
            if (!QFile::copy(QDir(from).filePath(file), QDir(target).filePath(file)))
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
