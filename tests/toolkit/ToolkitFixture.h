#pragma once
// Small tables for the toolkit tests: a people table (with a last-name index and a
// calculated field that counts the rows read), a group table for lookup lists, and a
// detail table of notes linked to the people.

#include "TestSupport.h"
#include "engine/DataSource.h"
#include "engine/Database.h"
#include "engine/Table.h"
#include "toolkit/Dialogs.h"

#include <QTest>
#include <QWidget>
#include <memory>

namespace toolkit_test {

inline TableDef PeopleDef(const QString& file = "tkPeopleT.db") {
    TableDef d;
    d.tableName = file;
    d.fields = {IntegerField("RecordNumber", true),
                TextField("FName", 20),
                TextField("LName", 12, true),
                LogicalField("IsMember"),
                DateField("Joined"),
                TimeField("Meets"),
                MoneyField("Pledge"),
                MemoField("Notes"),
                TextField("GroupName", 30)};
    FieldDef reads = IntegerField("Reads");
    reads.kind = FieldKind::Calculated;
    d.fields << reads;
    d.indexes = {PrimaryIndexDef("PeopleKey", {"RecordNumber"}),
                 SecondaryIndexDef("PLN", {"LName", "FName"})};
    return d;
}

inline TableDef GroupDef() {
    TableDef d;
    d.tableName = "tkGroupT.db";
    d.fields = {IntegerField("GroupNumber", true), TextField("GroupName", 30, true)};
    d.indexes = {PrimaryIndexDef("GroupKey", {"GroupNumber"})};
    return d;
}

inline TableDef NoteDef() {
    TableDef d;
    d.tableName = "tkNoteT.db";
    d.fields = {IntegerField("RecordNumber", true), TextField("Note", 40, true)};
    d.indexes = {PrimaryIndexDef("NoteKey", {"RecordNumber", "Note"})};
    return d;
}

// A folder with the three tables, open, and a data source on each.
struct Tables {
    TempFolder folder;
    std::unique_ptr<Table> people;
    std::unique_ptr<Table> groups;
    std::unique_ptr<Table> notes;
    std::unique_ptr<DataSource> peopleS;
    std::unique_ptr<DataSource> groupS;
    std::unique_ptr<DataSource> noteS;
    int rowsRead = 0; // rows of the people table read so far (its calculated field)

    Tables() {
        Aliases::SetPath("ToolkitTest", folder.path());
        people = Make(PeopleDef(), "PeopleT");
        people->OnCalcFields = [this](DataSet& d) {
            ++rowsRead;
            d.FieldByName("Reads")->SetAsInteger(rowsRead);
        };
        groups = Make(GroupDef(), "GroupT");
        notes = Make(NoteDef(), "NoteT");
        peopleS = std::make_unique<DataSource>(people.get());
        groupS = std::make_unique<DataSource>(groups.get());
        noteS = std::make_unique<DataSource>(notes.get());
        people->Open();
        groups->Open();
    }

    ~Tables() {
        // Controls are gone by now; sources first, then the tables.
        noteS.reset();
        groupS.reset();
        peopleS.reset();
        notes.reset();
        groups.reset();
        people.reset();
    }

    std::unique_ptr<Table> Make(const TableDef& def, const QString& name) {
        auto t = std::make_unique<Table>(def, name);
        t->DatabaseName = "ToolkitTest";
        t->CreateTable();
        return t;
    }

    void AddPerson(int number, const QString& first, const QString& last, bool member = true) {
        people->Append();
        people->FieldByName("RecordNumber")->SetAsInteger(number);
        people->FieldByName("FName")->SetAsString(first);
        people->FieldByName("LName")->SetAsString(last);
        people->FieldByName("IsMember")->SetAsBoolean(member);
        people->Post();
    }

    void AddGroup(int number, const QString& name) {
        groups->Append();
        groups->FieldByName("GroupNumber")->SetAsInteger(number);
        groups->FieldByName("GroupName")->SetAsString(name);
        groups->Post();
    }

    // Five people in record-number order whose last names are not in that order.
    void AddFive() {
        AddPerson(1, "John", "Smith");
        AddPerson(2, "Mary", "Adams");
        AddPerson(3, "Ann", "SMYTHE", false);
        AddPerson(4, "Paul", "McDonald");
        AddPerson(5, "Rita", "Baker", false);
        people->First();
    }

    int Number() const { return people->FieldByName("RecordNumber")->AsInteger(); }
    QString Last() const { return people->FieldByName("LName")->AsString(); }
};

// A shown, active top-level window for controls that need the focus.
inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Scripted dialogs for every test: nothing is shown, everything is recorded.
struct ScriptedDialogs {
    ScriptedDialogs() {
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
    }
    ~ScriptedDialogs() { Dialogs::ClearScript(); }
};

// The text of the newest error box shown; empty when none was.
inline QString LastError() {
    for (qsizetype i = Dialogs::ShownLog().size() - 1; i >= 0; --i)
        if (Dialogs::ShownLog()[i].kind == "error")
            return Dialogs::ShownLog()[i].text;
    return {};
}

} // namespace toolkit_test
