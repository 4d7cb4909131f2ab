// What the engine does when the file is not what it expects: ids never given twice,
// records that cannot be read, read-only and damaged table files, the integrity
// check, and posts whose work after the commit fails.

#include "TestSupport.h"
#include "engine/Database.h"
#include "engine/Sqlite.h"
#include "engine/Table.h"
#include "engine/TableCheck.h"

#include <QFile>
#include <QTest>

namespace {

const QString kFile = QStringLiteral("tstOfferT.db");

TableDef OfferDef() {
    TableDef d;
    d.tableName = kFile;
    d.fields = {TextField("Envelope", 10, true), DateField("GiftDate"), MoneyField("Amount"),
                IntegerField("Count")};
    d.indexes = {PrimaryIndexDef("OfferIndex1", {"Envelope", "GiftDate"}),
                 SecondaryIndexDef("OEnv", {"Envelope"})};
    return d;
}

void AddOffer(Table& t, const QString& envelope, const QString& amount = "10") {
    t.Append();
    t.FieldByName("Envelope")->SetAsString(envelope);
    t.FieldByName("GiftDate")->SetAsDate(QDate(2024, 1, 7));
    t.FieldByName("Amount")->SetAsString(amount);
    t.Post();
}

// What an action raised: "Kind: message", or "" when it raised nothing.
QString Raised(const std::function<void()>& action) {
    try {
        action();
    } catch (const EDatabaseError& e) {
        return QString::number(int(e.Kind())) + ": " + e.Message();
    }
    return {};
}

QString KindText(ErrorKind kind) {
    return QString::number(int(kind)) + ": ";
}

// A table whose file stops being readable after a number of reads.
class FlakyTable : public Table {
public:
    using Table::Table;
    int readsLeft = -1; // -1: every read works

protected:
    bool ReadRow(qint64 rowId, QVector<QVariant>& values) override {
        if (readsLeft == 0)
            throw EDatabaseError("Error reading table " + kFile + ": disk I/O error.");
        if (readsLeft > 0)
            --readsLeft;
        return Table::ReadRow(rowId, values);
    }
};

} // namespace

class TestIntegrity : public QObject {
    Q_OBJECT

    std::unique_ptr<TempFolder> m_folder;

    QString Path() const { return m_folder->file(kFile); }
    std::unique_ptr<Table> NewTable() {
        auto t = std::make_unique<Table>(OfferDef(), "OfferT");
        t->DatabaseName = "IntegrityTest";
        return t;
    }
    // Changes the file behind the engine's back, as another program or damage would.
    void Raw(const QString& sql) {
        SqliteConnection conn(Path(), false, kFile);
        conn.Exec(sql);
    }
    qint64 RawCount() {
        SqliteConnection conn(Path(), false, kFile);
        auto stmt = conn.Prepare("SELECT COUNT(*) FROM tstOfferT");
        return stmt->Step() ? stmt->ColumnInt64(0) : -1;
    }

private Q_SLOTS:
    void init() {
        m_folder = std::make_unique<TempFolder>();
        Aliases::SetPath("IntegrityTest", m_folder->path());
        auto t = NewTable();
        t->CreateTable();
        t->Open();
        for (const char* e : {"E1", "E2", "E3"})
            AddOffer(*t, e);
    }
    void cleanup() {
        QFile::setPermissions(Path(), QFile::ReadOwner | QFile::WriteOwner);
        m_folder.reset();
    }

    // The id of a deleted record is never given to a new one, whether the last record
    // was deleted one by one or the table emptied, and also in a file made before the
    // program kept the record of ids.
    void rowIdsAreNeverGivenTwice_data() {
        QTest::addColumn<bool>("oldFile");
        QTest::newRow("file of this version") << false;
        QTest::newRow("file made before") << true;
    }
    void rowIdsAreNeverGivenTwice() {
        QFETCH(bool, oldFile);
        if (oldFile)
            Raw("DROP TABLE " + Table::RowIdTableName());
        auto t = NewTable();
        t->Open();
        t->Last();
        const Bookmark last = t->GetBookmark();
        t->Delete();
        AddOffer(*t, "E4");
        QVERIFY(t->GetBookmark() > last);
        const Bookmark fourth = t->GetBookmark();
        t->EmptyTable();
        AddOffer(*t, "E5");
        QVERIFY(t->GetBookmark() > fourth);
        t->Close();
        // Emptied while closed, as the cleanup does.
        t->EmptyTable();
        t->Open();
        AddOffer(*t, "E6");
        QVERIFY(t->GetBookmark() > fourth + 1);
    }

    // A record whose stored values the engine did not write is reported, never shown
    // as an empty record: a grid shows "(damaged)", moving onto it and editing it say
    // which table is damaged and what repairs it. The other records read as before.
    void damagedRecordIsReportedNotBlank_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("amount holds a text") << "Amount = 'ten dollars'";
        QTest::newRow("date that is no date") << "GiftDate = '2024-02-30'";
        QTest::newRow("date holding a number") << "GiftDate = 45000";
        QTest::newRow("text that is not UTF-8") << "Envelope = CAST(X'45FF32' AS TEXT)";
        QTest::newRow("integer holding a text") << "Count = 'x'";
        QTest::newRow("text holding bytes") << "Envelope = X'4532'";
    }
    void damagedRecordIsReportedNotBlank() {
        QFETCH(QString, damage);
        Raw("UPDATE tstOfferT SET " + damage + " WHERE rowid = 2");
        auto t = NewTable();
        t->Open();
        const int amount = t->FieldByName("Amount")->Index();
        const int date = t->FieldByName("GiftDate")->Index();
        auto damagedRows = [&] {
            QList<int> rows;
            for (int r = 0; r < t->RecordCount(); ++r)
                if (t->DisplayText(r, amount) == "(damaged)") {
                    rows << r;
                    [&] { QCOMPARE(t->DisplayText(r, date), QString("(damaged)")); }();
                } else {
                    [&] { QCOMPARE(t->DisplayText(r, amount), QString("$10.00")); }();
                }
            return rows;
        };
        const QList<int> damaged = damagedRows();
        QCOMPARE(damaged.size(), 1);
        const int bad = damaged.first();
        const QString moved = Raised([&] { t->SetRecNo(bad + 1); });
        QVERIFY2(moved.startsWith(KindText(ErrorKind::Damaged)), qPrintable(moved));
        QVERIFY2(moved.contains(kFile) && moved.contains("Database Maintenance"),
                 qPrintable(moved));
        QCOMPARE(t->RecNo(), bad + 1); // the cursor is on it, and moves on from it
        QVERIFY(Raised([&] { t->Edit(); }).startsWith(KindText(ErrorKind::Damaged)));
        QCOMPARE(t->State(), DataSetState::Browse);
        t->SetRecNo(bad == 0 ? 2 : 1);
        QCOMPARE(t->FieldByName("Amount")->AsString(), QString("10"));
        // A damaged first record does not keep the table from opening.
        t->Close();
        Raw("UPDATE tstOfferT SET Amount = 'x' WHERE rowid = 1");
        t->Open();
        QCOMPARE(damagedRows().size(), 2);
    }

    // A record another user deleted since the list was read is not shown as an empty
    // record either: moving onto it reads the list again, and an edit of it is refused.
    void recordDeletedElsewhereLeavesTheList() {
        auto t = NewTable();
        t->SetIndexName("");
        t->Open();
        Raw("DELETE FROM tstOfferT WHERE rowid = 2");
        QCOMPARE(t->DisplayText(1, 0), QString("(deleted)"));
        QCOMPARE(Raised([&] { t->Next(); }), QString());
        QCOMPARE(t->RecordCount(), 2);
        QCOMPARE(t->FieldByName("Envelope")->AsString(), QString("E3"));
        t->Next();
        QVERIFY(t->Eof());
        Raw("DELETE FROM tstOfferT WHERE rowid = 3");
        const QString edit = Raised([&] { t->Edit(); });
        QVERIFY2(edit.startsWith(KindText(ErrorKind::RowChanged)) && edit.contains(kFile),
                 qPrintable(edit));
        QCOMPARE(t->State(), DataSetState::Browse);
        QCOMPARE(t->RecordCount(), 1);
    }

    // A table file marked read only takes nothing: its first post, an edit and a
    // delete are refused with a message that says so; the entries stay in the edit.
    void readOnlyFileIsRefusedAtItsFirstPost() {
        QVERIFY(
            QFile::setPermissions(Path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        auto t = NewTable();
        t->Open();
        t->Append();
        t->FieldByName("Envelope")->SetAsString("E9");
        const QString post = Raised([&] { t->Post(); });
        QVERIFY2(post.startsWith(KindText(ErrorKind::ReadOnly)), qPrintable(post));
        QVERIFY2(post.contains(kFile) && post.contains("read only"), qPrintable(post));
        QCOMPARE(t->State(), DataSetState::Insert);
        QCOMPARE(t->FieldByName("Envelope")->AsString(), QString("E9"));
        t->Cancel();
        t->Edit();
        t->FieldByName("Amount")->SetAsString("99");
        QVERIFY(Raised([&] { t->Post(); }).startsWith(KindText(ErrorKind::ReadOnly)));
        t->Cancel();
        QVERIFY(Raised([&] { t->Delete(); }).startsWith(KindText(ErrorKind::ReadOnly)));
        QCOMPARE(RawCount(), 3);
    }

    // A table the integrity check found damaged takes no new records until it is
    // opened again after repair.
    void damagedTableRefusesSaves() {
        auto t = NewTable();
        t->Open();
        t->SetDamaged("its indexes do not match its records");
        t->Append();
        t->FieldByName("Envelope")->SetAsString("E9");
        const QString post = Raised([&] { t->Post(); });
        QVERIFY2(post.startsWith(KindText(ErrorKind::Damaged)) && post.contains(kFile) &&
                     post.contains("its indexes do not match its records") &&
                     post.contains("Database Maintenance"),
                 qPrintable(post));
        t->Cancel();
        QVERIFY(Raised([&] { t->Delete(); }).startsWith(KindText(ErrorKind::Damaged)));
        t->Close();
        t->Open();
        AddOffer(*t, "E9");
        QCOMPARE(RawCount(), 4);
    }

    // A post that stored its row returns to Browse with the row current, whatever
    // fails after the commit, so a retry can never store the row a second time.
    void postThatStoredItsRowDoesNotFail_data() {
        QTest::addColumn<bool>("inserting");
        QTest::addColumn<int>("readsLeft"); // reads that work after the post began
        QTest::addColumn<bool>("ruleFails");
        QTest::newRow("new row read back fails") << true << 0 << false;
        QTest::newRow("new row placing fails") << true << 2 << false;
        QTest::newRow("changed row read back fails") << false << 1 << false;
        QTest::newRow("after-post rule fails") << true << -1 << true;
    }
    void postThatStoredItsRowDoesNotFail() {
        QFETCH(bool, inserting);
        QFETCH(int, readsLeft);
        QFETCH(bool, ruleFails);
        FlakyTable t(OfferDef(), "OfferT");
        t.DatabaseName = "IntegrityTest";
        t.Open();
        if (ruleFails)
            t.AfterPost = [](DataSet&) { throw EDatabaseError("Table vtxRosterT.DB is locked."); };
        if (inserting) {
            t.Append();
            t.FieldByName("Envelope")->SetAsString("E4");
        } else {
            t.Edit();
        }
        t.FieldByName("Amount")->SetAsString("4321.50");
        t.readsLeft = readsLeft;
        QCOMPARE(Raised([&] { t.Post(); }), QString());
        QCOMPARE(t.State(), DataSetState::Browse);
        QCOMPARE(t.FieldByName("Amount")->AsString(), QString("4321.5"));
        t.readsLeft = -1;
        QVERIFY(Raised([&] { t.Post(); }).contains("not in edit or insert mode"));
        t.CheckBrowseMode();
        QCOMPARE(RawCount(), inserting ? 4 : 3);
        QCOMPARE(t.RecordCount(), inserting ? 4 : 3);
    }

    // The integrity check finds damage of the records, of the indexes and of the
    // file, and leaves a sound file alone; it also runs while another user saves.
    void integrityCheckFindsDamage_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("found");
        QTest::newRow("sound") << ""
                               << "";
        QTest::newRow("value of the wrong form") << "sql:UPDATE tstOfferT SET Amount = 'x'"
                                                 << "3 records in it cannot be read";
        QTest::newRow("record bytes changed") << "bytes:E2"
                                              << "its indexes do not match";
        QTest::newRow("not a table file") << "junk"
                                          << "it is not a valid table file";
    }
    void integrityCheckFindsDamage() {
        QFETCH(QString, damage);
        QFETCH(QString, found);
        if (damage.startsWith("sql:"))
            Raw(damage.mid(4));
        if (damage.startsWith("bytes:")) {
            // A few bytes of a record changed inside the file: "E2" becomes "E\xff".
            QFile f(Path());
            QVERIFY(f.open(QIODevice::ReadWrite));
            QByteArray bytes = f.readAll();
            const qsizetype at = bytes.indexOf(damage.mid(6).toLatin1() + "2024-01-07");
            QVERIFY(at > 0);
            bytes[at + 1] = char(0xff);
            f.seek(0);
            f.write(bytes);
        }
        if (damage == "junk") {
            QFile f(Path());
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(QByteArray(8192, 'x'));
        }
        // Another user is in the middle of a save.
        SqliteConnection other(Path(), false, kFile);
        if (damage != "junk")
            other.Exec("BEGIN IMMEDIATE");
        const QString result = CheckTableFile(OfferDef(), Path());
        if (found.isEmpty())
            QCOMPARE(result, QString());
        else
            QVERIFY2(result.startsWith(found), qPrintable(result));
    }
};

VTX_REGISTER_TEST(TestIntegrity)
#include "tst_Integrity.moc"
