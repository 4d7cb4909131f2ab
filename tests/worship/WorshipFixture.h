#pragma once
// Shared pieces of the worship and music tests: a data folder in a temporary folder (the
// folder of a first start, copied), rows written straight into its table files before the
// data module opens over it, scripted dialogs, and clean-up of the windows a test left open.
//
//   WorshipFixture f;
//   f.Create();
//   f.SetTemplate(1, "Holy Communion", {"Prelude", "Greeting"});
//   f.Write("WorshipT", {{{"WorshipDate", QDate(2024, 3, 10)}, {"WorshipTime", QTime(10, 0)}}});
//   f.Start();

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

class WorshipFixture {
public:
    ~WorshipFixture() { Close(); }

    // A new data folder of a first start (templates 1 to 30, empty), named by the alias.
    void Create() {
        Close();
        m_folder = std::make_unique<TempFolder>();
        m_oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_folder->path());
        Aliases::SetPath(VTX2AliasName, DataFolder());
        CopyEmptyDataFolder(DataFolder());
    }

    // Appends rows to a table file (before Start).
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

    // Names a template and sets its elements (the others empty), or deletes it when the
    // name is null (before Start).
    void SetTemplate(int number, const QString& name, const QStringList& elements = {}) {
        Table table(TableDefOf("WorshipOrdersT"), "WorshipOrdersT");
        table.DatabaseName = VTX2AliasName;
        table.Open();
        if (!table.Locate("OrderNumber", {number}))
            qFatal("no template %d", number);
        if (name.isNull()) {
            table.Delete();
            return;
        }
        table.Edit();
        table.FieldByName("OrderName")->SetAsString(name);
        for (int k = 1; k <= 30; ++k)
            table.FieldByName(ElementName(k))->SetAsString(elements.value(k - 1));
        table.Post();
    }

    // Opens the data module over the folder, dialogs scripted.
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
            QDir::setCurrent(m_oldCurrent);
            m_folder.reset();
        }
        Dialogs::ClearScript();
    }

    QString DataFolder() const { return m_folder->path() + "Data/"; }

    static QString ElementName(int k) { return QString("Element%1").arg(k, 2, 10, QChar('0')); }
    // Texts of everything shown through the dialogs facade since the last ClearScript.
    static QStringList Shown() { return Dialogs::ShownTexts(); }
    // Only the messages and error boxes among them.
    static QStringList Messages() {
        QStringList texts;
        for (const Dialogs::Shown& shown : Dialogs::ShownLog())
            if (shown.kind == "message" || shown.kind == "error")
                texts << shown.text;
        return texts;
    }

    // The data module's two-line worship message.
    static QString WorshipMessage() {
        return "Be sure you HAVE included both a worship date and time\n"
               "and have NOT scheduled two services for the same date and time.";
    }
    static QString MusicUseMessage() {
        return "There was an error posting to the Music Use table.\n"
               "You may have entered a duplicate use date for the selection.";
    }

private:
    // The data folder of a first start, made once per test program and copied for each
    // test: copying is much faster than creating the tables.
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

// Types into a control as a user does: focus first, then the keys one by one.
inline void TypeInto(QWidget* control, const QString& text) {
    control->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(control, text);
}

// Types where the focus is, key by key: into a grid, the first key opens the cell's editor
// and the others go into it.
inline void TypeAtFocus(const QString& text) {
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}
