#pragma once
// Shared pieces of the lay ministry tests: a small parish with ministries and enrolments
// written straight into the table files (the roster windows' fixture does the rest: the data
// folder, the data module, scripted dialogs, closing what a test left open).

#include "../roster/RosterWindowsFixture.h"
#include "roster/vtxSelectActiveRecordF.h"
#include "toolkit/vtxWindowRegistry.h"

#include <QDate>
#include <QVariant>

struct MinistryRow {
    int number;
    QString name;
    QString description = {};
    bool governing = false;
    QVariant maxMembers = {}; // NoOfMembers; invalid: empty
};

struct EnrolmentRow {
    int ministry;
    int member;
    QDate start = {};
    QDate end = {};
    QString remark = {};
    QString ministryName = {}; // the copy of the ministry's name; empty: looked up below
};

// The members of the parish (record numbers 1 to 9; 9 has a name of 30 characters).
inline const QList<RosterPerson> MinistryPeople = {
    {1, "Anderson", "Alice"},  {2, "Berg", "Bob"},   {3, "Carlson", "Carl"},
    {4, "Dahl", "Dora"},       {5, "Eklund", "Eve"}, {6, "Fisk", "Frank"},
    {7, "Gustafson", "Greta"}, {8, "Holm", "Hans"},  {9, "Lindqvist-Sandberg", "Bartholomew"},
};

// Ministries covering the status table: governing with a maximum, a maximum with fewer,
// exactly as many and more enrolments than wanted, no maximum (0 and empty), none enrolled.
inline const QList<MinistryRow> Ministries = {
    {1, "Church Council", "Governs the congregation between its annual meetings.", true, 12},
    {2, "Altar Guild", "Prepares the altar for every service.", false, 5},
    {3, "Ushers", "Greets worshippers and counts attendance.", false, 5},
    {4, "Senior Choir", "Sings at the late service.", false, 0},
    {5, "Lectors", "Reads the lessons.", false, {}},
    {6, "Acolytes", "Lights the candles.", false, 5},
    {7, "Property Committee", "Cares for the buildings.", false, 3},
};

// Ministry 3 has five enrolments, one of them ended long ago; ministry 6 has seven.
inline const QList<EnrolmentRow> Enrolments = {
    {1, 2, QDate(2020, 1, 5)},
    {1, 4, QDate(2021, 1, 3), {}, "Chair"},
    {2, 1, QDate(2019, 3, 10)},
    {2, 3, QDate(2019, 3, 10), QDate(2022, 3, 13)},
    {2, 5, QDate(2023, 9, 3)},
    {3, 5, QDate(2018, 6, 3)},
    {3, 1, QDate(2015, 1, 4), QDate(2016, 1, 3), "Moved away"},
    {3, 8, QDate(2022, 2, 6)},
    {3, 2, QDate(2020, 5, 3)},
    {3, 9, QDate(2024, 1, 7)},
    {4, 2, QDate(2010, 9, 5)},
    {6, 1, QDate(2024, 1, 7)},
    {6, 2, QDate(2024, 1, 7)},
    {6, 3, QDate(2024, 1, 7)},
    {6, 4, QDate(2024, 1, 7)},
    {6, 5, QDate(2024, 1, 7)},
    {6, 6, QDate(2024, 1, 7)},
    {6, 7, QDate(2024, 1, 7)},
};

// The rows to write for ministries and enrolments.
inline QList<DetailRow> MinistryRows(const QList<MinistryRow>& ministries,
                                     const QList<EnrolmentRow>& enrolments) {
    QList<DetailRow> rows;
    for (const MinistryRow& m : ministries) {
        QVariantMap values{
            {"MinistryNumber", m.number}, {"MinistryName", m.name}, {"Governing", m.governing}};
        if (!m.description.isEmpty())
            values["Description"] = m.description;
        if (m.maxMembers.isValid())
            values["NoOfMembers"] = m.maxMembers;
        rows << DetailRow{"LayMinistriesT", values};
    }
    for (const EnrolmentRow& e : enrolments) {
        QString name = e.ministryName;
        for (const MinistryRow& m : ministries)
            if (name.isEmpty() && m.number == e.ministry)
                name = m.name;
        QVariantMap values{{"MinistryNumber", e.ministry},
                           {"RosterRecordNumber", e.member},
                           {"MinistryName", name}};
        if (e.start.isValid())
            values["StartDate"] = e.start;
        if (e.end.isValid())
            values["EndDate"] = e.end;
        if (!e.remark.isEmpty())
            values["Remark"] = e.remark;
        rows << DetailRow{"LayMinistryRosterT", values};
    }
    return rows;
}

// The ministry windows open the Select Active Record window by name, as the program has
// every window registered; a test program has those it links, so it registers this one.
inline void LinkSelectActiveRecord() {
    RegisterWindow("TSelectActiveRecordForm",
                   [](QWidget* owner) -> QWidget* { return new TSelectActiveRecordForm(owner); });
}

class MinistriesFixture : public RosterWindowsFixture {
public:
    // The parish above (or the given rows); the roster on member 1, the ministries on
    // ministry 1, the enrolments neither linked nor filtered.
    void OpenParish(const QList<MinistryRow>& ministries = Ministries,
                    const QList<EnrolmentRow>& enrolments = Enrolments) {
        Open(MinistryPeople, MinistryRows(ministries, enrolments));
    }

    static Table* Enrolled() { return DataMod->LayMinistryRosterT; }
    static Table* MinistriesTable() { return DataMod->LayMinistriesT; }

    // A field of the rows the table presents, in its order.
    static QVariantList Column(DataSet* table, const QString& field) {
        QVariantList values;
        const int index = table->FieldByName(field)->Index();
        for (int row = 0; row < table->DisplayRowCount(); ++row)
            values << table->DisplayValue(row, index);
        return values;
    }
    static QList<int> Numbers(DataSet* table, const QString& field) {
        QList<int> numbers;
        for (const QVariant& v : Column(table, field))
            numbers << v.toInt();
        return numbers;
    }
    // The pairs (ministry, member) of the enrolments presented.
    static QList<QPair<int, int>> EnrolmentKeys() {
        const QList<int> ministries = Numbers(Enrolled(), "MinistryNumber");
        const QList<int> members = Numbers(Enrolled(), "RosterRecordNumber");
        QList<QPair<int, int>> keys;
        for (int i = 0; i < ministries.size(); ++i)
            keys << qMakePair(ministries[i], members[i]);
        return keys;
    }
    static bool GoToMinistry(int number) {
        return DataMod->LayMinistriesT->Locate("MinistryNumber", {number});
    }
};
