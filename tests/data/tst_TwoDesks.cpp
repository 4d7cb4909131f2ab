// Two desks on one data folder: two processes of the test helper program, as two
// copies of the program on two computers would be. No acknowledged change is lost
// or lands on another record; a post either stores its row or stores nothing and
// says why; acknowledged rows survive a killed desk, a full disk and a second desk
// posting at the same time.

#include "DataFixture.h"
#include "DeskProcess.h"
#include "engine/Sqlite.h"
#include "engine/TableCheck.h"
#include "toolkit/Dialogs.h"

#include <QRandomGenerator>
#include <QSet>
#include <QTest>

namespace {

const QString kOk = QStringLiteral("ok");

QVariantMap Person(int recordNumber, const QString& last) {
    return {{"RecordNumber", recordNumber},
            {"FName", "Anna"},
            {"LName", last},
            {"Address1", "100 Main Street"},
            {"IsMember", true}};
}

QVariantMap Gift(const QString& envelope, const QString& amount) {
    return {{"EnvelopeNumber", envelope},
            {"OfferingDate", QDate(2024, 1, 7)},
            {"Amount", QVariant::fromValue(Currency::FromString(amount))}};
}

// What the file holds, read past the engine: one text column of the rows that match.
QStringList Stored(const QString& file, const QString& sql) {
    SqliteConnection conn(file, false, file);
    auto stmt = conn.Prepare(sql);
    QStringList out;
    while (stmt->Step())
        out << stmt->ColumnText(0);
    return out;
}

// The envelope numbers of the gifts a desk acknowledged ("acked I" lines) until it
// answered or was stopped.
QStringList Acked(DeskProcess& desk, const QString& prefix, QString* answer = nullptr) {
    QStringList acked;
    for (QString line = desk.NextLine(60000); !line.isEmpty(); line = desk.NextLine(60000)) {
        if (!line.startsWith("acked ")) {
            if (answer)
                *answer = line;
            break;
        }
        acked << prefix + line.mid(6);
    }
    return acked;
}

} // namespace

class TestTwoDesks : public QObject {
    Q_OBJECT

    std::unique_ptr<DataFolder> m_folder;

    QString RosterFile() const { return m_folder->file("vtxRosterT.DB"); }
    QString GiftFile() const { return m_folder->file("vtxEnvelopeOfferingT.db"); }
    // Both desks open the roster on member 5.
    void OnMember(DeskProcess& desk, int number = 5) {
        QCOMPARE(desk.Ask("open RosterT"), QString("ok 3"));
        QCOMPARE(desk.Ask(QString("locate RosterT RecordNumber %1").arg(number)), QString("ok 1"));
    }

private Q_SLOTS:
    void init() {
        m_folder = std::make_unique<DataFolder>();
        for (int n : {1, 5, 9})
            m_folder->Add("RosterT", Person(n, QString("Member%1").arg(n)));
        m_folder->CloseTables();
    }
    void cleanup() { m_folder.reset(); }

    // Desk A sets the phone of member 5 while desk B sets the city: B saves first,
    // A's save is refused with a message and A's typing stays in the edit; after a
    // cancel A sees B's city and saves the phone again. Both changes are kept.
    void changeMadeMeanwhileIsNeverOverwritten() {
        DeskProcess a(m_folder->path()), b(m_folder->path());
        OnMember(a);
        OnMember(b);
        QCOMPARE(a.Ask("edit RosterT"), kOk);
        QCOMPARE(a.Ask("set RosterT Phone 555-0101"), kOk);
        QCOMPARE(b.Ask("edit RosterT"), kOk);
        QCOMPARE(b.Ask("set RosterT City Springfield"), kOk);
        QCOMPARE(b.Ask("post RosterT"), kOk);
        const QString refused = a.Ask("post RosterT");
        QVERIFY2(refused.startsWith("error RowChanged Another user changed this record in table "
                                    "vtxRosterT.DB"),
                 qPrintable(refused));
        QCOMPARE(a.Ask("state RosterT"), QString("ok %1").arg(int(DataSetState::Edit)));
        QCOMPARE(a.Ask("get RosterT Phone"), QString("ok 555-0101"));
        QCOMPARE(a.Ask("cancel RosterT"), kOk);
        QCOMPARE(a.Ask("get RosterT City"), QString("ok Springfield"));
        QCOMPARE(a.Ask("edit RosterT"), kOk);
        QCOMPARE(a.Ask("set RosterT Phone 555-0101"), kOk);
        QCOMPARE(a.Ask("post RosterT"), kOk);
        QCOMPARE(Stored(RosterFile(),
                        "SELECT Phone || ' ' || City FROM vtxRosterT WHERE RecordNumber = 5"),
                 QStringList{"555-0101 Springfield"});
    }

    // An edit of a gift the other desk deleted is refused, not acknowledged and
    // stored nowhere; a cancel then leaves the deleted gift.
    void editOfRecordDeletedMeanwhileIsRefused() {
        m_folder->Add("EnvelopeOfferingT", Gift("12", "25"));
        m_folder->CloseTables();
        DeskProcess a(m_folder->path()), b(m_folder->path());
        for (DeskProcess* desk : {&a, &b})
            QCOMPARE(desk->Ask("open EnvelopeOfferingT"), QString("ok 1"));
        QCOMPARE(a.Ask("edit EnvelopeOfferingT"), kOk);
        QCOMPARE(a.Ask("set EnvelopeOfferingT Amount 40"), kOk);
        QCOMPARE(b.Ask("delete EnvelopeOfferingT"), kOk);
        const QString refused = a.Ask("post EnvelopeOfferingT");
        QVERIFY2(refused.startsWith("error RowChanged Another user deleted this record from table "
                                    "vtxEnvelopeOfferingT.db"),
                 qPrintable(refused));
        QCOMPARE(a.Ask("cancel EnvelopeOfferingT"), kOk);
        QCOMPARE(a.Ask("count EnvelopeOfferingT"), QString("ok 0"));
        QCOMPARE(Stored(GiftFile(), "SELECT Amount FROM vtxEnvelopeOfferingT"), QStringList());
    }

    // Desk B deletes the last member and adds another: the new member gets an id of
    // its own, so desk A, still on the deleted member, cannot edit the new one.
    void staleEditNeverLandsOnAnotherRecord() {
        DeskProcess a(m_folder->path()), b(m_folder->path());
        OnMember(a, 9);
        OnMember(b, 9);
        QCOMPARE(b.Ask("delete RosterT"), kOk);
        QCOMPARE(b.Ask("append RosterT"), kOk);
        for (const char* set : {"RecordNumber 10", "FName Otto", "LName Newman",
                                "Address1 2 Elm Street", "IsMember true"})
            QCOMPARE(b.Ask(QString("set RosterT ") + set), kOk);
        QCOMPARE(b.Ask("post RosterT"), kOk);
        const QString edit = a.Ask("edit RosterT");
        QVERIFY2(
            edit.startsWith("error RowChanged This record is no longer in table vtxRosterT.DB"),
            qPrintable(edit));
        a.Ask("set RosterT Phone 555-0199");
        a.Ask("post RosterT");
        QCOMPARE(Stored(RosterFile(), "SELECT IFNULL(Phone, '') || LName FROM vtxRosterT WHERE "
                                      "RecordNumber = 10"),
                 QStringList{"Newman"});
        QCOMPARE(Stored(RosterFile(), "SELECT rowid FROM vtxRosterT WHERE RecordNumber = 10"),
                 QStringList{"4"});
    }

    // A delete follows the same rule: a record the other desk changed since it was
    // shown is not deleted until it has been looked at again.
    void deleteOfRecordChangedMeanwhileIsRefused() {
        DeskProcess a(m_folder->path()), b(m_folder->path());
        OnMember(a);
        OnMember(b);
        QCOMPARE(b.Ask("edit RosterT"), kOk);
        QCOMPARE(b.Ask("set RosterT City Springfield"), kOk);
        QCOMPARE(b.Ask("post RosterT"), kOk);
        const QString refused = a.Ask("delete RosterT");
        QVERIFY2(refused.startsWith("error RowChanged Another user changed this record in table "
                                    "vtxRosterT.DB since it was shown"),
                 qPrintable(refused));
        QCOMPARE(Stored(RosterFile(), "SELECT City FROM vtxRosterT WHERE RecordNumber = 5"),
                 QStringList{"Springfield"});
        QCOMPARE(a.Ask("get RosterT City"), QString("ok Springfield"));
        QCOMPARE(a.Ask("delete RosterT"), kOk);
        QCOMPARE(Stored(RosterFile(), "SELECT City FROM vtxRosterT WHERE RecordNumber = 5"),
                 QStringList());
    }

    // A table held by the other desk refuses a post with the engine's message naming
    // it, and the row stays in the edit; once the other desk lets go the post stores.
    void tableHeldByTheOtherDeskRefusesWithItsName() {
        DeskProcess a(m_folder->path()), b(m_folder->path());
        QCOMPARE(a.Ask("open EnvelopeOfferingT"), QString("ok 0"));
        QCOMPARE(b.Ask("lock EnvelopeOfferingT"), kOk);
        QCOMPARE(a.Ask("append EnvelopeOfferingT"), kOk);
        QCOMPARE(a.Ask("set EnvelopeOfferingT EnvelopeNumber 12"), kOk);
        const QString refused = a.Ask("post EnvelopeOfferingT");
        QCOMPARE(refused, QString("error Locked Table vtxEnvelopeOfferingT.db is locked by another "
                                  "program. Try again later."));
        QCOMPARE(a.Ask("state EnvelopeOfferingT"), QString("ok %1").arg(int(DataSetState::Insert)));
        QCOMPARE(b.Ask("unlock EnvelopeOfferingT"), kOk);
        QCOMPARE(a.Ask("post EnvelopeOfferingT"), kOk);
        QCOMPARE(Stored(GiftFile(), "SELECT EnvelopeNumber FROM vtxEnvelopeOfferingT"),
                 QStringList{"12"});
    }

    // A member saved while the other desk holds the lay ministry roster (whose
    // minister names are looked up in the roster): the post stores the member once and
    // returns to Browse; the held table's refresh is given up, not reported as a
    // failure of the post.
    void savedRowIsNotReportedAsFailed() {
        Dialogs::SetScripted(true);
        Dialogs::ClearScript();
        TDataMod module;
        module.OpenDataSets();
        DeskProcess b(m_folder->path());
        QCOMPARE(b.Ask("lock LayMinistryRosterT"), kOk);
        Table* roster = module.RosterT;
        roster->Append();
        const QVariantMap person = Person(12, "Olson");
        for (auto it = person.begin(); it != person.end(); ++it)
            roster->FieldByName(it.key())->SetValue(it.value());
        QString failure;
        try {
            roster->Post();
        } catch (const EDatabaseError& e) {
            failure = e.Message();
        }
        QCOMPARE(failure, QString());
        QCOMPARE(roster->State(), DataSetState::Browse);
        QCOMPARE(roster->FieldByName("LName")->AsString(), QString("Olson"));
        QCOMPARE(b.Ask("unlock LayMinistryRosterT"), kOk);
        roster->CheckBrowseMode();
        QCOMPARE(Stored(RosterFile(), "SELECT LName FROM vtxRosterT WHERE RecordNumber = 12"),
                 QStringList{"Olson"});
        QVERIFY(Dialogs::ShownTexts().isEmpty());
    }

    // A desk killed (SIGKILL) while it posts gifts loses none that it acknowledged,
    // leaves a sound file, and the next desk posts into it at once.
    void killedDeskLosesNoAcknowledgedGift() {
        for (int run = 0; run < 5; ++run) {
            const QString prefix = QString("K%1-").arg(run);
            {
                DeskProcess desk(m_folder->path());
                desk.Send("gifts 100000 " + prefix);
                QTest::qWait(150 + QRandomGenerator::global()->bounded(400));
                desk.Kill();
                const QStringList acked = Acked(desk, prefix);
                QVERIFY(!acked.isEmpty());
                const QStringList rows =
                    Stored(GiftFile(), "SELECT EnvelopeNumber FROM vtxEnvelopeOfferingT WHERE "
                                       "EnvelopeNumber LIKE '" +
                                           prefix + "%'");
                const QSet<QString> stored(rows.begin(), rows.end());
                for (const QString& gift : acked)
                    QVERIFY2(stored.contains(gift), qPrintable(gift));
                QVERIFY(stored.size() <= acked.size() + 1); // the one being posted
            }
            QCOMPARE(CheckTableFile(TableDefOf("EnvelopeOfferingT"), GiftFile()), QString());
        }
        DeskProcess next(m_folder->path());
        next.Send("gifts 3 N");
        QCOMPARE(Acked(next, "N").size(), 3);
    }

    // Two desks posting gifts into one table at the same time: every gift of both is
    // stored, each once.
    void twoDesksPostAtTheSameTime() {
        DeskProcess a(m_folder->path()), b(m_folder->path());
        a.Send("gifts 60 A");
        b.Send("gifts 60 B");
        QString answerA, answerB;
        const QStringList ackedA = Acked(a, "A", &answerA);
        const QStringList ackedB = Acked(b, "B", &answerB);
        QCOMPARE(answerA, kOk);
        QCOMPARE(answerB, kOk);
        QCOMPARE(ackedA.size() + ackedB.size(), 120);
        QStringList stored = Stored(GiftFile(), "SELECT EnvelopeNumber FROM vtxEnvelopeOfferingT");
        QStringList acked = ackedA + ackedB;
        stored.sort();
        acked.sort();
        QCOMPARE(stored, acked);
    }

    // A full disk refuses the post that does not fit with the engine's message, keeps
    // every gift acknowledged before it and stores none that was refused. Run in a
    // namespace of its own with a small memory disk as the data folder.
    void fullDiskRefusesWithoutLosingGifts() {
        if (QProcess::execute("unshare", {"-Urm", "true"}) != 0)
            QSKIP("This system gives no user namespace for a small disk of its own.");
        const QString script =
            QStringLiteral("mount -t tmpfs -o size=160k tmpfs \"$0\" && exec \"$1\" \"$0\"");
        DeskProcess desk("unshare", {"-Urm", "sh", "-c", script, m_folder->path(), VTX_TEST_DESK});
        QCOMPARE(desk.Ask("create EnvelopeOfferingT"), kOk);
        desk.Send("gifts 100000 F");
        QString answer;
        const QStringList acked = Acked(desk, "F", &answer);
        QVERIFY2(answer == "error DiskFull Table vtxEnvelopeOfferingT.db cannot be written: the "
                           "disk is full.",
                 qPrintable(answer));
        QVERIFY(acked.size() > 100);
        QCOMPARE(desk.Ask("state EnvelopeOfferingT"),
                 QString("ok %1").arg(int(DataSetState::Insert)));
        QCOMPARE(desk.Ask("stored EnvelopeOfferingT"), QString("ok %1").arg(acked.size()));
        QCOMPARE(desk.Ask("check EnvelopeOfferingT"), QString("ok sound"));
    }
};

VTX_REGISTER_TEST(TestTwoDesks)
#include "tst_TwoDesks.moc"
