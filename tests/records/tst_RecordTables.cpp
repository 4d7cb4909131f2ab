// The shared member-record tables as the pastoral record windows use them: the link to
// the active record cut and set again, orders chosen while linked, the wedding lists
// following the marriage row, the Display filters and the post-error messages.

#include "RecordsFixture.h"

namespace {

const QList<RecordsPerson> People = {
    {1, "Lund", "Erik", "Carl"},
    {2, "Berg", "Anna"},
    {3, "Dahl", "Olaf"},
};

// Posts the current row through the data module's rules; the message a rule showed, the
// engine's own message, or "accepted".
QString PostMessage(DataSet* table) {
    Dialogs::ClearScript();
    try {
        table->Post();
    } catch (const EAbort&) {
        return Dialogs::ShownTexts().value(0);
    } catch (const EDatabaseError& e) {
        return "engine: " + e.Message();
    }
    return "accepted";
}

const QString DetailMessage = "An error occurred attempting to post to the %1.\n\n"
                              "Be sure that the number for the record is not already in use.\n\n"
                              "Also be sure you are not trying to schedule someone\n"
                              "for the same lay ministry or activity more than once.";

} // namespace

class TestRecordTables : public QObject {
    Q_OBJECT
    RecordsFixture fx;

private slots:
    void cleanup() { fx.Close(); }

    // The view windows' " Grid View ": the link cut shows every record in record-number
    // order whatever the active record does; set again, the table follows the record that
    // is active by then.
    void linkCutAndSetAgain_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("nameField");
        QTest::newRow("baptisms") << "BaptismT"
                                  << "FName";
        QTest::newRow("births") << "BirthT"
                                << "FName";
        QTest::newRow("marriages") << "MarriageT"
                                   << "GroomFName";
    }
    void linkCutAndSetAgain() {
        QFETCH(QString, table);
        QFETCH(QString, nameField);
        auto row = [&](int number, const QString& name) {
            if (table == "BaptismT")
                return Baptism(number, name, "X");
            if (table == "BirthT")
                return Birth(number, name, "X");
            return Marriage(number, name, "X", "Bride", "Y");
        };
        // Stored out of record-number order on purpose.
        fx.Open(People, {row(3, "C1"), row(1, "A1"), row(2, "B1"), row(1, "A2"), row(3, "C2")});
        Table* t = DataMod->TableByName(table);
        QVERIFY(fx.Activate(2));
        QCOMPARE(fx.Texts(t, nameField), QStringList({"B1"}));

        t->SetMasterSource(nullptr);
        QCOMPARE(fx.Texts(t, "RecordNumber"), QStringList({"1", "1", "2", "3", "3"}));
        QVERIFY(fx.Activate(3)); // the roster moves, the list does not
        QCOMPARE(t->RecordCount(), 5);

        t->SetMasterSource(DataMod->RosterS);
        QCOMPARE(fx.Texts(t, nameField), QStringList({"C1", "C2"}));
        QVERIFY(fx.Activate(1));
        QCOMPARE(fx.Texts(t, nameField), QStringList({"A1", "A2"}));
    }

    // A column title chosen while the table follows the active record: the active
    // record's records in the index's order, and the link still in force.
    void orderChosenWhileLinked() {
        fx.Open(People, {Baptism(1, "Zoe", "lund"), Baptism(1, "Adam", "Lund"),
                         Baptism(1, "Mia", "Ahl"), Baptism(2, "Per", "Berg")});
        Table* b = DataMod->BaptismT;
        QVERIFY(fx.Activate(1));
        b->Last(); // Ahl
        b->SetIndexName("BLN");
        QCOMPARE(fx.Texts(b, "FName"), QStringList({"Mia", "Zoe", "Adam"}));
        QCOMPARE(b->FieldByName("FName")->AsString(), QString("Mia"));
        b->SetIndexName("BFN");
        QCOMPARE(fx.Texts(b, "FName"), QStringList({"Adam", "Mia", "Zoe"}));
        QVERIFY(fx.Activate(2));
        QCOMPARE(fx.Texts(b, "FName"), QStringList({"Per"}));
        b->SetMasterSource(nullptr);
        QCOMPARE(fx.Texts(b, "FName"), QStringList({"Adam", "Mia", "Per", "Zoe"}));
    }

    // Every marriage of a roster record shows that record's one family, party and
    // logistics list; with the marriage link cut the lists follow the marriage row, while
    // the counseling appointments stay with the active record.
    void weddingListsFollowTheMarriageRow() {
        fx.Open(People, {Marriage(1, "Erik", "Lund", "Anna", "Berg"),
                         Marriage(1, "Nils", "Lund", "Ida", "Holm"),
                         Marriage(2, "Per", "Dahl", "Anna", "Berg"), Family(1, 1, "Lund family"),
                         Family(1, 2, "Berg family", false), Family(2, 1, "Dahl family"),
                         Party(1, 1, "Best man", true), Party(2, 1, "Maid", false),
                         Logistics(1, 1, "Flowers"), Logistics(2, 1, "Organist"),
                         Appointment(1, "First talk", QDate(2015, 3, 1)),
                         Appointment(2, "Second talk", QDate(2015, 4, 1))});
        Table* m = DataMod->MarriageT;
        QVERIFY(fx.Activate(1));
        QCOMPARE(m->RecordCount(), 2);
        for (int i = 0; i < 2; ++i) {
            m->SetRecNo(i + 1);
            QCOMPARE(fx.Texts(DataMod->WedFamilyT, "Name"),
                     QStringList({"Lund family", "Berg family"}));
            QCOMPARE(fx.Texts(DataMod->WedPartyT, "Name"), QStringList({"Best man"}));
            QCOMPARE(fx.Texts(DataMod->WedLogisticsT, "Description"), QStringList({"Flowers"}));
        }
        m->SetMasterSource(nullptr);
        QVERIFY(m->Locate("GroomFName", {"Per"}));
        QCOMPARE(fx.Texts(DataMod->WedFamilyT, "Name"), QStringList({"Dahl family"}));
        QCOMPARE(fx.Texts(DataMod->WedPartyT, "Name"), QStringList({"Maid"}));
        QCOMPARE(fx.Texts(DataMod->WedLogisticsT, "Description"), QStringList({"Organist"}));
        QCOMPARE(fx.Texts(DataMod->CounselingT, "AppointmentSubject"), QStringList({"First talk"}));
        QCOMPARE(ActiveRecordNumber, 1);
    }

    // The Display filters of the family and party lists. A party line whose side was never
    // set belongs to neither side.
    void displayFilters_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("party, all") << "WedPartyT"
                                    << "" << QStringList({"Tom", "Sue", "Kim"});
        QTest::newRow("party, bride") << "WedPartyT"
                                      << "GroomSide = false" << QStringList({"Sue"});
        QTest::newRow("party, groom") << "WedPartyT"
                                      << "GroomSide = true" << QStringList({"Tom"});
        QTest::newRow("family, all") << "WedFamilyT"
                                     << "" << QStringList({"Lund", "Berg"});
        QTest::newRow("family, bride") << "WedFamilyT"
                                       << "GroomFamily = false" << QStringList({"Berg"});
        QTest::newRow("family, groom") << "WedFamilyT"
                                       << "GroomFamily = true" << QStringList({"Lund"});
    }
    void displayFilters() {
        QFETCH(QString, table);
        QFETCH(QString, filter);
        QFETCH(QStringList, names);
        fx.Open(People, {Marriage(1, "Erik", "Lund", "Anna", "Berg"), Party(1, 1, "Tom", true),
                         Party(1, 2, "Sue", false), Party(1, 3, "Kim", QVariant()),
                         Family(1, 1, "Lund", true), Family(1, 2, "Berg", false)});
        Table* t = DataMod->TableByName(table);
        if (!filter.isEmpty()) {
            t->SetFilter(filter);
            t->SetFiltered(true);
        }
        QCOMPARE(fx.Texts(t, "Name"), names);
        t->SetFiltered(false);
        QCOMPARE(t->RecordCount(), table == "WedPartyT" ? 3 : 2);
    }

    // A line number already used in the same wedding is refused with the message naming
    // the list; the row stays in insert with what was typed. The same number in another
    // wedding is accepted.
    void usedLineNumberNamesTheList_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("numberField");
        QTest::addColumn<QString>("label");
        QTest::newRow("families") << "WedFamilyT"
                                  << "Number"
                                  << "Family Table.";
        QTest::newRow("party") << "WedPartyT"
                               << "Number"
                               << "Wedding Party Table.";
        QTest::newRow("logistics") << "WedLogisticsT"
                                   << "ItemNumber"
                                   << "Logistics Table.";
    }
    void usedLineNumberNamesTheList() {
        QFETCH(QString, table);
        QFETCH(QString, numberField);
        QFETCH(QString, label);
        fx.Open(People, {Marriage(1, "Erik", "Lund", "Anna", "Berg"),
                         Marriage(2, "Per", "Berg", "Eva", "Dahl"), Family(1, 7, "Lund"),
                         Party(1, 7, "Tom", true), Logistics(1, 7, "Flowers")});
        Table* t = DataMod->TableByName(table);
        QVERIFY(fx.Activate(1));
        t->Append();
        t->FieldByName(numberField)->SetAsInteger(7);
        const QString text = table == "WedLogisticsT" ? "Description" : "Name";
        t->FieldByName(text)->SetAsString("Second seven");
        if (table == "WedPartyT")
            t->FieldByName("Role")->SetAsString("Usher");
        if (table == "WedFamilyT")
            t->FieldByName("GroomFamily")->SetAsBoolean(false);
        QCOMPARE(PostMessage(t), DetailMessage.arg(label));
        QCOMPARE(t->State(), DataSetState::Insert);
        QCOMPARE(t->FieldByName(text)->AsString(), QString("Second seven"));
        t->Cancel();

        QVERIFY(fx.Activate(2));
        t->Append();
        t->FieldByName(numberField)->SetAsInteger(7);
        t->FieldByName(text)->SetAsString("Other wedding");
        if (table == "WedPartyT")
            t->FieldByName("Role")->SetAsString("Usher");
        if (table == "WedFamilyT")
            t->FieldByName("GroomFamily")->SetAsBoolean(true);
        QCOMPARE(PostMessage(t), QString("accepted"));
        QCOMPARE(t->FieldByName("RecordNumber")->AsInteger(), 2);
    }

    // A record being entered when another roster record becomes active (the Select
    // Active Record window beside an entry window) is stored for the record it was
    // entered under, and the entry window then shows the new active record's records.
    void pendingRecordWhenTheActiveRecordChanges() {
        fx.Open(People);
        Table* b = DataMod->BaptismT;
        QVERIFY(fx.Activate(1));
        b->Insert();
        b->FieldByName("FName")->SetAsString("Karin");
        b->FieldByName("LName")->SetAsString("Lund");
        b->FieldByName("BaptismDate")->SetAsDate(QDate(2021, 5, 2));
        QVERIFY(fx.Activate(2));
        QCOMPARE(ActiveRecordNumber, 2);
        QCOMPARE(b->State(), DataSetState::Browse);
        QCOMPARE(b->RecordCount(), 0);
        QVERIFY(fx.Activate(1));
        QCOMPARE(fx.Texts(b, "FName"), QStringList({"Karin"}));
    }
};

VTX_REGISTER_TEST(TestRecordTables)
#include "tst_RecordTables.moc"
