// The data module's rules: numbering, the active record, detail stamping,
// calculated fields and the post-error messages.

#include "TestSupport.h"
#include "data/vtxDataM.h"
#include "data/vtxGlobalsU.h"
#include "engine/Sqlite.h"
#include "toolkit/Dialogs.h"

#include <QTest>

namespace {

void AddMember(const QString& last, const QString& first, const QString& middle = {}) {
    Table* r = DataMod->RosterT;
    r->Append();
    r->FieldByName("FName")->SetAsString(first);
    r->FieldByName("MName")->SetAsString(middle);
    r->FieldByName("LName")->SetAsString(last);
    r->FieldByName("Address1")->SetAsString("1 Main St");
    r->FieldByName("IsMember")->SetAsBoolean(true);
    r->Post();
}

// Posts the current row and expects the rule to refuse it quietly with a message.
QString RefusedMessage(Table* t) {
    Dialogs::ClearScript();
    try {
        t->Post();
    } catch (const EAbort&) {
        return Dialogs::ShownTexts().value(0);
    } catch (const EDatabaseError& e) {
        return "engine: " + e.Message();
    }
    return "accepted";
}

const char* kDetailMessage = "An error occurred attempting to post to the %1.\n\n"
                             "Be sure that the number for the record is not already in use.\n\n"
                             "Also be sure you are not trying to schedule someone\n"
                             "for the same lay ministry or activity more than once.";

} // namespace

class TestRules : public QObject {
    Q_OBJECT
    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<TDataMod> m_data;

private Q_SLOTS:
    void init() {
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
        SetRuleMessageSink(&Dialogs::ShowMessage);
        ResetProgramValues();
        m_folder = std::make_unique<TempFolder>();
        Aliases::SetPath("Vestrix2", m_folder->path() + "Data");
        m_data = std::make_unique<TDataMod>();
        m_data->OpenDataSets();
    }
    void cleanup() {
        m_data.reset();
        m_folder.reset();
    }

    void emptyRosterHasNoActiveRecordAndNumbersFromOne() {
        QCOMPARE(ActiveRecordNumber, 0);
        QVERIFY(!CheckActiveRecord());
        QCOMPARE(Dialogs::ShownTexts(), QStringList{"There must be an active record in the roster\n"
                                                    "before this record can be created."});
        NextRecordNumber = NextRosterRecordNumber();
        QCOMPARE(NextRecordNumber, 1);
        AddMember("Smith", "John");
        QCOMPARE(DataMod->RosterT->FieldByName("RecordNumber")->AsInteger(), 1);
        QCOMPARE(NextRecordNumber, 2);
        QCOMPARE(ActiveRecordNumber, 1);
        QVERIFY(CheckActiveRecord());
    }

    void rowStartedBeforeNumberingGetsZero() {
        DataMod->RosterT->Append();
        QCOMPARE(DataMod->RosterT->FieldByName("RecordNumber")->AsInteger(), 0);
        DataMod->RosterT->Cancel();
    }

    void numberingNeverReusesAMembersNumber_data() {
        QTest::addColumn<bool>("detailRecord");
        QTest::addColumn<int>("expected");
        QTest::newRow("deleted member left no records") << false << 3;
        QTest::newRow("deleted member's memo remains") << true << 8;
    }

    void numberingNeverReusesAMembersNumber() {
        QFETCH(bool, detailRecord);
        QFETCH(int, expected);
        Table* r = DataMod->RosterT;
        for (int n : {1, 2, 7}) {
            NextRecordNumber = n;
            AddMember(QString("Member%1").arg(n), "A");
        }
        NextRecordNumber = NextRosterRecordNumber();
        QCOMPARE(NextRecordNumber, 8);
        QVERIFY(r->Locate("RecordNumber", {7}));
        if (detailRecord) {
            DataMod->MemoT->Append();
            DataMod->MemoT->FieldByName("Memo")->SetAsString("Visited in hospital");
            DataMod->MemoT->Post();
            QCOMPARE(DataMod->MemoT->FieldByName("RecordNumber")->AsInteger(), 7);
        }
        r->Delete();
        // Deleting does not renumber: a member inserted at once gets 8.
        QCOMPARE(NextRecordNumber, 8);
        // Posting a change to another member computes the number anew.
        r->First();
        r->Edit();
        r->FieldByName("Title")->SetAsString("Mr.");
        r->Post();
        QCOMPARE(NextRecordNumber, expected);
    }

    void postLeavesTheLastRowActive() {
        NextRecordNumber = 1;
        AddMember("Zeller", "Ann");
        AddMember("Adams", "Bob");
        DataMod->RosterT->SetIndexName("RLN");
        DataMod->RosterT->First(); // Adams
        DataMod->RosterT->Edit();
        DataMod->RosterT->FieldByName("Title")->SetAsString("Mr.");
        DataMod->RosterT->Post();
        // The walk leaves the roster on its last row in the current order.
        QCOMPARE(DataMod->RosterT->FieldByName("LName")->AsString(), QString("Zeller"));
        QCOMPARE(ActiveRecordNumber, 1);
        QCOMPARE(ActiveLName, QString("Zeller"));
        QCOMPARE(ActiveLFMName, QString("Zeller, Ann "));
    }

    void fullName_data() {
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("middle");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all parts") << "Smith"
                                   << "John"
                                   << "Paul"
                                   << "Smith, John Paul";
        QTest::newRow("no middle name") << "Smith"
                                        << "John"
                                        << ""
                                        << "Smith, John ";
        QTest::newRow("no first name") << "Smith"
                                       << ""
                                       << "Paul"
                                       << "Smith,  Paul";
    }

    void fullName() {
        QFETCH(QString, last);
        QFETCH(QString, first);
        QFETCH(QString, middle);
        QFETCH(QString, expected);
        Table* r = DataMod->RosterT;
        r->Append();
        r->FieldByName("LName")->SetAsString(last);
        r->FieldByName("FName")->SetAsString(first);
        r->FieldByName("MName")->SetAsString(middle);
        QCOMPARE(r->FieldByName("LFMName")->AsString(), expected);
        r->Cancel();
    }

    void detailRowsTakeTheActiveNumberOnEveryPost() {
        NextRecordNumber = 1;
        AddMember("Smith", "John");
        AddMember("Jones", "Mary");
        Table* b = DataMod->BaptismT;
        DataMod->RosterT->First(); // member 1 active
        b->Append();
        b->FieldByName("FName")->SetAsString("Baby");
        b->FieldByName("LName")->SetAsString("Smith");
        b->FieldByName("BaptismDate")->SetAsDate(QDate(2026, 5, 3));
        b->Post();
        QCOMPARE(b->FieldByName("RecordNumber")->AsInteger(), 1);
        // Changing the row while member 2 is active moves it to member 2.
        b->SetMasterSource(nullptr);
        DataMod->RosterT->Last();
        QCOMPARE(ActiveRecordNumber, 2);
        b->First();
        b->Edit();
        b->FieldByName("Remark")->SetAsString("moved");
        b->Post();
        QCOMPARE(b->FieldByName("RecordNumber")->AsInteger(), 2);
    }

    void birthNeedsAnActiveRecord() {
        Table* b = DataMod->BirthT;
        b->SetMasterSource(nullptr);
        b->Append();
        b->FieldByName("FName")->SetAsString("Baby");
        QCOMPARE(RefusedMessage(b), QString("There must be an active record in the roster\n"
                                            "before this record can be created."));
        QCOMPARE(b->State(), DataSetState::Insert);
        b->Cancel();
        NextRecordNumber = 4;
        AddMember("Smith", "John");
        b->Append();
        b->FieldByName("FName")->SetAsString("Baby");
        b->Post();
        QCOMPARE(b->FieldByName("RecordNumber")->AsInteger(), 4);
    }

    // The rules show no window of their own: every message goes to the installed sink, so
    // a recorder in its place takes them all and the dialogs facade shows nothing.
    void rulesSpeakOnlyThroughTheSink() {
        QStringList recorded;
        SetRuleMessageSink([&recorded](const QString& text) { recorded << text; });
        QVERIFY(!CheckActiveRecord());
        NextRecordNumber = 1;
        AddMember("Smith", "John");
        Table* e = DataMod->EnvelopeT;
        e->Append();
        e->FieldByName("EnvelopeNumber")->SetAsString("101");
        e->Post();
        e->Append();
        e->FieldByName("EnvelopeNumber")->SetAsString("102");
        QVERIFY_THROWS_EXCEPTION(EAbort, e->Post());
        e->Cancel();
        SetRuleMessageSink(&Dialogs::ShowMessage);
        QCOMPARE(recorded, QStringList({"There must be an active record in the roster\n"
                                        "before this record can be created.",
                                        QString(kDetailMessage).arg("Envelope Table.")}));
        QCOMPARE(Dialogs::ShownLog().size(), 0);
    }

    void postErrorMessagesKeepTheRowInEdit() {
        NextRecordNumber = 1;
        AddMember("Smith", "John");
        // A second family line with the same number in the same wedding.
        Table* m = DataMod->MarriageT;
        m->Append();
        m->FieldByName("GroomFName")->SetAsString("John");
        m->FieldByName("GroomLName")->SetAsString("Smith");
        m->FieldByName("BrideFName")->SetAsString("Ann");
        m->FieldByName("BrideLName")->SetAsString("Lee");
        m->FieldByName("WeddingDate")->SetAsDate(QDate(2026, 6, 6));
        m->Post();
        Table* f = DataMod->WedFamilyT;
        for (int i = 0; i < 2; ++i) {
            f->Append();
            f->FieldByName("Number")->SetAsInteger(1);
            f->FieldByName("Name")->SetAsString(i ? "Second" : "First");
            f->FieldByName("GroomFamily")->SetAsBoolean(true);
        }
        QCOMPARE(RefusedMessage(f), QString(kDetailMessage).arg("Family Table."));
        QCOMPARE(f->State(), DataSetState::Insert);
        QCOMPARE(f->FieldByName("Name")->AsString(), QString("Second"));
        f->Cancel();
        // A required field keeps the engine's message.
        Table* c = DataMod->CounselingT;
        c->Append();
        c->FieldByName("AppointmentDate")->SetAsDate(QDate(2026, 3, 3));
        QCOMPARE(RefusedMessage(c),
                 QString("engine: Field 'AppointmentSubject' must have a value"));
        QCOMPARE(c->State(), DataSetState::Insert);
        c->Cancel();
        // A second envelope for the member.
        Table* e = DataMod->EnvelopeT;
        e->Append();
        e->FieldByName("EnvelopeNumber")->SetAsString("101");
        e->Post();
        QCOMPARE(e->FieldByName("RecordNumber")->AsInteger(), 1);
        e->Append();
        e->FieldByName("EnvelopeNumber")->SetAsString("102");
        QCOMPARE(RefusedMessage(e), QString(kDetailMessage).arg("Envelope Table."));
        e->Cancel();
    }

    void worshipMusicAndOfferingMessages() {
        Table* w = DataMod->WorshipT;
        w->Append();
        w->FieldByName("WorshipDate")->SetAsDate(QDate(2026, 12, 13));
        QCOMPARE(RefusedMessage(w),
                 QString("Be sure you HAVE included both a worship date and time\n"
                         "and have NOT scheduled two services for the same date and time."));
        w->FieldByName("WorshipTime")->SetAsString("10:00 AM");
        w->Post();
        // The memo takes the service's date and time.
        Table* memo = DataMod->WorshipMemoT;
        memo->Append();
        memo->FieldByName("Special Instructions")->SetAsString("Advent wreath");
        memo->Post();
        QCOMPARE(memo->FieldByName("WorshipDate")->AsDate(), QDate(2026, 12, 13));
        QCOMPARE(memo->FieldByName("WorshipTime")->AsTime(), QTime(10, 0));

        Table* lib = DataMod->MusicLibraryT;
        for (int i = 0; i < 2; ++i) {
            lib->Append();
            lib->FieldByName("MusicName")->SetAsString("Silent Night");
        }
        QVERIFY(
            RefusedMessage(lib).startsWith("Record could not be posted.  Be sure you have not\n"));
        lib->Cancel();
        Table* use = DataMod->MusicUseT;
        for (int i = 0; i < 2; ++i) {
            use->Append();
            use->FieldByName("UsedDate")->SetAsDate(QDate(2026, 12, 24));
        }
        QCOMPARE(RefusedMessage(use),
                 QString("There was an error posting to the Music Use table.\n"
                         "You may have entered a duplicate use date for the selection."));
        use->Cancel();
        Table* gift = DataMod->EnvelopeOfferingT;
        for (int i = 0; i < 2; ++i) {
            gift->Append();
            gift->FieldByName("EnvelopeNumber")->SetAsString("12");
            gift->FieldByName("OfferingDate")->SetAsDate(QDate(2026, 12, 6));
        }
        QCOMPARE(RefusedMessage(gift),
                 QString("There was a posting error.  You may have tried to add\n"
                         "an envelope twice for the same date."));
        QCOMPARE(gift->State(), DataSetState::Insert);
        gift->Cancel();
    }

    void offeringTotalAndQuarter_data() {
        QTest::addColumn<QString>("cash");
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("quarter");
        QTest::newRow("both amounts") << "100"
                                      << "250.50" << QDate(2026, 3, 31) << "350.5" << 1;
        QTest::newRow("checks empty") << "10.25"
                                      << "" << QDate(2026, 4, 1) << "10.25" << 2;
        QTest::newRow("cash empty") << ""
                                    << "0.10" << QDate(2026, 12, 31) << "0.1" << 4;
        // No date: taken as 30 December 1899, quarter 4.
        QTest::newRow("no amounts, no date") << ""
                                             << "" << QDate() << "0" << 4;
    }

    void offeringTotalAndQuarter() {
        QFETCH(QString, cash);
        QFETCH(QString, checks);
        QFETCH(QDate, date);
        QFETCH(QString, total);
        QFETCH(int, quarter);
        Table* o = DataMod->OfferingT;
        o->Append();
        if (date.isValid())
            o->FieldByName("OfferingDate")->SetAsDate(date);
        o->FieldByName("Cash")->SetAsString(cash);
        o->FieldByName("Checks")->SetAsString(checks);
        o->Post();
        QCOMPARE(o->FieldByName("Total")->AsString(), total);
        // The stored total is written too, so the loose-offering sum is right.
        DataMod->GivingLooseQ->Close();
        DataMod->GivingLooseQ->Open();
        QCOMPARE(DataMod->GivingLooseQ->Fields().first()->AsString(), total);
        Table* g = DataMod->EnvelopeOfferingT;
        g->Append();
        g->FieldByName("EnvelopeNumber")->SetAsString("5");
        if (date.isValid())
            g->FieldByName("OfferingDate")->SetAsDate(date);
        QCOMPARE(g->FieldByName("Quarter")->AsInteger(), quarter);
        g->Cancel();
    }

    // The duplicate-gift message names one cause: a gift refused for another reason keeps
    // the engine's message, which says what went wrong, and stays in insert.
    void aGiftRefusedForAnotherCauseKeepsTheEnginesMessage() {
        {
            SqliteConnection file(m_folder->file("Data/vtxEnvelopeOfferingT.db"), false, "probe");
            file.Exec("CREATE TRIGGER Refuse BEFORE INSERT ON vtxEnvelopeOfferingT "
                      "BEGIN SELECT RAISE(ABORT, 'the disk said no'); END");
        }
        Table* gift = DataMod->EnvelopeOfferingT;
        gift->Append();
        gift->FieldByName("EnvelopeNumber")->SetAsString("12");
        gift->FieldByName("OfferingDate")->SetAsDate(QDate(2026, 12, 6));
        const QString refused = RefusedMessage(gift);
        QVERIFY2(refused.startsWith("engine: Table vtxEnvelopeOfferingT.db refused the record"),
                 qPrintable(refused));
        QVERIFY(refused.contains("the disk said no"));
        QCOMPARE(gift->State(), DataSetState::Insert);
        QCOMPARE(gift->FieldByName("EnvelopeNumber")->AsString(), QString("12"));
        gift->Cancel();
    }

    void currentValuesFollowTheirTables() {
        Table* lm = DataMod->LayMinistriesT;
        lm->Append();
        lm->FieldByName("MinistryNumber")->SetAsInteger(3);
        lm->FieldByName("MinistryName")->SetAsString("Altar Guild");
        lm->FieldByName("Governing")->SetAsBoolean(true);
        lm->FieldByName("NoOfMembers")->SetAsInteger(12);
        lm->Post();
        QCOMPARE(CurrentMinistryNumber, 3);
        QCOMPARE(CurrentMinistryName, QString("Altar Guild"));
        QVERIFY(CurrentMinistryGoverning);
        QCOMPARE(CurrentMinistryMaxMembers, 12);
        // Enrolment takes the active record.
        NextRecordNumber = 12;
        AddMember("Smith", "John");
        Table* lr = DataMod->LayMinistryRosterT;
        lr->Append();
        QCOMPARE(lr->FieldByName("RosterRecordNumber")->AsInteger(), 12);
        lr->Cancel();
        DataMod->WorshipOrdersT->Last();
        QCOMPARE(CurrentOrderNumber, 30);
        Table* env = DataMod->EnvelopeT;
        env->Append();
        env->FieldByName("EnvelopeNumber")->SetAsString("77");
        env->FieldByName("PledgeAmount")->SetAsString("1,750.25");
        env->Post();
        QCOMPARE(CurrentEnvelopeNumber, QString("77"));
        QCOMPARE(CurrentPledgeAmount, Currency::FromUnits(17502500));
    }
};

VTX_REGISTER_TEST(TestRules)
#include "tst_Rules.moc"
