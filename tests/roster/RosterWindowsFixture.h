#pragma once
// Shared pieces of the roster window tests: the data module fixture's data folder with a few
// roster rows (and detail rows) written straight into the table files before the data module
// opens over it; the fixture does the rest (scripted dialogs, clean-up of the windows a test
// left open).

#include "DataModuleFixture.h"

#include <QLineEdit>

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

class RosterWindowsFixture : public DataModuleFixture {
public:
    // Writes the rows into a new data folder and opens the data module over it. The
    // roster cursor stands on the first row in record-number order.
    void Open(const QList<RosterPerson>& people, const QList<DetailRow>& details = {}) {
        Create();
        Write("RosterT", RosterRows(people));
        for (const DetailRow& row : details)
            Write(row.table, {row.values});
        Start();
    }

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

private:
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
};

// Types into a line edit as a user does: focus first (which empties a search box), then
// the keys one by one.
inline void TypeKeys(QLineEdit* edit, const QString& text) {
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(edit, text);
}
