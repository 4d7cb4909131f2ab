#pragma once
// Shared pieces of the pastoral record tests: the data-folder fixture of the window tests
// with a few roster rows and member records, no passwords, and the helpers that drive the
// record windows' grids and buttons.

#include "DataModuleFixture.h"
#include "app/vtxOptionsU.h"
#include "app/vtxPasswordsU.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "roster/vtxSelectActiveRecordF.h"
#include "toolkit/Dialogs.h"
#include "toolkit/vtxDBGrid.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVariantMap>

// A roster row: number, last, first and middle name.
struct RecordsPerson {
    int number;
    QString last;
    QString first;
    QString middle = {};
};

// A row of any table of the data module, written as it stands (no rule runs, the link
// is not consulted).
struct StoredRow {
    QString table; // data module name, "BaptismT"
    QVariantMap values;
};

class RecordsFixture {
public:
    // Writes the rows into a new data folder and opens the data module over it (the
    // data-folder fixture of the window tests). The roster cursor stands on the first row in
    // record-number order (the active record). No level has a password.
    void Open(const QList<RecordsPerson>& people, const QList<StoredRow>& rows = {}) {
        TableRows tables;
        for (const RecordsPerson& p : people)
            tables["RosterT"] << QVariantMap{{"RecordNumber", p.number},
                                             {"FName", p.first},
                                             {"MName", p.middle},
                                             {"LName", p.last},
                                             {"Address1", QString("%1 Church St").arg(p.number)},
                                             {"IsMember", true}};
        for (const StoredRow& row : rows)
            tables[row.table] << row.values;
        m_data.Open(tables);
        SetPasswords(FreshAccessRecord());
        // The program registers every window of its units; a test program links only the
        // units it uses, so the one window of another folder is registered here.
        RegisterWindow("TSelectActiveRecordForm", [](QWidget* owner) -> QWidget* {
            return new TSelectActiveRecordForm(owner);
        });
    }

    // Closes every window the test left, then the data module.
    void Close() { m_data.Close(); }

    // The passwords in force, as if read from the access file at start-up.
    static void SetPasswords(const TAccessRecord& record) {
        PasswordsInForce = record;
        AccessFileRead = true;
    }
    static void SetPassword(int level, const QString& password) {
        TAccessRecord record = FreshAccessRecord();
        ::SetPassword(record, level, password);
        SetPasswords(record);
    }

    // Makes a roster row the active record; false when there is no such row.
    static bool Activate(int number) { return DataMod->RosterT->Locate("RecordNumber", {number}); }

    // The values of one field over the rows a table now presents, in their order.
    static QVariantList Column(DataSet* table, const QString& field) {
        QVariantList values;
        const int f = table->FieldByName(field)->Index();
        for (int row = 0; row < table->DisplayRowCount(); ++row)
            values << table->DisplayValue(row, f);
        return values;
    }
    static QStringList Texts(DataSet* table, const QString& field) {
        QStringList texts;
        for (const QVariant& v : Column(table, field))
            texts << v.toString();
        return texts;
    }

    // Texts of the messages shown through the dialogs facade since the last ClearScript.
    static QStringList Shown() { return Dialogs::ShownTexts(); }

private:
    DataModuleFixture m_data;
};

// Row makers for the member records, with the fields the tests look at.
inline StoredRow Baptism(int number, const QString& first, const QString& last,
                         const QDate& date = QDate(2020, 4, 12), const QString& middle = {}) {
    return {"BaptismT",
            {{"RecordNumber", number},
             {"FName", first},
             {"MName", middle},
             {"LName", last},
             {"BaptismDate", date}}};
}
inline StoredRow Birth(int number, const QString& first, const QString& last,
                       const QDate& date = QDate(2019, 12, 1)) {
    return {"BirthT",
            {{"RecordNumber", number}, {"FName", first}, {"LName", last}, {"BirthDate", date}}};
}
inline StoredRow Marriage(int number, const QString& groomFirst, const QString& groomLast,
                          const QString& brideFirst, const QString& brideLast,
                          const QDate& wedding = QDate(2015, 6, 20)) {
    return {"MarriageT",
            {{"RecordNumber", number},
             {"GroomFName", groomFirst},
             {"GroomLName", groomLast},
             {"BrideFName", brideFirst},
             {"BrideLName", brideLast},
             {"WeddingDate", wedding}}};
}
// A family line; groomFamily invalid leaves the field empty.
inline StoredRow Family(int number, int line, const QString& name,
                        const QVariant& groomFamily = true) {
    return {
        "WedFamilyT",
        {{"RecordNumber", number}, {"Number", line}, {"Name", name}, {"GroomFamily", groomFamily}}};
}
// A wedding party line; groomSide invalid leaves "G P" never set.
inline StoredRow Party(int number, int line, const QString& name, const QVariant& groomSide,
                       const QString& role = "Usher") {
    return {"WedPartyT",
            {{"RecordNumber", number},
             {"Number", line},
             {"Role", role},
             {"Name", name},
             {"GroomSide", groomSide}}};
}
inline StoredRow Logistics(int number, int item, const QString& description,
                           bool completed = false) {
    return {"WedLogisticsT",
            {{"RecordNumber", number},
             {"ItemNumber", item},
             {"Description", description},
             {"Completed", completed}}};
}
inline StoredRow Appointment(int number, const QString& subject, const QDate& date) {
    return {"CounselingT",
            {{"RecordNumber", number}, {"AppointmentSubject", subject}, {"AppointmentDate", date}}};
}
inline StoredRow Passing(int number, const QDate& date, const QString& place) {
    return {"PassingT", {{"RecordNumber", number}, {"PassingDate", date}, {"PlaceOfDeath", place}}};
}

// Types into a line edit as a user does: focus first, then the keys one by one.
inline void TypeKeys(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(edit, text);
}

// Clicks a button as the user does; a radio button on its round box (a click beside its
// text does nothing).
inline void Click(QAbstractButton* button) {
    if (qobject_cast<QRadioButton*>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
}

// The titles of a grid's visible columns, in their order.
inline QStringList VisibleTitles(TDBGrid* grid) {
    QStringList titles;
    for (int c : grid->VisibleColumns())
        titles << grid->GridModel()->ColumnTitle(c);
    return titles;
}

inline int ColumnTitled(TDBGrid* grid, const QString& title) {
    for (int c = 0; c < grid->ColumnCount(); ++c)
        if (grid->GridModel()->ColumnTitle(c) == title)
            return c;
    return -1;
}

// Clicks a column title as the user does.
inline void ClickTitle(TDBGrid* grid, const QString& title) {
    const int column = ColumnTitled(grid, title);
    QVERIFY2(column >= 0, qPrintable(title));
    grid->scrollTo(grid->model()->index(0, column));
    QHeaderView* header = grid->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

// Clicks a row of a grid (in its first visible column).
inline void ClickRow(TDBGrid* grid, int row) {
    const QModelIndex cell = grid->model()->index(row, grid->VisibleColumns().value(0));
    grid->scrollTo(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
}
