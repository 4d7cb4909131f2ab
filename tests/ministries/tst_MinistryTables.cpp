// The shared ministry tables as the ministry windows use them: the enrolments linked to the
// roster on the member's number, filtered to one ministry, counted by the participants query,
// and the names they show when a member or a ministry is renamed while they are listed.

#include "MinistriesFixture.h"

#include <QTest>
#include <algorithm>

namespace {

// The link the member's ministries are shown through: the enrolments of the active record.
void LinkToRoster(Table* enrolled) {
    enrolled->SetDetailFields("RosterRecordNumber");
    enrolled->SetMasterFields("RecordNumber");
    enrolled->SetMasterSource(DataMod->RosterS);
}

void FilterToMinistry(Table* enrolled, int ministry) {
    enrolled->SetFilter(QString("MinistryNumber = %1").arg(ministry));
    enrolled->SetFiltered(true);
}

int Participants(int ministry) {
    Query* q = DataMod->ParticipantsCountQ;
    q->Close();
    if (!q->Prepared())
        q->Prepare();
    q->ParamByName("MinNum")->SetAsInteger(ministry);
    q->Open();
    return q->RecordCount();
}

} // namespace

class TestMinistryTables : public QObject {
    Q_OBJECT

    MinistriesFixture fx;

private slots:
    void init() { fx.OpenParish(); }
    void cleanup() { fx.Close(); }

    void theLinkListsTheActiveRecordsEnrolments() {
        Table* enrolled = fx.Enrolled();
        QCOMPARE(enrolled->RecordCount(), Enrolments.size());
        LinkToRoster(enrolled);
        QCOMPARE(fx.Numbers(enrolled, "RosterRecordNumber"), QList<int>({1, 1, 1}));
        QVERIFY(fx.GoTo(2));
        QCOMPARE(fx.Numbers(enrolled, "MinistryNumber"), QList<int>({1, 3, 4, 6}));
        QVERIFY(fx.GoTo(9));
        QCOMPARE(fx.Numbers(enrolled, "MinistryNumber"), QList<int>({3}));
        QCOMPARE(enrolled->FieldByName("LayMinisterName")->AsString(),
                 QString("Lindqvist-Sandberg, "));

        // A new enrolment belongs to the active record.
        enrolled->Insert();
        QCOMPARE(enrolled->FieldByName("RosterRecordNumber")->AsInteger(), 9);
        QVERIFY(enrolled->FieldByName("MinistryNumber")->IsNull());
        enrolled->FieldByName("MinistryNumber")->SetAsInteger(7);
        enrolled->Post();
        QCOMPARE(fx.Numbers(enrolled, "MinistryNumber"), QList<int>({3, 7}));

        // Without the link every enrolment is listed again, in member order.
        enrolled->SetMasterSource(nullptr);
        QCOMPARE(enrolled->RecordCount(), Enrolments.size() + 1);
        const QList<int> members = fx.Numbers(enrolled, "RosterRecordNumber");
        QVERIFY(std::is_sorted(members.begin(), members.end()));
    }

    void aMinistryFilterListsThatMinistry_data() {
        QTest::addColumn<int>("ministry");
        QTest::addColumn<bool>("linkedBefore");
        QTest::addColumn<QList<int>>("members");
        QTest::newRow("3, former participant included") << 3 << false << QList<int>{1, 2, 5, 8, 9};
        QTest::newRow("3, after the member's ministries") << 3 << true << QList<int>{1, 2, 5, 8, 9};
        QTest::newRow("6, more than wanted") << 6 << false << QList<int>{1, 2, 3, 4, 5, 6, 7};
        QTest::newRow("7, nobody") << 7 << false << QList<int>{};
    }

    void aMinistryFilterListsThatMinistry() {
        QFETCH(int, ministry);
        QFETCH(bool, linkedBefore);
        QFETCH(QList<int>, members);
        Table* enrolled = fx.Enrolled();
        if (linkedBefore)
            LinkToRoster(enrolled);
        enrolled->SetMasterSource(nullptr);
        FilterToMinistry(enrolled, ministry);
        QCOMPARE(fx.Numbers(enrolled, "RosterRecordNumber"), members);
        for (int number : fx.Numbers(enrolled, "MinistryNumber"))
            QCOMPARE(number, ministry);
    }

    void theParticipantsQueryCountsEveryEnrolment_data() {
        QTest::addColumn<int>("ministry");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("newMember"); // one not yet enrolled there
        QTest::newRow("1") << 1 << 2 << 6;
        QTest::newRow("2, one ended") << 2 << 3 << 6;
        QTest::newRow("3, one ended long ago") << 3 << 5 << 6;
        QTest::newRow("6, seven") << 6 << 7 << 8;
        QTest::newRow("7, none") << 7 << 0 << 6;
        QTest::newRow("99, no such ministry") << 99 << 0 << 6;
    }

    void theParticipantsQueryCountsEveryEnrolment() {
        QFETCH(int, ministry);
        QFETCH(int, count);
        QFETCH(int, newMember);
        // Whatever link and filter the shared table has, the query reads the table file.
        Table* enrolled = fx.Enrolled();
        LinkToRoster(enrolled);
        FilterToMinistry(enrolled, 2);
        QCOMPARE(Participants(ministry), count);

        // An enrolment counts once it is posted, not while it is pending.
        QVERIFY(fx.GoTo(newMember));
        enrolled->Insert();
        enrolled->FieldByName("MinistryNumber")->SetAsInteger(ministry);
        QCOMPARE(Participants(ministry), count);
        enrolled->Post();
        QCOMPARE(Participants(ministry), count + 1);
    }

    void renamedMembersAndMinistriesWhileListed() {
        Table* enrolled = fx.Enrolled();
        FilterToMinistry(enrolled, 3);
        QVERIFY(fx.GoToMinistry(3));
        QCOMPARE(CurrentMinistryName, QString("Ushers"));

        // A member's new name shows in the lists at once (it is looked up in the roster).
        QVERIFY(fx.GoTo(5));
        Table* roster = fx.Roster();
        roster->Edit();
        roster->FieldByName("LName")->SetAsString("Ek");
        roster->Post();
        QVERIFY(enrolled->Locate("RosterRecordNumber", {5}));
        QCOMPARE(enrolled->FieldByName("LayMinisterName")->AsString(), QString("Ek, Eve "));

        // A ministry's new name is the current ministry's at once; the enrolments keep the
        // name they were made with.
        Table* ministries = fx.MinistriesTable();
        ministries->Edit();
        ministries->FieldByName("MinistryName")->SetAsString("Greeters");
        QCOMPARE(CurrentMinistryName, QString("Greeters"));
        ministries->Post();
        QCOMPARE(CurrentMinistryName, QString("Greeters"));
        for (const QVariant& name : fx.Column(enrolled, "MinistryName"))
            QCOMPARE(name.toString(), QString("Ushers"));
    }
};

VTX_REGISTER_TEST(TestMinistryTables)
#include "tst_MinistryTables.moc"
